# The Debian packages the project needs, sourced by run.sh and test.sh. The
# same lists serve Debian 12 and 13; a name ending in "?" is installed where
# the release's archive has such a package and skipped where it has none
# (scripts/install-deps.sh).
# shellcheck shell=bash

# The one LLVM release that the format and static-analysis gates, the
# fuzzers and their runtimes come from. Debian 12 and 13 both carry it, so
# the gates give the same verdict on either. (The fuzz preset in
# CMakePresets.json names its clang++-19 itself.)
LLVM_VERSION=19

BUILD_PACKAGES=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    qt6-translations-l10n fonts-liberation libqt6svg6
    # Qt's SVG image plugin, which draws the window icon: part of libqt6svg6
    # in Debian 12, a package of its own from Debian 13 on.
    'qt6-svg-plugins?'
)
TEST_PACKAGES=(
    libgtest-dev libbenchmark-dev
    "clang-$LLVM_VERSION" "libclang-rt-$LLVM_VERSION-dev"
    desktop-file-utils appstream dpkg-dev file
    # AppStream's compose step, and gdk-pixbuf's SVG loader that it reads
    # the icon with (only recommended, so named here).
    appstream-compose librsvg2-common
    xvfb x11-utils dbus at-spi2-core python3-pyatspi orca xdotool
    lintian man-db groff-base
)
GATE_PACKAGES=("clang-format-$LLVM_VERSION" "clang-tidy-$LLVM_VERSION")
# Line and branch coverage, scripts/coverage.sh.
COVERAGE_PACKAGES=(gcovr)
