#!/usr/bin/env bash
# Crash consistency of Quorvane.exe under Wine: sampling every second, with its
# log-now button pressed as fast as it answers, it is ended with TerminateProcess
# at a random moment, over and over. Every line of the log must stay whole.
#   kill-while-sampling.sh <Quorvane.exe> <killer .exe> [cycles]
# The Wine prefix is shared with the other Windows tests: run alone.
set -euo pipefail
quorvane=$1 killer=$2 cycles=${3:-100}
: "${WINEPREFIX:?}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

settings='HKCU\Software\VB and VBA Program Settings\Brindlewick\Quorvane'
log=$WINEPREFIX/drive_c/users/$(id -un)/Temp/Quorvane.txt
cleanup() {
  wine reg delete "$settings" /f >/dev/null 2>&1 || true
  rm -f "$log" "$log.kills"
}
trap cleanup EXIT
wine reg delete "$settings" /f >/dev/null 2>&1 || true
for value in OftenIndex=1 StartStopState=On; do
  wine reg add "$settings" /v "${value%%=*}" /t REG_SZ /d "${value#*=}" /f >/dev/null 2>&1
done
rm -f "$log"

status=0
# On a display of its own with a window manager: without one, Wine waits two
# seconds for every window it takes down.
"$(dirname "$0")/wine-on-a-desktop.sh" "$killer" "$(winepath -w "$quorvane" 2>/dev/null)" "$cycles" \
  </dev/null >"$log.kills" 2>/dev/null || status=$?
killed=$(tr -d '\r' <"$log.kills")
[ "$status" -eq 0 ] || { echo "FAILED: $killed of $cycles kills"; exit 1; }
lines=$(wc -l <"$log")
# Wine's own netsh prints nothing: "0% (no connection)".
malformed=$(grep -cvE $'^[0-9/]+ [0-9:]+( [AP]M)? WiFi Signal Strength is 0% \\(no connection\\)\r$' "$log" || true)
[ -z "$(tail -c 1 "$log")" ] || malformed=$((malformed + 1))  # a last line without its end
echo "TerminateProcess kills: $killed; lines in the log: $lines; malformed lines: $malformed"
[ "$lines" -gt "$cycles" ] || { echo "FAILED: too few lines to judge"; exit 1; }
[ "$malformed" -eq 0 ] || { echo "FAILED: the log holds broken lines"; grep -nvE 'connection\)'$'\r''$' "$log" | head; exit 1; }
