#!/usr/bin/env bash
# Builds the release tree and renders the README's pictures,
# docs/screenshot.png and its dark-scheme twin docs/screenshot-dark.png, from
# the real window on Qt's offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
# The release preset builds the tests and benchmarks too.
scripts/install-deps.sh "${BUILD_PACKAGES[@]}" libgtest-dev libbenchmark-dev

BUILD_DIR=${BUILD_DIR:-build}
if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
    cmake --preset release -B "$BUILD_DIR" >/dev/null
fi
cmake --build "$BUILD_DIR" -j "$(nproc)" --target apqr_screenshot

mkdir -p docs
QT_QPA_PLATFORM=offscreen "$BUILD_DIR/tools/apqr_screenshot" docs/screenshot.png
QT_QPA_PLATFORM=offscreen "$BUILD_DIR/tools/apqr_screenshot" --dark docs/screenshot-dark.png
echo "docs/screenshot.png and docs/screenshot-dark.png updated."
