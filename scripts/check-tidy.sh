#!/usr/bin/env bash
# Runs clang-tidy 14 with the checked-in .clang-tidy over our sources in
# core/, ui/, app/ and tools/ (their headers through its header filter), in
# parallel over the release build's compile_commands.json, and fails on any
# finding. Tests, benchmarks and the moc/rcc output are left out.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/install-deps.sh "${GATE_PACKAGES[@]}"

BUILD_DIR=${BUILD_DIR:-build}
if [ ! -f "$BUILD_DIR/compile_commands.json" ]; then
    cmake --preset release -B "$BUILD_DIR" >/dev/null
fi

root=$(pwd -P)
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# The compile commands are g++'s; clang must not stumble over a warning
# option only g++ knows.
status=0
run-clang-tidy-14 -p "$BUILD_DIR" -j "$(nproc)" -quiet \
    -extra-arg=-Wno-unknown-warning-option \
    "^$root/(core|ui|app|tools)/[^/]+\.cpp\$" >"$log" 2>&1 || status=$?
# run-clang-tidy colours its output whatever the terminal; plain text reads
# better in a CI log.
sed -i 's/\x1b\[[0-9;]*m//g' "$log"

files=$(grep -c '^clang-tidy-14 ' "$log" || true)
if [ "$status" -ne 0 ] || grep -qE '(warning|error): ' "$log"; then
    grep -vE '^clang-tidy-14 |^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$' "$log" >&2
    echo "check-tidy: clang-tidy found something in $files files (see above)" >&2
    exit 1
fi
if [ "$files" -eq 0 ]; then
    echo "check-tidy: no source of ours in $BUILD_DIR/compile_commands.json" >&2
    exit 1
fi
echo "check-tidy: $files files clean"
