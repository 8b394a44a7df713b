#!/usr/bin/env bash
# Re-formats every C++ file in place with clang-format and the checked-in
# .clang-format, so that scripts/check-format.sh passes.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/install-deps.sh "${GATE_PACKAGES[@]}"
source scripts/cxx-files.sh

mapfile -t files < <(cxx_files)
"clang-format-$LLVM_VERSION" --style=file -i "${files[@]}"
git status --short -- "${files[@]}" 2>/dev/null || true
