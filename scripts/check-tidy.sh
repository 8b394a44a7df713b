#!/usr/bin/env bash
# Runs clang-tidy (LLVM_VERSION of packages.sh) with the checked-in
# .clang-tidy over our sources in core/, ui/, app/ and tools/ (their headers
# through its header filter), in parallel over the release build's
# compile_commands.json, and fails on any finding. Tests, benchmarks and the
# moc/rcc output are left out.
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
"run-clang-tidy-$LLVM_VERSION" -p "$BUILD_DIR" -j "$(nproc)" -quiet \
    -extra-arg=-Wno-unknown-warning-option \
    "^$root/(core|ui|app|tools)/.+\.cpp\$" >"$log" 2>&1 || status=$?
# run-clang-tidy colours its output whatever the terminal; plain text reads
# better in a CI log.
sed -i 's/\x1b\[[0-9;]*m//g' "$log"

# Each file checked is announced by a line that runs clang-tidy on it, after
# a progress mark such as "[ 3/64][2.1s] ".
started="^(\\[ *[0-9]+/[0-9]+\\]\\[[0-9.]+s\\] )?clang-tidy-$LLVM_VERSION "
files=$(grep -cE "$started" "$log" || true)
if [ "$status" -ne 0 ] || grep -qE '(warning|error): ' "$log"; then
    # A finding in a header comes once from every file that includes it;
    # each is shown once, with its source line and notes.
    python3 - "$log" "$started" >&2 <<'PY'
import re
import sys

started = re.compile(sys.argv[2])
blocks, current = [], None
for line in open(sys.argv[1], encoding="utf-8", errors="replace"):
    if started.match(line) or re.match(r"^\d+ (warning|error)s? .*generated\.$", line):
        current = None
    elif re.match(r"^\S.*:\d+:\d+: (warning|error): ", line):
        current = [line]
        blocks.append(current)
    elif current is not None:
        current.append(line)
    else:
        blocks.append([line])
seen = set()
for block in blocks:
    text = "".join(block)
    if text not in seen:
        seen.add(text)
        sys.stdout.write(text)
PY
    echo "check-tidy: findings above (in $files files checked); mend them, or switch a check off in .clang-tidy with its reason" >&2
    exit 1
fi
if [ "$files" -eq 0 ]; then
    echo "check-tidy: no source of ours in $BUILD_DIR/compile_commands.json" >&2
    exit 1
fi
echo "check-tidy: $files files clean"
