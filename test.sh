#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test and gate: the format
# check, the release build's unit and window tests, clang-tidy, the whole
# suite once more under ASan/LSan/UBSan, a bounded fuzzing run, the coverage
# floor, and the install and package checks. Every build treats warnings as
# errors.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
scripts/install-deps.sh "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" \
    "${GATE_PACKAGES[@]}" "${COVERAGE_PACKAGES[@]}"

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

# Each step's wall time, summed up at the end, shows where the minutes go.
times=()
step_name=""
step_start=$SECONDS
step() {
    [ -n "$step_name" ] && times+=("$(printf '%4ds  %s' $((SECONDS - step_start)) "$step_name")")
    step_name=$1
    step_start=$SECONDS
    [ -n "$step_name" ] && echo "== $step_name"
    return 0
}

step "Formatting (clang-format $LLVM_VERSION)"
scripts/check-format.sh

step "Release build and tests"
cmake --preset release >/dev/null
cmake --build --preset release -j "$jobs"
ctest --preset release -j "$jobs"

step "Static analysis (clang-tidy $LLVM_VERSION)"
scripts/check-tidy.sh

step "Whole suite under AddressSanitizer, LeakSanitizer and UBSan"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j "$jobs"
ctest --preset sanitize -j "$jobs"

step "Fuzzing the text readers and the board pipeline"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
scripts/run-fuzzers.sh "${APQR_FUZZ_SECONDS:-60}"

step "Line and branch coverage, at least 95 % of the lines of core/ and ui/"
scripts/coverage.sh --floor 95

if [ -x scripts/check-install.sh ]; then
    step "Install rules and package"
    scripts/check-install.sh
fi

step ""
echo "Seconds per step:"
printf '%s\n' "${times[@]}"
echo "All tests passed."
