#!/usr/bin/env bash
# What a listening screen reader costs the scan: times the scan 1541 … 3000
# (bench_accessible's accessible_scan_from_1540_to_3000) on one X server with
# the AT-SPI bus, first alone, then with Orca running (speech, braille and
# its log off), and prints the median of each and their ratio; then how long
# after the press Orca was busy with the scan's events. Needs the release
# build and orca; not part of ./test.sh.
#
#   bench/window/scan_with_orca.sh [runs]     (3 runs each unless given)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
bench=$root/build/bench/window/bench_accessible
[ -x "$bench" ] || { echo "$0: build first: cmake --build --preset release" >&2; exit 1; }
runs=${1:-3}

inner='
set -euo pipefail
bench=$1 runs=$2
work=$(mktemp -d)
orca=
trap "[ -n \"\$orca\" ] && kill \$orca 2>/dev/null; rm -rf $work" EXIT

# The medians over the runs: the scan in milliseconds and, with a reader,
# the seconds until the reader was idle again.
scan() {
    "$bench" --benchmark_filter="^accessible_scan_from_1540_to_3000" \
        --benchmark_repetitions="$runs" --benchmark_format=json |
        python3 -c "
import json, statistics, sys
runs = [b for b in json.load(sys.stdin)[\"benchmarks\"] if b[\"run_type\"] == \"iteration\"]
if not runs or any(\"error_message\" in b for b in runs):
    sys.exit(\"the scan did not run through: %s\" % [b.get(\"error_message\") for b in runs])
print(\"%.0f\" % statistics.median(b[\"real_time\"] for b in runs),
      \"%.1f\" % statistics.median(b.get(\"reader_idle_s\", 0) for b in runs))"
}

read -r without _ < <(scan)
echo "without Orca: $without ms"

# Orca refuses to start beside another Orca of this user, and --replace
# would kill that one, wherever it runs: runs of this and of the Orca test
# take turns.
exec 5>"${TMPDIR:-/tmp}/apqr-orca.lock"
flock 5
mkdir "$work/home"
HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_DATA_HOME=$work/home/data \
    XDG_CACHE_HOME=$work/home/cache GSETTINGS_BACKEND=memory \
    orca --disable=speech --disable=braille >"$work/orca.out" 2>&1 5>&- &
orca=$!
# Orca is listening once it has asked the registry for the events of
# windows; its main loop starts right after that.
bus=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
    org.a11y.Bus.GetAddress | tr -d " ")
listening() {
    dbus-send --bus="$bus" --print-reply --dest=org.a11y.atspi.Registry \
        /org/a11y/atspi/registry org.a11y.atspi.Registry.GetRegisteredEvents |
        grep -q "string \"Window:Activate"
}
for _ in $(seq 300); do
    listening && break
    kill -0 $orca 2>/dev/null || { cat "$work/orca.out" >&2; exit 1; }
    sleep 0.1
done
listening || { echo "Orca is not listening after 30 s" >&2; exit 1; }
sleep 2

read -r with idle < <(APQR_READER_PID=$orca scan)
kill -0 $orca 2>/dev/null || { echo "Orca ended during the run" >&2; exit 1; }
echo "with Orca:    $with ms"
python3 -c "print(\"ratio:        %.2f\" % ($with / $without))"
echo "Orca idle again $idle s after the press, having presented the scan"
'
exec "$root/scripts/run-with-atspi.sh" bash -c "$inner" bash "$bench" "$runs"
