#!/usr/bin/env bash
# Builds the test suites with AddressSanitizer and UndefinedBehaviorSanitizer in their own folder
# (build-asan, without benchmarks) and runs them. A finding in the project's code (memory error, leak,
# undefined behaviour) fails the test that met it; Qt's own leaks are suppressed by library or function in
# scripts/lsan-suppressions.txt. scripts/run-tests.sh runs it after the normal suites, and so does CI.
#
# Name suites to build and run only those, for instance before landing a change:
#   scripts/run-sanitizer-tests.sh tst_QFunCodeDetailTable tst_FuzzCorpus
# The build folder can be changed with SERVO_ASAN_BUILD_DIR, the parallel jobs with JOBS.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${SERVO_ASAN_BUILD_DIR:-build-asan}
jobs=${JOBS:-$(nproc)}

# Unoptimised with line tables: GCC compiles the instrumented code three times faster than at -O1 with
# full debug information, the reports still name file and line, and the tests spend their time in the
# sanitizer runtime (recording where each block was allocated) rather than in our code. Debug keeps
# Q_ASSERT active.
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$build" "${launcher[@]}" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O0 -g1" -DSERVO_SANITIZE=ON \
    -DSERVO_BUILD_TESTS=ON -DSERVO_BUILD_BENCH=OFF -DSERVO_TEST_FOLDERS= >/dev/null

if [ $# -eq 0 ]; then
    cmake --build "$build" -j"$jobs"
    filter=()
else
    cmake --build "$build" -j"$jobs" --target "$@" pluginFuncode_Servo
    pattern=$(IFS='|'; echo "$*")
    filter=(-R "^(${pattern})\$")
fi

cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs" "${filter[@]}"
