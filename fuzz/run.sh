#!/usr/bin/env bash
# Builds the fuzz targets with clang, AddressSanitizer and UBSan in build-fuzz, and runs each for
# the given number of seconds (60 by default) on a copy of its seed corpus. Fails when any target
# finds a crash, a leak, a time-out or a broken property; the input that did it is kept in
# build-fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
targets=(fuzz_exchange fuzz_master fuzz_status)

scripts/install-packages.sh clang libclang-rt-14-dev

build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -DVANTREL_FUZZ=ON -DVANTREL_BENCHMARKS=OFF
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

rm -rf "$build/corpus" "$build/findings"
mkdir -p "$build/corpus" "$build/findings"
failed=()
# The exchange target rewrites its scripts at every query start: in memory where there is room.
[ -w /dev/shm ] && export TMPDIR=/dev/shm
for target in "${targets[@]}"; do
    cp -r "fuzz/corpus/$target" "$build/corpus/$target"
    # A short length control lets the inputs grow to whole exchanges within the minute.
    "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -len_control=10 \
        -print_final_stats=1 -artifact_prefix="$build/findings/$target-" \
        "$build/corpus/$target" >"$build/findings/$target.log" 2>&1 ||
        { failed+=("$target") && tail -n 60 "$build/findings/$target.log"; }
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzzing found problems in: ${failed[*]} (inputs in $build/findings)"
    exit 1
fi
echo "Fuzzing found nothing in ${#targets[@]} targets, $seconds s each."
