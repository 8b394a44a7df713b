#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts the window.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
scripts/install-deps.sh "${BUILD_PACKAGES[@]}" libgtest-dev libbenchmark-dev

cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "apqr: Keine grafische Anzeige gefunden (DISPLAY ist nicht gesetzt) – das Fenster kann nicht geöffnet werden." >&2
    exit 1
fi
exec ./build/app/apqr "$@"
