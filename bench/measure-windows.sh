#!/usr/bin/env bash
# The Windows program's figures under Wine: the size of Quorvane.exe and the
# Win32 window's benchmarks, each figure in a process of its own, on a private X
# server with a window manager and a tray (Wine needs a display to create
# windows). The Wine prefix is the benchmarks' own, in the build folder.
# Prints key=value lines.
#   measure-windows.sh BUILD_FOLDER   (of the bench-windows preset)
set -euo pipefail
BUILD=$(realpath "$1")
EXE=$BUILD/app/windows/Quorvane.exe
BENCHMARKS=$BUILD/bench/windows/win32_benchmarks.exe
export WINEPREFIX=$BUILD/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# The prefix is made on first use, without a display: Wine's desktop process
# serves the display it was started on, so the server is started afresh below.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Making the Wine prefix (once)..." >&2
  wineboot -i >/dev/null 2>&1 </dev/null
  wineserver -w
fi
wineserver -k 2>/dev/null || true

export QUORVANE=$EXE SHOTS=${SHOTS:-/tmp}
source "$(dirname "$0")/../tests/e2e/e2e-lib.sh"
trap 'wineserver -k 2>/dev/null || true; e2e_cleanup' EXIT
e2e_start_desktop

echo "exe_bytes=$(stat -c %s "$EXE")"
# The stall first, before the long list fills have the machine busy.
for figure in stall stall-held-log stall-blocking history-list plain-list; do
  timeout 1800 wine "$BENCHMARKS" "$figure" </dev/null | tr -d '\r'
done
echo "wine=$(wine --version)"
