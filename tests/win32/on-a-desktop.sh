#!/usr/bin/env bash
# Runs a command on an X server of its own with a window manager. Wine makes
# windows only on a display, and without a window manager it waits two seconds
# for every window it takes down.
set -euo pipefail
if [ -z "${QUORVANE_ON_DESKTOP:-}" ]; then
  exec env QUORVANE_ON_DESKTOP=1 xvfb-run --auto-servernum --server-args="-nolisten tcp" "$0" "$@"
fi
openbox >/dev/null 2>&1 &
window_manager=$!
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.05
done
status=0
"$@" || status=$?
kill "$window_manager" 2>/dev/null || true
wait "$window_manager" 2>/dev/null || true
exit $status
