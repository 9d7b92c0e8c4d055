#!/bin/sh
# Builds every benchmark executable (bench_*) and runs each headless, printing its results.
# Usage: bench/run_benchmarks.sh [build folder]   (default: <project>/build-bench)
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-"$ROOT/build-bench"}
JOBS=${JOBS:-2}

# A new build folder is configured for release; an existing one keeps its settings.
if [ -f "$BUILD/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$BUILD" -DSERVO_BUILD_BENCH=ON >/dev/null
else
    cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DSERVO_BUILD_BENCH=ON >/dev/null
fi
TARGETS=$(cmake --build "$BUILD" --target help | sed -n 's/^\.\.\. \(bench_[A-Za-z0-9_]*\).*/\1/p' | grep -v '_autogen$')
if [ -z "$TARGETS" ]; then
    echo "No benchmark targets found." >&2
    exit 1
fi
for target in $TARGETS; do
    cmake --build "$BUILD" --target "$target" -- -j"$JOBS" >/dev/null
done

# The anchors read the same files with Python's csv module and openpyxl (Debian's python3-openpyxl, used by
# the benchmarks only, so installed here rather than by the README's set-up).
if ! python3 -c 'import openpyxl' 2>/dev/null && command -v apt-get >/dev/null; then
    apt-get install -y python3-openpyxl >/dev/null 2>&1 || echo "(python3-openpyxl not installed: xlsx anchors skipped)"
fi
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"

export QT_QPA_PLATFORM=offscreen
export SERVO_DRIVES_DIR="$ROOT/data/drives"
export QT_LOGGING_RULES="qt.qpa.*=false;default.debug=false"
status=0
for target in $TARGETS; do
    echo "=== $target"
    "$BUILD/bin/$target" || status=1
done
exit $status
