#!/usr/bin/env bash
# Checks what a user gets: installs the release build into a temporary
# prefix, validates the desktop entry, the AppStream metainfo and the manual
# page there and runs the program's command line without a display, then
# builds the Debian package, checks its control fields and contents, composes
# a software catalogue from it as a distribution would, and runs lintian.
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
is_png_of_size() { file -b "$1" | grep -q "^PNG image data, $2 x $2,"; }

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
small_icon_sizes=(16 24 32)
small_icon() { echo "share/icons/hicolor/$1x$1/apps/$APP_ID.png"; }
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
# Image loaders tell an SVG by its first 256 bytes; AppStream's compose step
# drops a program whose icon they take for plain XML.
check "$icon opens its svg tag within 256 bytes" \
    grep -q '<svg' <(head -c 256 "$prefix/$icon")
for size in "${small_icon_sizes[@]}"; do
    check "$(small_icon "$size") is a $size px PNG" \
        is_png_of_size "$prefix/$(small_icon "$size")" "$size"
done
check "$metainfo installed" test -f "$prefix/$metainfo"
check "$copyright is in Debian's machine-readable format" \
    grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    <(head -n 1 "$prefix/$copyright")
check "$copyright: Files: * under the Expat licence, with its text" \
    grep -qzE 'Files: \*
Copyright: [0-9]{4} the apqr developers
License: Expat
 Permission is hereby granted' "$prefix/$copyright"
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
# The untranslated keys are what an English desktop shows: English, and
# saying that the program speaks German.
check "desktop entry: English Comment, translated in Comment[de], names the German interface" \
    test "$(key Comment)" != "$(key 'Comment\[de\]')" -a -n "$(key Comment | grep -w German)"
check "desktop entry: version $version" test "$(key X-Apqr-Version)" = "$version"
check "metainfo: id $APP_ID" grep -q "<id>$APP_ID</id>" "$prefix/$metainfo"
check "metainfo: launches $APP_ID.desktop" \
    grep -q "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" "$prefix/$metainfo"
check "metainfo: release $version" grep -q "<release version=\"$version\"" "$prefix/$metainfo"
check "metainfo: German summary" grep -q '<summary xml:lang="de">' "$prefix/$metainfo"
check "metainfo: German description" grep -q '<p xml:lang="de">' "$prefix/$metainfo"
check "metainfo: English summary naming the German interface" \
    grep -qE '<summary>[^<]*\<German\>' "$prefix/$metainfo"
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
for section in NAME 'ÜBERSICHT' BESCHREIBUNG OPTIONEN; do
    check "$manpage has section $section" zgrep -qx "\.SH $section" "$prefix/$manpage"
done

echo "Command line of the installed program, without a display"
# matches FILE REGEX: the whole file matches the extended regular expression;
# an empty REGEX means the file is empty.
matches() { if [ -z "$2" ]; then [ ! -s "$1" ]; else [[ $(<"$1") =~ $2 ]]; fi; }
# cli DESCRIPTION STATUS STDOUT STDERR ARGUMENTS...: runs the program with no
# display to reach, so that opening a window would abort instead; checks the
# exit status and both streams.
cli() {
    local what=$1 want=$2 out=$3 err=$4 status=0
    shift 4
    timeout 20 env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/$EXE" "$@" \
        >"$tmp/cli.out" 2>"$tmp/cli.err" || status=$?
    if [ "$status" -eq "$want" ] && matches "$tmp/cli.out" "$out" &&
        matches "$tmp/cli.err" "$err"; then
        pass "$what"
    else
        fail "$what (exit status $status)"
        sed 's/^/        out: /' "$tmp/cli.out"
        sed 's/^/        err: /' "$tmp/cli.err"
    fi
}
nl=$'\n'
usage="^Aufruf: apqr .*${nl}  -h, --help .*${nl}  -v, --version .*"
refusal() { echo "^apqr: [^$nl]*„$1“[^$nl]*${nl}[^$nl]*„apqr --help“[^$nl]*\$"; }
cli "apqr --help: German usage on standard output, status 0" 0 "$usage" "" --help
cli "apqr -h: the same" 0 "$usage" "" -h
cli "apqr --version: \"$EXE $version\", status 0" 0 "^$EXE ${version//./\\.}\$" "" --version
cli "apqr -v: the same" 0 "^$EXE ${version//./\\.}\$" "" -v
cli "apqr --bogus: refused in one line and a hint, status 2" 2 "" "$(refusal --bogus)" --bogus
cli "apqr somefile: refused the same way" 2 "" "$(refusal somefile)" somefile
status=0
timeout 20 env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/$EXE" --help \
    >/dev/full 2>/dev/null || status=$?
check "apqr --help onto a full disk fails with status 1" test "$status" -eq 1

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
check "package: Description in English, naming the German interface" \
    grep -qw German <<<"$(field Description)"
check "package: Suggests qt6-wayland" test "$(field Suggests)" = qt6-wayland
# libqt6widgets6 only appears when dpkg-shlibdeps read the binary. The SVG
# plugins that draw the window icon come from whichever package holds them
# on this release: libqt6svg6 on Debian 12, qt6-svg-plugins on Debian 13.
svg_plugin_packages=$(dpkg-query --search '*/qt6/plugins/imageformats/libqsvg.so' \
    '*/qt6/plugins/iconengines/libqsvgicon.so' | sed 's/[:,].*//' | sort -u)
for dep in libqt6widgets6 libqt6svg6 $svg_plugin_packages qt6-translations-l10n \
    fonts-liberation; do
    check "package: Depends names $dep" grep -qE "(^|, )$dep( |,|$)" <<<"$depends"
done
check "package: Homepage is the metainfo's" \
    grep -qF "<url type=\"homepage\">$(field Homepage)</url>" "$prefix/$metainfo"

dpkg-deb --contents "$deb" | awk '{print $NF}' >"$tmp/contents"
for f in usr/bin/$EXE usr/$desktop usr/$icon usr/$metainfo usr/$copyright usr/$changelog \
    usr/$manpage $(for size in "${small_icon_sizes[@]}"; do echo "usr/$(small_icon "$size")"; done); do
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

# A distribution builds its software catalogue with AppStream's compose step
# on the unpacked package; only there does an unreadable icon show.
catalogue=$tmp/catalogue
if appstreamcli compose --no-net --origin "$EXE" --result-root="$catalogue" \
    --data-dir="$catalogue/xml" --icons-dir="$catalogue/icons" "$tmp/deb" \
    >"$tmp/compose.log" 2>&1; then
    pass "appstreamcli compose on the package"
else
    fail "appstreamcli compose on the package"
    sed 's/^/        /' "$tmp/compose.log"
fi
catalogue_xml=$catalogue/xml/$EXE.xml.gz
check "catalogue lists $APP_ID" zgrep -q "<id>$APP_ID</id>" "$catalogue_xml"
for size in 48 64 128; do
    check "catalogue: $APP_ID with its $size px icon" zgrep -qF \
        "<icon type=\"cached\" width=\"$size\" height=\"$size\">$APP_ID.png</icon>" \
        "$catalogue_xml"
    check "catalogue: the $size px icon is a $size px PNG" \
        is_png_of_size "$catalogue/icons/${size}x$size/$APP_ID.png" "$size"
done

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
