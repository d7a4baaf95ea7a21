#!/usr/bin/env bash
# Installs what is missing, builds Quorvane and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh run
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: Quorvane runs without a window (Qt's offscreen platform) and keeps logging."
  export QT_QPA_PLATFORM=offscreen
fi
exec build/app/quorvane "$@"
