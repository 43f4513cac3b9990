#!/usr/bin/env bash
# Players on every server. A master stand-in lists 500 stand-in servers, one in seven silent and
# 60 of the others with 1 to 16 players; the Servers window (offscreen) refreshes the list. For each
# refresh: the time from Refresh until every player of every answering server is listed, the
# datagrams each server got (from the stand-ins' own log of requests: most and mean), the GUI
# thread's longest stall. Then the window's resident memory over two refreshes of 5,000 servers,
# most of them with players. Builds what it needs, starts the stand-ins on fixed loopback ports and
# stops them at the end. With --plain, the servers answer as plain NetQuake servers, and the
# players are asked for one by one.
# Usage: bench/players.sh [BUILD-FOLDER] [RUNS] [--plain]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
runs=${2:-7}
plain=${3:-}

# Clear of the demo's, browser.sh's and ping-truth.sh's ports, and below the ephemeral ones.
smallFirst=30000
smallCount=500
populated=60
bigFirst=10000
bigCount=5000
silentEvery=7
smallMaster=27990
# The browser takes at most 4,096 servers from one master: 5,000 need two.
bigMasters=(27991 27992)

cmake -S "$root" -B "$build" -DVANTREL_BENCHMARKS=ON > /dev/null
cmake --build "$build" -j2 --target bench_browser vantrel-standin vantrel-master > /dev/null

source "$root/bench/standins.sh"
source "$root/bench/figures.sh"

standin="$build/tools/standin/vantrel-standin"
start loud "$standin" --count "$smallCount" --port "$smallFirst" --silent-every "$silentEvery" \
    --populated "$populated" $plain
requests="$work/standin-0.log"
start "$standin" --count "$bigCount" --port "$bigFirst" --silent-every "$silentEvery" $plain
list "$smallMaster" "$smallFirst" "$smallCount"
half=$((bigCount / 2))
list "${bigMasters[0]}" "$bigFirst" "$half"
list "${bigMasters[1]}" "$((bigFirst + half))" "$((bigCount - half))"
# "... with N servers, S of them silent, P players"
players() {
    grep -o '[0-9]* players' "$1" | cut -d' ' -f1
}
smallPlayers=$(players "$requests")
bigPlayers=$(players "$work/standin-1.log")

for ((run = 1; run <= runs; run++)); do
    echo "run $run of $runs..." >&2
    before=$(wc -l < "$requests")
    window "$work/window.txt" --master "127.0.0.1:$smallMaster" --players "$smallPlayers"
    # Each "PORT < CLIENT BYTES" line is a datagram the server at PORT got in this refresh.
    tail -n +"$((before + 1))" "$requests" |
        awk -v servers="$smallCount" '$2 == "<" { ++got[$1]; ++all }
            END { for (p in got) if (got[p] > most) most = got[p]
                  printf "datagrams_most %d\ndatagrams_mean %.3f\n", most, all / servers }' \
            >> "$work/window.txt"
    window "$work/memory.txt" --memory --players "$bigPlayers" \
        --master "127.0.0.1:${bigMasters[0]}" --master "127.0.0.1:${bigMasters[1]}"
done

echo
echo "$smallCount servers from a master stand-in on loopback, $((smallCount / silentEvery)) silent," \
    "$populated with $smallPlayers players between them${plain:+, plain NetQuake}; runs: $runs"
printf '%-50s %10s %10s %10s   %s\n' "" median min max "target; servers"
row "window: every player listed, ms" "$(figures "$work/window.txt" players_ms)" \
    "< 150; $(counts "$work/window.txt")"
row "window: every answering server listed, ms" "$(figures "$work/window.txt" answered_ms)" ""
row "window: refresh complete, ms" "$(figures "$work/window.txt" complete_ms)" ""
row "window: players listed" "$(figures "$work/window.txt" players)" "of $smallPlayers"
row "datagrams a server got, most" "$(figures "$work/window.txt" datagrams_most)" ""
row "datagrams a server got, mean" "$(figures "$work/window.txt" datagrams_mean)" ""
row "window: longest GUI-thread stall, ms" "$(figures "$work/window.txt" stall_ms)" "< 50"
echo
echo "$bigCount servers from two master stand-ins, $((bigCount / silentEvery)) silent," \
    "$bigPlayers players; resident memory before the first refresh:" \
    "$(median "$work/memory.txt" before_kib 1024) MiB"
row "window: growth after the first refresh, MiB" "$(figures "$work/memory.txt" first_kib 1024)" \
    "< 10; $(counts "$work/memory.txt")"
row "window: growth after the second refresh, MiB" \
    "$(figures "$work/memory.txt" second_kib 1024)" "< 10"
row "window: players listed (both)" "$(figures "$work/memory.txt" players)" "of $bigPlayers"
row "window: longest GUI-thread stall, ms (both)" "$(figures "$work/memory.txt" stall_ms)" ""
