#!/usr/bin/env bash
# Fails, naming them, when C++ files differ from what clang-format makes
# of them with the checked-in .clang-format. scripts/format.sh mends them.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/install-deps.sh "${GATE_PACKAGES[@]}"
source scripts/cxx-files.sh

mapfile -t files < <(cxx_files)
status=0
out=$("clang-format-$LLVM_VERSION" --style=file --dry-run --Werror "${files[@]}" 2>&1) || status=$?
mapfile -t differing < <(sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' <<<"$out" | sort -u)
if [ "$status" -ne 0 ] && [ ${#differing[@]} -eq 0 ]; then
    # Not a formatting difference: a broken .clang-format or an unreadable file.
    printf '%s\n' "$out" >&2
    exit 1
fi

if [ ${#differing[@]} -ne 0 ]; then
    echo "check-format: ${#differing[@]} file(s) differ from clang-format's output:" >&2
    printf '  %s\n' "${differing[@]}" >&2
    echo "check-format: run scripts/format.sh and commit the result" >&2
    exit 1
fi
echo "check-format: ${#files[@]} files formatted as clang-format $LLVM_VERSION writes them"
