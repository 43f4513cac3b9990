# Sourced by the benchmark scripts: starts stand-in programs and stops them when the script ends.
# Sets work, a temporary folder removed at the end.
work=$(mktemp -d)
pids=()
stop() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2> /dev/null || true
    done
    rm -rf "$work"
}
trap stop EXIT

# Starts a stand-in program and waits, at most ten seconds, for it to say it listens. Its output
# goes to $work/standin-N.log, N counting from 0 in the order of starting.
start() {
    local log="$work/standin-${#pids[@]}.log"
    "$@" --quiet > "$log" 2>&1 &
    pids+=($!)
    for ((i = 0; i < 100; i++)); do
        grep -q listening "$log" && return 0
        kill -0 "${pids[-1]}" 2> /dev/null || break
        sleep 0.1
    done
    echo "$(basename "$0"): $1 did not start:" >&2
    cat "$log" >&2
    exit 1
}
