#!/usr/bin/env bash
# Whether the shown pings tell the truth under load: 2,000 stand-in servers hold each reply 30 ms
# and report how long they held it; a master stand-in lists them. The Servers window (offscreen,
# painting its table) refreshes the list, then vantrel-query asks the same list. For each answer,
# the ping shown minus the time the server held the reply: its median and 99th percentile.
# Builds what it needs, starts the stand-ins on fixed loopback ports and stops them at the end.
# Usage: bench/ping-truth.sh [BUILD-FOLDER] [HOLD-MS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
hold=${2:-30}

# Clear of the demo's and bench/browser.sh's ports, and below the ephemeral ones.
first=28000
count=2000
masterPort=27980

cmake -S "$root" -B "$build" -DVANTREL_BENCHMARKS=ON > /dev/null
cmake --build "$build" -j2 --target bench_browser vantrel-standin vantrel-master vantrel-query > /dev/null

source "$root/bench/standins.sh"

start "$build/tools/standin/vantrel-standin" --count "$count" --port "$first" --hold-ms "$hold"
start "$build/tools/master/vantrel-master" --port "$masterPort" \
    --servers "127.0.0.1:$first-$((first + count - 1))"
held="$work/standin-0.log"

timeout 40 "$build/bench/bench_browser" --pings --master "127.0.0.1:$masterPort" |
    awk '$1 == "ping" { print $2, $3 }' > "$work/window.txt"
windowHeld=$(wc -l < "$held")
timeout 10 "$build/src/cli/vantrel-query" --master="127.0.0.1:$masterPort" --game FTE-Quake |
    awk '{ for (i = 1; i <= NF; i++) if ($i ~ /^127\.0\.0\.1:[0-9]+$/) print $i, $1 }' \
        > "$work/query.txt" || true

# Reads "held PORT CLIENT MS" lines, then "ADDRESS PING" lines, and prints ping minus held for
# each answer timed from the first request, sorted; the answers timed from the second (shown with
# a "~") are only counted, into $work/resent.
differences() {
    awk -v resentFile="$work/resent" '$1 == "held" { if (!($2 in held)) held[$2] = $4; next }
        { split($1, address, ":") }
        $2 ~ /^~/ { ++resent; next }
        address[2] in held { print $2 - held[address[2]] }
        END { print resent + 0 > resentFile }' "$@" | sort -g
}
row() {
    local label=$1
    shift
    differences "$@" > "$work/differences"
    awk -v label="$label" -v resent="$(cat "$work/resent")" '{ d[NR] = $1 }
        END { p = NR * 0.99; if (p > int(p)) p = int(p) + 1
              printf "%-38s %8d %10.2f %10.2f %10.2f %8d\n", label, NR, d[int((NR + 1) / 2)],
                     d[p], d[NR], resent }' "$work/differences"
}

echo
echo "$count servers on loopback holding each reply $hold ms, listed by a master stand-in"
printf '%-38s %8s %10s %10s %10s %8s\n' "shown ping - time held, ms" answers median "99th pct" \
    max resent
row "Servers window (offscreen, painting)" <(head -n "$windowHeld" "$held") "$work/window.txt"
row "vantrel-query --master" <(tail -n +"$((windowHeld + 1))" "$held") "$work/query.txt"
