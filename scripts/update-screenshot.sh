#!/usr/bin/env bash
# Builds the release tree and renders docs/screenshot.png, the README's
# picture, from the real window on Qt's offscreen platform.
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
echo "docs/screenshot.png updated."
