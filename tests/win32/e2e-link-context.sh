#!/usr/bin/env bash
# Quorvane.exe under Wine records the link's context with every sample, read from
# a wlanapi.dll of the tests' own in the prefix's system folder: the journal holds
# the network, access point, frequency, band, channel, strength and transmit rate,
# then "unavailable (location)" once the service refuses for want of location
# permission, and no sample is lost on the way. Method #1, probes off.
source "$(dirname "$0")/wine-e2e-lib.sh"
: "${FAKE_WLANAPI:?}"
# Native first, and only: Wine's own reports no interface.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;wlanapi=n"
SCRIPT=$WINEPREFIX/drive_c/quorvane-wlan.txt
WLANAPI=$WINEPREFIX/drive_c/windows/system32/wlanapi.dll
JOURNAL=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Brindlewick/Quorvane/journal
# Channel 5 at 5975 MHz: a 6 GHz access point, whose channel number alone would
# pass for 2.4 GHz.
CONNECTION=("interface connected" "rssi -58" "ssid QuorvaneLab" "bssid 0a:1b:2c:3d:4e:f5"
            "txrate 866700" "channel 5" "bss 0a:1b:2c:3d:4e:f5 5975000")

wlan_answers() { printf '%s\n' "$@" >"$SCRIPT.new" && mv "$SCRIPT.new" "$SCRIPT"; }
wine_e2e_prepare() {
  cp "$WLANAPI" "$WORK/wlanapi.dll"
  cp "$FAKE_WLANAPI" "$WLANAPI"
  if [ -d "$JOURNAL" ]; then mv "$JOURNAL" "$WORK/journal"; fi
  wlan_answers "${CONNECTION[@]}"
  local value
  for value in Option1=True Option2=False OftenIndex=1 StartStopState=On "Network Probes=Off"; do
    wine reg add "$SETTINGS_KEY" /v "${value%%=*}" /t REG_SZ /d "${value#*=}" /f >/dev/null 2>&1
  done
}
wine_e2e_restore() {
  if [ -f "$WORK/wlanapi.dll" ]; then cp "$WORK/wlanapi.dll" "$WLANAPI"; fi
  rm -f "$SCRIPT"
  rm -rf "$JOURNAL"
  if [ -d "$WORK/journal" ]; then mv "$WORK/journal" "$JOURNAL"; fi
}
# The journal's rows with this link column, once the header is there.
rows_with_link() {
  cat "$JOURNAL"/*.csv 2>/dev/null | tr -d '\r' | awk -F, -v link="$1" '
    NR == 1 { for (i = 1; i <= NF; i++) if ($i == "link") column = i; next }
    column && $column == link { n++ } END { print n + 0 }'
}
has_rows_with_link() { [ "$(rows_with_link "$1")" -ge "$2" ]; }

wine_e2e_start
wait_for 30 main_window_shown || fail "no main window appeared"
W=$(main_window)
wait_for 20 has_rows_with_link "" 3 || fail "no context in the journal: $(cat "$JOURNAL"/*.csv)"
wlan_answers "${CONNECTION[@]}" "location denied"
wait_for 20 has_rows_with_link "unavailable (location)" 3 ||
  fail "no unavailable context: $(tail -n 3 "$JOURNAL"/*.csv)"
shot win32-link-context
close_and_wait "$W" || fail "closing did not end the program"

python3 - "$LOG" "$JOURNAL" <<'PY' || fail "the journal does not follow the WLAN service"
import csv, glob, sys
log_lines = open(sys.argv[1], encoding="latin-1").read().splitlines()
rows = []
for name in sorted(glob.glob(sys.argv[2] + "/*.csv")):
    with open(name, newline="", encoding="utf-8") as journal:
        rows += list(csv.DictReader(journal))
assert len(rows) == len(log_lines), f"{len(rows)} journal records, {len(log_lines)} log lines"
links = [row["link"] for row in rows]
first_refused = links.index("unavailable (location)")
assert set(links[:first_refused]) == {""} and set(links[first_refused:]) == {
    "unavailable (location)"}, links
for row in rows[:first_refused]:
    assert (row["ssid"], row["bssid"], row["frequency_mhz"], row["band"], row["channel"],
            row["signal_dbm"]) == ("QuorvaneLab", "0a:1b:2c:3d:4e:f5", "5975", "6", "5",
                                   "-58"), row
    assert float(row["bitrate_mbps"]) == 866.7, row
for row in rows[first_refused:]:
    assert row["ssid"] == row["bssid"] == row["frequency_mhz"] == row["channel"] == "", row
PY
echo "the link's context under Wine: ok"
