#!/usr/bin/env bash
# Checks what a user gets: installs the release build into a temporary
# prefix, validates the desktop entry, the AppStream metainfo and the manual
# page there, then builds the Debian package, checks its control fields and
# contents, and runs lintian on it.
# Needs the release build (BUILD_DIR, relative to the repository root).
# A package needs a maintainer: the build's APQR_MAINTAINER when set, else
# CHECK_MAINTAINER for the duration of the check.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR=${BUILD_DIR:-build}
CHECK_MAINTAINER=${CHECK_MAINTAINER:-apqr package check <package-check@example.org>}
APP_ID=de.apqr.Apqr
EXE=apqr

failures=0
pass() { printf '  ok    %s\n' "$1"; }
fail() { printf '  FAIL  %s\n' "$1"; failures=$((failures + 1)); }
# check DESCRIPTION COMMAND...: runs the command quietly, records the result.
check() {
    local what=$1
    shift
    if "$@" >/dev/null 2>&1; then pass "$what"; else fail "$what"; fi
}
is_elf_executable() { [ -x "$1" ] && file -b "$1" | grep -q '^ELF'; }
has_no_run_path() { ! readelf -d "$1" | grep -qE '(RPATH|RUNPATH)'; }
all_non_empty() { for v in "$@"; do [ -n "$v" ] || return 1; done; }
is_regular_file() { [ -f "$1" ] && [ ! -L "$1" ]; }

if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
    echo "check-install: no configured build in $BUILD_DIR (run: cmake --preset release && cmake --build --preset release)" >&2
    exit 1
fi
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD_DIR/CMakeCache.txt")
if [ -z "$version" ]; then
    echo "check-install: no project version in $BUILD_DIR/CMakeCache.txt" >&2
    exit 1
fi

cached() { sed -n "s/^$1:[A-Z]*=//p" "$BUILD_DIR/CMakeCache.txt"; }
maintainer=$(cached APQR_MAINTAINER)
borrowed_maintainer=
tmp=$(mktemp -d)
cleanup() {
    # Hand the build back as it was: no maintainer, no package signed by
    # the check's made-up one.
    if [ -n "$borrowed_maintainer" ]; then
        cmake -DAPQR_MAINTAINER= "$BUILD_DIR" >/dev/null 2>&1 || true
        rm -f "$BUILD_DIR"/apqr_*.deb
    fi
    rm -rf "$tmp"
}
trap cleanup EXIT
prefix=$tmp/prefix

if [ -z "$maintainer" ]; then
    echo "Without a maintainer the package target must refuse"
    rm -f "$BUILD_DIR"/apqr_*.deb
    if cmake --build "$BUILD_DIR" --target package >"$tmp/refusal.log" 2>&1; then
        fail "package target refuses without APQR_MAINTAINER"
    else
        check "package target refuses without APQR_MAINTAINER, naming it" \
            grep -q 'APQR_MAINTAINER' "$tmp/refusal.log"
    fi
    maintainer=$CHECK_MAINTAINER
    borrowed_maintainer=yes
    cmake -DAPQR_MAINTAINER="$maintainer" "$BUILD_DIR" >"$tmp/configure.log" 2>&1 ||
        { cat "$tmp/configure.log" >&2; echo "check-install: configuring with a maintainer failed" >&2; exit 1; }
    cmake --build "$BUILD_DIR" >"$tmp/build.log" 2>&1 ||
        { cat "$tmp/build.log" >&2; echo "check-install: build failed" >&2; exit 1; }
fi

echo "Install into a temporary prefix (version $version)"
cmake --install "$BUILD_DIR" --prefix "$prefix" >"$tmp/install.log" 2>&1 ||
    { cat "$tmp/install.log" >&2; echo "check-install: cmake --install failed" >&2; exit 1; }

desktop=share/applications/$APP_ID.desktop
icon=share/icons/hicolor/scalable/apps/$APP_ID.svg
metainfo=share/metainfo/$APP_ID.metainfo.xml
copyright=share/doc/$EXE/copyright
changelog=share/doc/$EXE/changelog.gz
manpage=share/man/man1/$EXE.1.gz

check "bin/$EXE is an executable ELF file" \
    is_elf_executable "$prefix/bin/$EXE"
check "installed binary has no run path into the build tree" \
    has_no_run_path "$prefix/bin/$EXE"
check "$desktop installed" test -f "$prefix/$desktop"
check "$icon is an SVG image" grep -q '<svg' "$prefix/$icon"
check "$metainfo installed" test -f "$prefix/$metainfo"
check "$copyright installed" grep -q 'MIT License' "$prefix/$copyright"
check "$changelog names version $version and the maintainer" \
    zgrep -qxF -e "$EXE ($version) unstable; urgency=medium" "$prefix/$changelog"
check "$changelog is signed by the maintainer" \
    zgrep -qF -e " -- $maintainer  " "$prefix/$changelog"
check "$manpage installed" gzip -t "$prefix/$manpage"

# Hints are allowed; errors and warnings are not.
if out=$(desktop-file-validate "$prefix/$desktop" 2>&1) &&
    ! grep -qE '(error|warning):' <<<"$out"; then
    pass "desktop-file-validate"
else
    fail "desktop-file-validate"
    printf '%s\n' "$out" | sed 's/^/        /'
fi
# --strict: infos and warnings fail too, only pedantic notes pass.
if out=$(appstreamcli validate --no-net --strict "$prefix/$metainfo" 2>&1); then
    pass "appstreamcli validate --no-net"
else
    fail "appstreamcli validate --no-net"
    printf '%s\n' "$out" | sed 's/^/        /'
fi

# The three files must point at each other and carry the project version.
key() { sed -n "s/^$1=//p" "$prefix/$desktop"; }
check "desktop entry: Exec=$EXE" test "$(key Exec)" = "$EXE"
check "desktop entry: Icon=$APP_ID" test "$(key Icon)" = "$APP_ID"
# One main category, so that menus list the program once.
check "desktop entry: Categories=Education;Math;" \
    test "$(key Categories)" = "Education;Math;"
check "desktop entry: German Name[de] and Comment[de]" \
    all_non_empty "$(key 'Name\[de\]')" "$(key 'Comment\[de\]')"
check "desktop entry: version $version" test "$(key X-Apqr-Version)" = "$version"
check "metainfo: id $APP_ID" grep -q "<id>$APP_ID</id>" "$prefix/$metainfo"
check "metainfo: launches $APP_ID.desktop" \
    grep -q "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" "$prefix/$metainfo"
check "metainfo: release $version" grep -q "<release version=\"$version\"" "$prefix/$metainfo"
check "metainfo: German summary" grep -q '<summary xml:lang="de">' "$prefix/$metainfo"
check "metainfo: German description" grep -q '<p xml:lang="de">' "$prefix/$metainfo"
check "metainfo: categories Education and Math" \
    test "$(grep -o '<category>[^<]*</category>' "$prefix/$metainfo" | tr -d '\n')" = \
    "<category>Education</category><category>Math</category>"

# The manual page: groff and man report nothing, and whatis finds its name.
if out=$(MANWIDTH=80 man --warnings -E UTF-8 -l "$prefix/$manpage" 2>&1 >/dev/null) &&
    [ -z "$out" ]; then
    pass "man --warnings renders $manpage cleanly"
else
    fail "man --warnings renders $manpage cleanly"
    printf '%s\n' "$out" | sed 's/^/        /'
fi
check "lexgrog finds the NAME line of $manpage" \
    grep -q "\"$EXE - " <<<"$(lexgrog "$prefix/$manpage" 2>&1)"
for section in NAME 'ÜBERSICHT' BESCHREIBUNG; do
    check "$manpage has section $section" zgrep -qx "\.SH $section" "$prefix/$manpage"
done

echo "Build the Debian package"
rm -f "$BUILD_DIR"/apqr_*.deb
cmake --build "$BUILD_DIR" --target package >"$tmp/package.log" 2>&1 ||
    { cat "$tmp/package.log" >&2; echo "check-install: building the package failed" >&2; exit 1; }
deb=$BUILD_DIR/${EXE}_${version}_$(dpkg --print-architecture).deb
if [ ! -f "$deb" ]; then
    echo "check-install: $deb was not made" >&2
    ls "$BUILD_DIR"/*.deb >&2 2>/dev/null || true
    exit 1
fi

field() { dpkg-deb --field "$deb" "$1"; }
depends=$(field Depends)
check "package: Package $EXE" test "$(field Package)" = "$EXE"
check "package: Version $version" test "$(field Version)" = "$version"
check "package: Maintainer $maintainer" test "$(field Maintainer)" = "$maintainer"
check "package: Description set" all_non_empty "$(field Description)"
# libqt6widgets6 only appears when dpkg-shlibdeps read the binary.
for dep in libqt6widgets6 libqt6svg6 qt6-translations-l10n fonts-liberation; do
    check "package: Depends names $dep" grep -qE "(^|, )$dep( |,|$)" <<<"$depends"
done

dpkg-deb --contents "$deb" | awk '{print $NF}' >"$tmp/contents"
for f in usr/bin/$EXE usr/$desktop usr/$icon usr/$metainfo usr/$copyright usr/$changelog \
    usr/$manpage; do
    check "package contains /$f" grep -qx "\./$f" "$tmp/contents"
done
dpkg-deb --extract "$deb" "$tmp/deb"
check "packaged /usr/bin/$EXE is executable" test -x "$tmp/deb/usr/bin/$EXE"
check "packaged copyright is a regular file" \
    is_regular_file "$tmp/deb/usr/$copyright"
check "packaged desktop entry equals the installed one" \
    cmp "$tmp/deb/usr/$desktop" "$prefix/$desktop"
check "packaged metainfo equals the installed one" \
    cmp "$tmp/deb/usr/$metainfo" "$prefix/$metainfo"

# lintian, as Debian checks its own packages: errors and warnings fail,
# infos and pedantic notes are shown.
lintian_out=$tmp/lintian.log
lintian_status=0
lintian --fail-on error,warning --display-info --pedantic --tag-display-limit 0 \
    "$deb" >"$lintian_out" 2>&1 || lintian_status=$?
# Spare the note lintian makes when it runs as root, as it does in CI.
grep -v 'running with root privileges' "$lintian_out" >"$lintian_out.tags" || true
if [ "$lintian_status" -eq 0 ]; then
    pass "lintian: no errors or warnings"
else
    fail "lintian: no errors or warnings"
fi
sed 's/^/        /' "$lintian_out.tags"

if [ "$failures" -ne 0 ]; then
    echo "check-install: $failures check(s) failed" >&2
    exit 1
fi
if [ -n "$borrowed_maintainer" ]; then
    echo "Install and package checks passed (package signed by \"$maintainer\", removed again)."
else
    echo "Install and package checks passed ($deb)."
fi
