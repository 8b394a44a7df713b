#!/usr/bin/env bash
# Runs the fuzzer for a bounded time on a copy of the checked-in corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r fuzz/corpus "$work/corpus"
if ! ./build-fuzz/fuzz/fuzz_board_pipeline "$work/corpus" \
    -max_total_time="$seconds" -max_len=256 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$work/" >"$work/log" 2>&1; then
    tail -n 60 "$work/log"
    for artifact in "$work"/crash-* "$work"/timeout-* "$work"/oom-*; do
        [ -e "$artifact" ] && { echo "input:"; od -c "$artifact" | head -n 20; }
    done
    echo "fuzzing failed" >&2
    exit 1
fi
grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$work/log"
echo "fuzzing: ${seconds}s without a crash"
