#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the release build's
# unit and window tests, the core tests once more under ASan/UBSan, a bounded
# fuzzing run, and the install and package checks.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
scripts/install-deps.sh "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== Release build and tests"
cmake --preset release >/dev/null
cmake --build --preset release -j "$jobs"
ctest --preset release -j "$jobs"

echo "== Core tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j "$jobs"
ctest --preset sanitize -j "$jobs"

echo "== Fuzzing the text readers and the board pipeline"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
scripts/run-fuzzers.sh "${APQR_FUZZ_SECONDS:-60}"

if [ -x scripts/check-install.sh ]; then
    echo "== Install rules and package"
    scripts/check-install.sh
fi

echo "All tests passed."
