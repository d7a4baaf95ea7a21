#!/usr/bin/env bash
# Installs what is missing, builds Quorvane and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh run
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)"

# Without a display the program says so and runs on Qt's offscreen platform.
exec build/app/quorvane "$@"
