#!/usr/bin/env bash
# The Servers window against a master stand-in listing 500 stand-in servers, one in seven silent,
# side by side with QStat on the same list, and the window's resident memory for 5,000 servers.
# Builds what it needs, starts the stand-ins on fixed loopback ports and stops them at the end.
# Usage: bench/browser.sh [BUILD-FOLDER] [RUNS] [QSTAT-RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
runs=${2:-7}
qstatRuns=${3:-3}

# Clear of the demo's ports (26000-26030, 27950) and below the ephemeral ones.
smallFirst=20000
smallCount=500
bigFirst=21000
bigCount=5000
silentEvery=7
smallMaster=27970
# The browser takes at most 4,096 servers from one master: 5,000 need two.
bigMasters=(27971 27972)

command -v quakestat > /dev/null || { echo "browser.sh: quakestat (Debian package qstat) is missing" >&2; exit 1; }
cmake -S "$root" -B "$build" -DVANTREL_BENCHMARKS=ON > /dev/null
cmake --build "$build" -j2 --target bench_browser vantrel-standin vantrel-master > /dev/null

source "$root/bench/standins.sh"
source "$root/bench/figures.sh"

standin="$build/tools/standin/vantrel-standin"
start "$standin" --count "$smallCount" --port "$smallFirst" --silent-every "$silentEvery"
start "$standin" --count "$bigCount" --port "$bigFirst" --silent-every "$silentEvery"
list "$smallMaster" "$smallFirst" "$smallCount"
half=$((bigCount / 2))
list "${bigMasters[0]}" "$bigFirst" "$half"
list "${bigMasters[1]}" "$((bigFirst + half))" "$((bigCount - half))"

# One whole QStat process: its time, and how many servers it listed and how many answered.
qstat() {
    local out=$1 start end
    shift
    start=$(date +%s%N)
    timeout 600 quakestat -cfg "$root/tools/master/quakestat-nqm.cfg" "$@" -nqm "127.0.0.1:$smallMaster" > "$work/qstat.txt"
    end=$(date +%s%N)
    local listed silent
    listed=$(grep -c '^QS ' "$work/qstat.txt" || true)
    silent=$(grep -c 'no response' "$work/qstat.txt" || true)
    printf 'complete_ms %d\nrows %d\nanswered %d\n' $(((end - start) / 1000000)) "$listed" \
        $((listed - silent)) >> "$out"
}

for ((run = 1; run <= runs; run++)); do
    echo "run $run of $runs..." >&2
    window "$work/window.txt" --master "127.0.0.1:$smallMaster"
    window "$work/memory.txt" --memory --master "127.0.0.1:${bigMasters[0]}" \
        --master "127.0.0.1:${bigMasters[1]}"
    if ((run <= qstatRuns)); then
        qstat "$work/qstat-default.txt"
        qstat "$work/qstat-maxsim.txt" -maxsim 500
    fi
done

echo
echo "500 servers from a master stand-in on loopback, $((smallCount / silentEvery)) silent;" \
    "runs: $runs of the window, $qstatRuns of QStat"
printf '%-50s %10s %10s %10s   %s\n' "" median min max "target; servers"
row "window: every answering server listed, ms" "$(figures "$work/window.txt" answered_ms)" \
    "< 100; $(counts "$work/window.txt")"
row "window: refresh complete, ms" "$(figures "$work/window.txt" complete_ms)" ""
row "window: longest GUI-thread stall, ms" "$(figures "$work/window.txt" stall_ms)" "< 50"
row "QStat default: complete, ms" "$(figures "$work/qstat-default.txt" complete_ms)" \
    "$(counts "$work/qstat-default.txt")"
row "QStat -maxsim 500: complete, ms" "$(figures "$work/qstat-maxsim.txt" complete_ms)" \
    "$(counts "$work/qstat-maxsim.txt")"
awk -v q="$(median "$work/qstat-default.txt" complete_ms)" \
    -v m="$(median "$work/qstat-maxsim.txt" complete_ms)" \
    -v w="$(median "$work/window.txt" complete_ms)" \
    'BEGIN { printf "%-50s %10.1f %21s   >= 10\n%-50s %10.1f\n", "QStat default / window, complete (medians)",
             q / w, "", "QStat -maxsim 500 / window, complete (medians)", m / w }'
echo
# The stand-ins answer their status, so every row keeps its players too: about four a server.
echo "$bigCount servers from two master stand-ins, $((bigCount / silentEvery)) silent;" \
    "resident memory before the first refresh: $(median "$work/memory.txt" before_kib 1024) MiB"
row "window: growth after the first refresh, MiB" "$(figures "$work/memory.txt" first_kib 1024)" \
    "< 10; $(counts "$work/memory.txt")"
row "window: growth after the second refresh, MiB" \
    "$(figures "$work/memory.txt" second_kib 1024)" "< 10"
row "window: every answering server listed, ms (both)" \
    "$(figures "$work/memory.txt" answered_ms)" ""
row "window: longest GUI-thread stall, ms (both)" "$(figures "$work/memory.txt" stall_ms)" ""
