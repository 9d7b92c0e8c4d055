#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) in
# build-fuzz and runs each in turn for the given number of seconds, starting from its seed corpus and
# dictionary. New inputs are kept in build-fuzz/corpus/<target>, findings in build-fuzz/findings/<target>,
# the output in build-fuzz/logs/<target>.log. Prints, per target, executions per second, coverage and
# findings; exits with 1 when any target found something.
#
#   fuzz/run-fuzzers.sh [seconds per target, default 60] [target ...]
#   nice -n 19 fuzz/run-fuzzers.sh 600                 # ten minutes each, kind to a shared machine
#   fuzz/run-fuzzers.sh 30 drive_model project_file
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${SERVO_FUZZ_BUILD_DIR:-build-fuzz}
seconds=${1:-60}
shift || true

if ! command -v "${CXX:-clang++}" >/dev/null; then
    echo "The fuzz targets need clang with libFuzzer (Debian: apt-get install clang libclang-rt-14-dev)." >&2
    exit 2
fi
CC=${CC:-clang} CXX=${CXX:-clang++} cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSERVO_BUILD_FUZZ=ON -DSERVO_BUILD_TESTS=OFF -DSERVO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"${JOBS:-2}" --target servo_fuzzers >/dev/null

if [ $# -gt 0 ]; then
    targets=("$@")
else
    targets=()
    for exe in "$build"/bin/fuzz_*; do
        targets+=("$(basename "$exe" | sed 's/^fuzz_//')")
    done
fi

export QT_QPA_PLATFORM=offscreen
# Slow unwinding lets LeakSanitizer see through Qt's frames to the suppressed Qt function.
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1:fast_unwind_on_malloc=0:malloc_context_size=16
export LSAN_OPTIONS=suppressions=$root/scripts/lsan-suppressions.txt:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

status=0
printf '%-16s %8s %10s %10s %6s %8s\n' target seconds execs/s coverage inputs findings
for target in "${targets[@]}"; do
    exe=$build/bin/fuzz_$target
    seeds=fuzz/$target/corpus
    corpus=$build/corpus/$target
    findings=$build/findings/$target
    log=$build/logs/$target.log
    mkdir -p "$corpus" "$findings" "$(dirname "$log")"
    # The largest seed sets the longest input the fuzzer makes; databases need whole pages.
    maxlen=$(find "$seeds" -type f -printf '%s\n' | sort -n | tail -1)
    maxlen=$(( maxlen > 4096 ? maxlen : 4096 ))
    "$exe" -max_total_time="$seconds" -dict="fuzz/$target/$target.dict" -max_len="$maxlen" \
        -artifact_prefix="$findings/" -print_final_stats=1 -close_fd_mask=3 "$corpus" "$seeds" >"$log" 2>&1 || true
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    elapsed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
    coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | sed 's/cov: //')
    inputs=$(find "$corpus" -type f | wc -l)
    found=$(find "$findings" -type f | wc -l)
    printf '%-16s %8s %10s %10s %6s %8s\n' "$target" "$seconds" "${elapsed:-?}" "${coverage:-?}" "$inputs" "$found"
    if [ "$found" -gt 0 ] || [ -z "$execs" ]; then
        status=1
        echo "  see $log and $findings" >&2
    fi
done
exit $status
