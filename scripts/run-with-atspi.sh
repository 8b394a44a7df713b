#!/usr/bin/env bash
# Runs a command the way a screen reader meets the program on Linux: on an
# X server (Xvfb), with its own session bus and the AT-SPI bus running, and
# Qt's accessibility bridge switched on. Used by the accessibility tests and
# benchmarks; needs xvfb, x11-utils, dbus and at-spi2-core. Local only, so
# the server's access control (-ac) is left off.
#
#   scripts/run-with-atspi.sh <command> [arguments...]
set -euo pipefail
[ $# -gt 0 ] || { echo "usage: $0 <command> [arguments...]" >&2; exit 2; }

work=$(mktemp -d)
xvfb=
cleanup() {
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# The server picks a free display itself and names it. Two servers that
# start at the same moment can still both try the same number, so starts
# are taken one at a time: each waits until the one before has claimed its
# display.
exec 4>"${TMPDIR:-/tmp}/apqr-xvfb-start.lock"
flock 4
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -ac -noreset 3>"$work/display" 2>"$work/xvfb.log" 4>&- &
xvfb=$!
for _ in $(seq 200); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
flock -u 4
exec 4>&-
if [ ! -s "$work/display" ]; then
    echo "run-with-atspi: Xvfb did not start" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
export DISPLAY=":$(head -n 1 "$work/display")"
# The server names its display a moment before it takes clients; a client
# that comes too soon is turned away, so wait until one is let in. Without
# -noreset the server would start over whenever its last client leaves (the
# bus launcher and this probe are such clients) and refuse the next one
# meanwhile.
for _ in $(seq 200); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.05
done

inner='
set -euo pipefail
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
launcher=$!
trap "kill $launcher 2>/dev/null || true" EXIT
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
"$@"
'
status=0
dbus-run-session -- bash -c "$inner" bash "$@" || status=$?
if ! kill -0 "$xvfb" 2>/dev/null; then
    echo "run-with-atspi: Xvfb on $DISPLAY ended before the command did" >&2
    cat "$work/xvfb.log" >&2
    xvfb=
fi
exit "$status"
