#!/usr/bin/env bash
# Fails, naming them, when C++ files differ from what clang-format 14 makes
# of them with the checked-in .clang-format. scripts/format.sh mends them.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/install-deps.sh "${GATE_PACKAGES[@]}"
source scripts/cxx-files.sh

mapfile -t files < <(cxx_files)
differing=()
for f in "${files[@]}"; do
    if ! clang-format-14 --style=file --dry-run --Werror "$f" >/dev/null 2>&1; then
        differing+=("$f")
    fi
done

if [ ${#differing[@]} -ne 0 ]; then
    echo "check-format: ${#differing[@]} file(s) differ from clang-format's output:" >&2
    printf '  %s\n' "${differing[@]}" >&2
    echo "check-format: run scripts/format.sh and commit the result" >&2
    exit 1
fi
echo "check-format: ${#files[@]} files formatted as clang-format 14 writes them"
