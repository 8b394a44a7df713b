#!/usr/bin/env bash
# Runs a command the way a screen reader meets the program on Linux: on an
# X server (Xvfb), with its own session bus and the AT-SPI bus running, and
# Qt's accessibility bridge switched on. Used by the accessibility tests and
# benchmarks; needs xvfb, xauth, dbus and at-spi2-core.
#
#   scripts/run-with-atspi.sh <command> [arguments...]
set -euo pipefail
[ $# -gt 0 ] || { echo "usage: $0 <command> [arguments...]" >&2; exit 2; }

inner='
set -euo pipefail
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
launcher=$!
trap "kill $launcher 2>/dev/null || true" EXIT
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
"$@"
'
# The session bus complains that it may not raise its file limit inside a
# container; that is harmless, so its chatter is kept out of the output.
exec xvfb-run -a -s "-screen 0 1280x1024x24" \
    dbus-run-session --dbus-daemon=dbus-daemon -- bash -c "$inner" bash "$@"
