#!/usr/bin/env bash
# Installs what is missing, builds Quorvane and starts it. Only the program is
# built (the "run" preset, without the tests), so the run packages suffice.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh run
cmake --preset run >/dev/null
cmake --build --preset run -j"$(nproc)"

# Without a display the program says so and runs on Qt's offscreen platform.
exec build-run/app/quorvane "$@"
