#!/usr/bin/env bash
# Runs a Wine program on an X server of its own with a window manager.
# Wine's desktop process serves the display it was started on, so the prefix's
# server is started afresh here and ended afterwards; run nothing else of the
# prefix meanwhile. Without a window manager Wine waits two seconds for every
# window it takes down.
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
wineserver -k 2>/dev/null || true
status=0
wine "$@" || status=$?
wineserver -k 2>/dev/null || true
# The server and Wine's background services for the tests that follow, started
# as the test command starts them: detached from the test's output and display.
wineserver -p 30 </dev/null >/dev/null 2>&1 || true
env -u DISPLAY wine cmd /c exit </dev/null >/dev/null 2>&1 || true
kill "$window_manager" 2>/dev/null || true
wait "$window_manager" 2>/dev/null || true
exit $status
