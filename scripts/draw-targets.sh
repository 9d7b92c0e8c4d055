#!/usr/bin/env bash
# Draws the dependency graph of the project's own targets and checks it (scripts/check-targets.py).
#   scripts/draw-targets.sh            writes docs/targets.dot and docs/targets.png (needs graphviz's dot)
#   scripts/draw-targets.sh --check DIR [LIBDIR]
#                                      only checks, configuring in DIR; with LIBDIR also runs ldd on the
#                                      libraries that must not load Qt Widgets (the test suite does this)
set -euo pipefail
cd "$(dirname "$0")/.."

graph_in() {
    local dir=$1
    mkdir -p "$dir"
    cat >"$dir/CMakeGraphVizOptions.cmake" <<'OPTIONS'
set(GRAPHVIZ_GRAPH_NAME "targets")
set(GRAPHVIZ_EXTERNAL_LIBS FALSE)
set(GRAPHVIZ_GENERATE_PER_TARGET FALSE)
set(GRAPHVIZ_GENERATE_DEPENDERS FALSE)
set(GRAPHVIZ_IGNORE_TARGETS "^Qt5::" "^PkgConfig::" "_autogen$" "^servo_fuzzers$" "^servo_icon_painter$" "^Fuzz")
OPTIONS
    cmake -S . -B "$dir" -DSERVO_BUILD_TESTS=OFF -DSERVO_BUILD_BENCH=OFF --graphviz="$dir/targets.dot" >/dev/null
    # Keep the graph without its legend, so that the drawing shows only the project.
    sed -i '/subgraph clusterLegend {/,/^}/d' "$dir/targets.dot"
}

if [ "${1:-}" = "--check" ]; then
    dir=$2
    graph_in "$dir"
    if [ -n "${3:-}" ]; then
        exec python3 scripts/check-targets.py "$dir/targets.dot" --libdir "$3"
    fi
    exec python3 scripts/check-targets.py "$dir/targets.dot"
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
graph_in "$tmp"
python3 scripts/check-targets.py "$tmp/targets.dot"
cp "$tmp/targets.dot" docs/targets.dot
# Drawn without the arrows implied by others (tred), so that the layers stand out.
tred docs/targets.dot | dot -Tpng -Grankdir=BT -Gdpi=70 -o docs/targets.png
echo "docs/targets.dot and docs/targets.png written"
