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
# goes to $work/standin-N.log, N counting from 0 in the order of starting; with "loud" before the
# program, every request it gets goes there too.
start() {
    local quiet=--quiet
    if [ "$1" = loud ]; then
        quiet=
        shift
    fi
    local log="$work/standin-${#pids[@]}.log"
    "$@" $quiet > "$log" 2>&1 &
    pids+=($!)
    for ((i = 0; i < 100; i++)); do
        grep -qs listening "$log" && return 0
        kill -0 "${pids[-1]}" 2> /dev/null || break
        sleep 0.1
    done
    echo "$(basename "$0"): $1 did not start:" >&2
    cat "$log" >&2
    exit 1
}

# Starts a master stand-in on port $1 listing $3 servers on 127.0.0.1 from port $2 on.
list() {
    start "$build/tools/master/vantrel-master" --port "$1" --servers "127.0.0.1:$2-$(($2 + $3 - 1))"
}
