#!/usr/bin/env bash
# Configures the build folder that the workbench and the test suites share (build), so that starting
# the workbench after running the tests, or the other way round, rebuilds nothing. Optimised, with line
# tables for backtraces: full debug information makes a build on a two-core machine half as fast again.
# Compiles through ccache when it is installed. Extra arguments go to cmake, for instance -DSERVO_BUILD_TESTS=ON.
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" "${launcher[@]}" "$@"
