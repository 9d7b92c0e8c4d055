#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) in
# build-fuzz and runs each in turn for the given number of seconds, starting from its seed corpus and
# dictionary. New inputs are kept in build-fuzz/corpus/<target>, findings in build-fuzz/findings/<target>,
# the output in build-fuzz/logs/<target>.log. Prints, per target, executions per second, coverage and
# findings; then replays every kept input with LeakSanitizer. Exits with 1 when any target found something.
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
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Fuzzing records where each block was allocated with the fast frame-pointer unwinder and leaves leaks to
# the replay below: the slow unwinder that sees through Qt's frames costs a hundred times the executions.
fuzz_asan=allocator_may_return_null=1:detect_leaks=0
# The replay runs every input the fuzzer kept once more, in one process, with LeakSanitizer and the slow
# unwinder, so that Qt's own leaks are matched by the Qt function in the suppression file and any other
# leak is a finding.
replay_asan=allocator_may_return_null=1:detect_leaks=1:fast_unwind_on_malloc=0:malloc_context_size=64
export LSAN_OPTIONS=suppressions=$root/scripts/lsan-suppressions.txt:print_suppressions=0

status=0
printf '%-16s %8s %10s %10s %7s %8s %5s %s\n' target seconds execs/s coverage inputs findings slow leaks
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
    # A target's own libFuzzer flags, for instance a memory limit below what it may ever need.
    read -r -a options <<<"$(cat "fuzz/$target/$target.options" 2>/dev/null || true)"
    ASAN_OPTIONS=$fuzz_asan "$exe" -max_total_time="$seconds" -dict="fuzz/$target/$target.dict" \
        -max_len="$maxlen" -artifact_prefix="$findings/" -print_final_stats=1 -close_fd_mask=3 \
        "${options[@]}" "$corpus" "$seeds" >"$log" 2>&1 || true
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
    coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | sed 's/cov: //')
    inputs=$(find "$corpus" -type f | wc -l)
    # Crashes, undefined behaviour, timeouts and running out of memory fail the run; an input slower
    # than ten seconds is kept and counted for a look, but is not a failure by itself.
    found=$(find "$findings" -type f ! -name 'slow-unit-*' | wc -l)
    slow=$(find "$findings" -type f -name 'slow-unit-*' | wc -l)
    leaks=0
    find "$corpus" "$seeds" -type f -print0 | xargs -0 env ASAN_OPTIONS=$replay_asan "$exe" -close_fd_mask=3 \
        >"$build/logs/$target.replay.log" 2>&1 || leaks=1
    printf '%-16s %8s %10s %10s %7s %8s %5s %s\n' "$target" "$seconds" "${rate:-?}" "${coverage:-?}" \
        "$inputs" "$found" "$slow" "$leaks"
    if [ "$found" -gt 0 ] || [ "$leaks" -gt 0 ] || [ -z "$execs" ]; then
        status=1
        echo "  see $log, $build/logs/$target.replay.log and $findings" >&2
    fi
done
exit $status
