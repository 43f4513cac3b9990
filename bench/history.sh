#!/usr/bin/env bash
# The history file with 30 days of 500 servers, seeded as Vantrel would have kept them (every
# minute for the last two days, rolled up before): its size, the time to record one refresh of
# the 500, the time of the hourly roll-up, and the time the History tab takes from a server's
# selection to its charts drawn (offscreen, 20 servers a run). Every run works on a copy of the seeded file.
# Usage: bench/history.sh [BUILD-FOLDER] [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
runs=${2:-5}
servers=500
days=30
# A fixed end, so that every run seeds the same file.
now=2026-03-31T18:00:00Z

cmake -S "$root" -B "$build" -DVANTREL_BENCHMARKS=ON > /dev/null
cmake --build "$build" -j2 --target bench_history bench_history_tab vantrel-history-seed > /dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$root/bench/figures.sh"

echo "seeding $days days of $servers servers..." >&2
start=$(date +%s)
"$build/tools/history-seed/vantrel-history-seed" "$work/seeded.sqlite" --days "$days" \
    --servers "10.0.0.1:20000-$((20000 + servers - 1))" --now "$now"
seeded=$(($(date +%s) - start))
size=$(stat -c %s "$work/seeded.sqlite")

for ((run = 1; run <= runs; run++)); do
    echo "run $run of $runs..." >&2
    cp "$work/seeded.sqlite" "$work/run.sqlite"
    rm -f "$work/run.sqlite-wal" "$work/run.sqlite-shm"
    "$build/bench/bench_history" "$work/run.sqlite" "$now" 10.0.0.1 20000 "$servers" 5 \
        >> "$work/history.txt"
    QT_QPA_PLATFORM=offscreen "$build/bench/bench_history_tab" "$work/run.sqlite" "$now" \
        $(seq -f "10.0.0.1:%g" 20000 25 $((20000 + servers - 1)) | head -20) >> "$work/history.txt"
done

echo
echo "$days days of $servers servers (seeded in $seeded s); runs: $runs, 5 refreshes each"
printf '%-50s %10s %10s %10s   %s\n' "" median min max target
printf '%-50s %10.1f %21s   %s\n' "file size, MB" "$(awk -v s="$size" 'BEGIN { print s / 1e6 }')" \
    "" "< 50"
row "record one refresh of $servers, ms" "$(figures "$work/history.txt" record_ms)" "< 16"
row "hourly roll-up, ms" "$(figures "$work/history.txt" rollup_ms)" ""
row "History tab, selection to charts drawn, ms" "$(figures "$work/history.txt" tab_ms)" "< 50"
