#!/usr/bin/env bash
# Crash consistency: Quorvane sampling every second is killed with SIGKILL over
# and over. Every line already in the log must stay whole, and no line may be
# half-written and then followed by another on the same line; the same for the
# journal's records, each month file beginning with its header once.
set -euo pipefail
QUORVANE=${QUORVANE:?set QUORVANE to the program}
CYCLES=${CYCLES:-25}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config TEMP=$work/temp
export XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=offscreen PATH=$work/bin:$PATH
mkdir -p "$XDG_CONFIG_HOME/Brindlewick" "$TEMP" "$work/bin"
mkdir -m 700 "$XDG_RUNTIME_DIR"
printf '[Quorvane]\nOftenIndex=1\n' >"$XDG_CONFIG_HOME/Brindlewick/Quorvane.ini"
printf '#!/bin/sh\nprintf " :64\\n"\n' >"$work/bin/nmcli"
chmod +x "$work/bin/nmcli"
log=$TEMP/Quorvane.txt

for cycle in $(seq "$CYCLES"); do
  "$QUORVANE" >/dev/null 2>&1 &
  pid=$!
  # Between 0.3 and 2.3 seconds: sometimes before the first sample, mostly
  # in the middle of one.
  sleep "$(awk -v r=$RANDOM 'BEGIN{printf "%.2f", 0.3 + 2.0 * r / 32768}')"
  kill -KILL "$pid"
  wait "$pid" 2>/dev/null || true
done

lines=$(wc -l <"$log")
malformed=$(grep -cvE '^[0-9/]+ [0-9:]+( [AP]M)? WiFi Signal Strength is 64%$' "$log" || true)
[ -z "$(tail -c 1 "$log")" ] || malformed=$((malformed + 1))  # a last line without its end
echo "kill cycles survived: $CYCLES; lines in the log: $lines; malformed lines: $malformed"
[ "$lines" -gt 0 ] || { echo "FAILED: nothing was logged"; exit 1; }
[ "$malformed" -eq 0 ] || { echo "FAILED: the log holds broken lines"; grep -nvE 'is 64%$' "$log" | head; exit 1; }

journal=$(cat "$work"/data/quorvane/journal/*.csv)
records=$(printf '%s\n' "$journal" | grep -cv '^time,' || true)
broken=$(printf '%s\n' "$journal" | grep -v '^time,method,value,connected,router,router_rtt_ms,internet,internet_rtt_ms,cause,ssid,bssid,frequency_mhz,band,channel,signal_dbm,bitrate_mbps,link$' |
  grep -cvE '^[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9:]{8}[+-][0-9]{2}:[0-9]{2},1,64%,yes,{13}$' || true)
headers=$(printf '%s\n' "$journal" | grep -c '^time,' || true)
echo "journal records: $records; broken records: $broken; headers: $headers"
[ "$broken" -eq 0 ] || { echo "FAILED: the journal holds broken records"; exit 1; }
[ "$headers" -eq "$(ls "$work"/data/quorvane/journal/*.csv | wc -l)" ] ||
  { echo "FAILED: a header repeated or missing"; exit 1; }
