#!/usr/bin/env bash
# Times whole queries of vantrel-query and QStat against the stand-in server with 16 players and
# 40 rules, both fetching everything, alternately, and prints both medians and their ratio.
# Usage: bench/compare-qstat.sh [BUILD-FOLDER] [RUNS]
set -euo pipefail
build=${1:-build}
runs=${2:-15}
port=27960

"$build/tools/standin/vantrel-standin" --host 127.0.0.1 --port "$port" --players 16 --rules 40 \
    --quiet > /dev/null &
server=$!
trap 'kill "$server" 2>/dev/null' EXIT
sleep 0.5

# Milliseconds one command takes, as a whole process.
elapsed() {
    local start end
    start=$(date +%s%N)
    "$@" > /dev/null
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}

median() {
    sort -n | awk '{ a[NR] = $1 } END { m = (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2; print m }'
}

vantrel=()
qstat=()
for ((i = 0; i < runs; i++)); do
    vantrel+=("$(elapsed "$build/src/cli/vantrel-query" "127.0.0.1:$port")")
    qstat+=("$(elapsed quakestat -qs "127.0.0.1:$port" -P -R)")
done

v=$(printf '%s\n' "${vantrel[@]}" | median)
q=$(printf '%s\n' "${qstat[@]}" | median)
echo "runs each: $runs (16 players, 40 rules, loopback)"
echo "vantrel-query median: $v us"
echo "quakestat -P -R median: $q us"
awk -v v="$v" -v q="$q" 'BEGIN { printf "ratio: quakestat takes %.1f times as long\n", q / v }'
