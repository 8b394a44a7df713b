# The Debian packages the project needs, sourced by run.sh and test.sh.
# shellcheck shell=bash
BUILD_PACKAGES=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    qt6-translations-l10n fonts-liberation libqt6svg6
)
TEST_PACKAGES=(
    libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev
    desktop-file-utils appstream dpkg-dev file
    # AppStream's compose step, and gdk-pixbuf's SVG loader that it reads
    # the icon with (only recommended, so named here).
    appstream-compose librsvg2-common
    xvfb x11-utils dbus at-spi2-core python3-pyatspi orca xdotool
    lintian man-db groff-base
)
# The format and static-analysis gates, pinned to Debian 12's clang 14.
GATE_PACKAGES=(clang-format-14 clang-tidy-14)
# Line and branch coverage, scripts/coverage.sh.
COVERAGE_PACKAGES=(gcovr)
