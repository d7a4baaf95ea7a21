#!/usr/bin/env bash
# Quorvane.exe under Wine with the "Metrics Folder" registry value set writes
# quorvane.prom there after every sample, byte for byte the text the Linux
# program writes for the same sample (the sample's time and count aside). A
# symbolic link planted at the temporary name, as anyone who may write the
# shared folder could, is replaced and its target left as it was.
# It replaces the prefix's netsh by a fake, so it runs alone, and puts back
# netsh and Quorvane's settings and log when it ends.
set -euo pipefail
if [ -z "${QUORVANE_ON_DESKTOP:-}" ]; then
  exec env QUORVANE_ON_DESKTOP=1 xvfb-run --auto-servernum --server-args="-nolisten tcp" "$0" "$@"
fi
: "${QUORVANE_EXE:?}" "${WINEPREFIX:?}" "${FAKE_NETSH:?}" "${NETSH_OUTPUT:?}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;netsh.exe=n"
export FAKE_NETSH_MODE="print:Z:$NETSH_OUTPUT"
WORK=$(mktemp -d)
KEY='HKCU\Software\VB and VBA Program Settings\Brindlewick\Quorvane'
NETSH=$WINEPREFIX/drive_c/windows/system32/netsh.exe
LOG=$WINEPREFIX/drive_c/users/$(id -un)/Temp/Quorvane.txt
PROM=$WORK/metrics/quorvane.prom
mkdir -p "$WORK/metrics"
echo "someone else's file" >"$WORK/target.txt"
ln -s "$WORK/target.txt" "$WORK/metrics/quorvane.prom.tmp"

openbox >/dev/null 2>&1 &
WINDOW_MANAGER=$!
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -f "$WORK/netsh.exe" ] && cp "$WORK/netsh.exe" "$NETSH"
  wine reg delete "$KEY" /f >/dev/null 2>&1 || true
  rm -f "$LOG"
  wineserver -k 2>/dev/null || true
  # The server and Wine's background services for the tests that follow, started
  # as the test command starts them: detached from the test's output and display.
  wineserver -p 30 </dev/null >/dev/null 2>&1 || true
  env -u DISPLAY wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  kill "$WINDOW_MANAGER" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT
fail() {
  echo "FAILED: $*" >&2
  exit 1
}

wineserver -k 2>/dev/null || true
cp "$NETSH" "$WORK/netsh.exe"
cp "$FAKE_NETSH" "$NETSH"
wine reg delete "$KEY" /f >/dev/null 2>&1 || true
wine reg add "$KEY" /v "Metrics Folder" /d "$(winepath -w "$WORK/metrics")" /f >/dev/null
wine reg add "$KEY" /v OftenIndex /d 1 /f >/dev/null  # a sample every second
rm -f "$LOG"
wine "$QUORVANE_EXE" >"$WORK/quorvane.out" 2>&1 &

# The second sample's file: written again, not only once.
second_sample_written() { grep -qx 'quorvane_samples_total [2-9]' "$PROM" 2>/dev/null; }
for _ in $(seq 300); do
  second_sample_written && break
  sleep 0.1
done
second_sample_written || fail "no quorvane.prom after two samples; log: $(cat "$LOG" 2>/dev/null)"
cp "$PROM" "$WORK/written.prom"
[ "$(cat "$WORK/target.txt")" = "someone else's file" ] ||
  fail "the file behind a link planted at quorvane.prom.tmp was written"
[ ! -L "$PROM" ] || fail "quorvane.prom is the planted link"
[ "$(grep -c 'WiFi Signal Strength is 65%' "$LOG")" -ge 2 ] || fail "the samples were not logged"
[ "$(wine reg query "$KEY" /v "Metrics Folder" | tr -d '\r' | grep -c 'REG_SZ')" -eq 1 ] ||
  fail "the Metrics Folder value was changed"

# The time and the count vary; everything else is fixed, down to the LF line ends.
sed -E -e 's/^(quorvane_last_sample_timestamp_seconds) [0-9]{10}$/\1 TIME/' \
  -e 's/^(quorvane_samples_total) [0-9]+$/\1 COUNT/' "$WORK/written.prom" >"$WORK/masked.prom"
cat >"$WORK/expected.prom" <<'TEXT'
# HELP quorvane_wifi_signal_ratio WiFi signal strength read by Method #1, the wireless tool's percentage as 0 to 1.
# TYPE quorvane_wifi_signal_ratio gauge
quorvane_wifi_signal_ratio 0.65
# HELP quorvane_wifi_connected 1 when the last sample found a WiFi connection, 0 when it found none.
# TYPE quorvane_wifi_connected gauge
quorvane_wifi_connected 1
# HELP quorvane_last_sample_timestamp_seconds Unix time of the last sample.
# TYPE quorvane_last_sample_timestamp_seconds gauge
quorvane_last_sample_timestamp_seconds TIME
# HELP quorvane_interval_seconds Seconds between automatic samples, 0 while automatic logging is off.
# TYPE quorvane_interval_seconds gauge
quorvane_interval_seconds 1
# HELP quorvane_samples_total Samples taken since Quorvane started.
# TYPE quorvane_samples_total counter
quorvane_samples_total COUNT
# HELP quorvane_info Quorvane's version and the method of the last sample.
# TYPE quorvane_info gauge
TEXT
printf 'quorvane_info{version="%s",method="1"} 1\n' "$QUORVANE_VERSION" >>"$WORK/expected.prom"
cmp "$WORK/masked.prom" "$WORK/expected.prom" ||
  fail "quorvane.prom differs: $(diff "$WORK/expected.prom" "$WORK/masked.prom" | cat -A)"
# The sample's time is now's, in Unix seconds.
written=$(sed -n 's/^quorvane_last_sample_timestamp_seconds //p' "$WORK/written.prom")
[ $(($(date +%s) - written)) -lt 60 ] || fail "timestamp $written is not now"
echo "Quorvane.exe wrote quorvane.prom through the registry's Metrics Folder: ok"
