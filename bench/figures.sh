# Sourced by the benchmark scripts: the figures of several runs, each run's "key value" lines
# gathered in one file.

# One run of the window's benchmark; its figures are added to the file.
window() {
    local out=$1
    shift
    if ! timeout 120 "$build/bench/bench_browser" "$@" >> "$out" 2> "$work/bench.log"; then
        echo "$(basename "$0"): bench_browser $* failed:" >&2
        cat "$work/bench.log" >&2
        exit 1
    fi
}

# The median, least and greatest of a key's values in a file, each scaled by a divisor.
figures() {
    awk -v key="$2" -v div="${3:-1}" '$1 == key { print $2 / div }' "$1" | sort -g |
        awk '{ a[NR] = $1 } END { m = (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2;
                                  printf "%10.1f %10.1f %10.1f", m, a[1], a[NR] }'
}
median() {
    figures "$@" | awk '{ print $1 }'
}
# How many servers were listed and answered, as a range when the runs differ.
counts() {
    awk '$1 == "answered" || $1 == "rows" {
             if (!($1 in lo) || $2 < lo[$1]) lo[$1] = $2
             if (!($1 in hi) || $2 > hi[$1]) hi[$1] = $2
         }
         function span(k) { return lo[k] == hi[k] ? lo[k] : lo[k] "-" hi[k] }
         END { printf "%s of %s answered", span("answered"), span("rows") }' "$1"
}
row() {
    printf '%-50s %s   %s\n' "$1" "$2" "$3" | sed 's/ *$//'
}
