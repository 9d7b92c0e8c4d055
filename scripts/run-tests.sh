#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test suite headless, then builds and runs
# the suites again under AddressSanitizer and UndefinedBehaviorSanitizer (scripts/run-sanitizer-tests.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/configure-build.sh -DSERVO_BUILD_TESTS=ON -DSERVO_BUILD_BENCH=ON -DSERVO_TEST_FOLDERS=
cmake --build build -j"$(nproc)"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 300)
scripts/run-sanitizer-tests.sh
