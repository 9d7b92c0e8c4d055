#!/usr/bin/env bash
# Installs what is missing, builds the workbench and starts it on the demo project (simulated drives).
# Without a display it runs under a virtual X server, saves a screenshot and says where.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/configure-build.sh -DSERVO_BUILD_TESTS=OFF -DSERVO_BUILD_BENCH=OFF
cmake --build build -j"$(nproc)" --target servo-workbench pluginFuncode_Servo

app=build/bin/servo-workbench
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$app" "$@"
fi
shot="$PWD/build/servo-workbench.png"
echo "No display: starting the workbench on a virtual screen."
xvfb-run -a -s "-screen 0 1600x1000x24" "$app" --screenshot "$shot" "$@"
echo "Screenshot of the workbench: $shot"
