#!/usr/bin/env bash
# Crash consistency of Quorvane.exe under Wine: sampling every second, with its
# log-now button pressed as fast as it answers, it is ended with TerminateProcess
# at a random moment, over and over. Every line of the log must stay whole.
#   kill-while-sampling.sh <Quorvane.exe> <killer .exe> [cycles]
# The Wine prefix is shared with the other Windows tests: run alone.
set -euo pipefail
if [ -z "${QUORVANE_ON_DISPLAY:-}" ]; then
  exec env QUORVANE_ON_DISPLAY=1 xvfb-run --auto-servernum --server-args="-nolisten tcp" "$0" "$@"
fi
quorvane=$1 killer=$2 cycles=${3:-100}
: "${WINEPREFIX:?}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

settings='HKCU\Software\VB and VBA Program Settings\Brindlewick\Quorvane'
log=$WINEPREFIX/drive_c/users/$(id -un)/Temp/Quorvane.txt
# Without a window manager Wine waits two seconds for every window it takes down.
openbox >/dev/null 2>&1 &
window_manager=$!
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.05
done
cleanup() {
  wineserver -k 2>/dev/null || true
  kill "$window_manager" 2>/dev/null || true
  wine reg delete "$settings" /f >/dev/null 2>&1 || true
  rm -f "$log" "$log.kills"
  # The server for the tests that follow, detached from this display.
  wineserver -p 30 </dev/null >/dev/null 2>&1 || true
  env -u DISPLAY wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}
trap cleanup EXIT
# Wine's desktop process serves the display it was started on.
wineserver -k 2>/dev/null || true
wine reg delete "$settings" /f >/dev/null 2>&1 || true
for value in OftenIndex=1 StartStopState=On; do
  wine reg add "$settings" /v "${value%%=*}" /t REG_SZ /d "${value#*=}" /f >/dev/null 2>&1
done
rm -f "$log"

status=0
wine "$killer" "$(winepath -w "$quorvane" 2>/dev/null)" "$cycles" </dev/null >"$log.kills" 2>/dev/null ||
  status=$?
killed=$(tr -d '\r' <"$log.kills")
[ "$status" -eq 0 ] || { echo "FAILED: $killed of $cycles kills"; exit 1; }
lines=$(wc -l <"$log")
# Wine's own netsh prints nothing: "0% (no connection)".
malformed=$(grep -cvE $'^[0-9/]+ [0-9:]+( [AP]M)? WiFi Signal Strength is 0% \\(no connection\\)\r$' "$log" || true)
[ -z "$(tail -c 1 "$log")" ] || malformed=$((malformed + 1))  # a last line without its end
echo "TerminateProcess kills: $killed; lines in the log: $lines; malformed lines: $malformed"
[ "$lines" -gt "$cycles" ] || { echo "FAILED: too few lines to judge"; exit 1; }
[ "$malformed" -eq 0 ] || { echo "FAILED: the log holds broken lines"; grep -nvE 'connection\)'$'\r''$' "$log" | head; exit 1; }
