#!/usr/bin/env bash
# The link's context in the journal: nmcli's row in use moves to another access
# point of the same network (a roam), then that access point moves to another
# channel, and the journal's columns follow, sample by sample. This machine has
# no WiFi, so nl80211 tells nothing and nmcli's row in use gives the context.
source "$(dirname "$0")/e2e-lib.sh"
export XDG_DATA_HOME=$WORK/data
JOURNAL=$XDG_DATA_HOME/quorvane/journal
e2e_start_desktop

# Each call prints the next sample's list: three samples on the first access
# point, three after the roam, then the second one on channel 44.
cat >"$WORK/bin/nmcli" <<SCRIPT
#!/bin/sh
count=\$(cat "$WORK/nmcli-calls" 2>/dev/null || echo 0)
count=\$((count + 1))
echo \$count >"$WORK/nmcli-calls"
printf ' :40:Neighbour:02\\\\:00\\\\:00\\\\:00\\\\:00\\\\:09:6:2437 MHz:54 Mbit/s\n'
if [ \$count -le 3 ]; then
  printf '*:70:Home \\\\\\\\ 2nd:AA\\\\:BB\\\\:CC\\\\:00\\\\:00\\\\:01:36:5180 MHz:400 Mbit/s\n'
elif [ \$count -le 6 ]; then
  printf '*:62:Home \\\\\\\\ 2nd:AA\\\\:BB\\\\:CC\\\\:00\\\\:00\\\\:02:36:5180 MHz:300 Mbit/s\n'
else
  printf '*:58:Home \\\\\\\\ 2nd:AA\\\\:BB\\\\:CC\\\\:00\\\\:00\\\\:02:44:5220 MHz:270 Mbit/s\n'
fi
SCRIPT
chmod +x "$WORK/bin/nmcli"
e2e_settings "StartStopState=On" "OftenIndex=1"
e2e_start_quorvane
wait_for 15 main_window_shown || fail "the main window did not appear"
W=$(main_window)
records() { cat "$JOURNAL"/*.csv 2>/dev/null | tail -n +2 | grep -c . || true; }
has_records() { [ "$(records)" -ge "$1" ]; }
wait_for 30 has_records 8 || fail "only $(records) journal records"
shot link-context-roam
close_and_wait "$W" || fail "closing did not end the program"

# Each record read by its columns' names, in the order of the samples.
python3 - "$JOURNAL" <<'CHECK' || fail "the journal's link columns: $(cat "$JOURNAL"/*.csv)"
import csv, glob, sys
rows = []
for name in sorted(glob.glob(sys.argv[1] + "/*.csv")):
    with open(name, newline="", encoding="utf-8") as f:
        rows += list(csv.DictReader(f))
seen = [(r["bssid"], r["frequency_mhz"], r["band"], r["channel"], r["bitrate_mbps"]) for r in rows]
expected = [("aa:bb:cc:00:00:01", "5180", "5", "36", "400")] * 3 + \
           [("aa:bb:cc:00:00:02", "5180", "5", "36", "300")] * 3 + \
           [("aa:bb:cc:00:00:02", "5220", "5", "44", "270")] * (len(rows) - 6)
assert seen == expected, seen
# The name as written, a backslash doubled; nmcli tells no dBm; nothing refused.
assert all(r["ssid"] == "Home \\\\ 2nd" for r in rows), rows[0]["ssid"]
assert all(r["signal_dbm"] == "" and r["link"] == "" for r in rows)
assert [r["value"] for r in rows[:7]] == ["70%"] * 3 + ["62%"] * 3 + ["58%"]
CHECK

# The report finds the roam, the channel change and the three access points.
"$QUORVANE" --report "$LOG" --format json >"$WORK/report.json" 2>"$WORK/report.err" ||
  fail "the report: $(cat "$WORK/report.err")"
python3 - "$WORK/report.json" <<'CHECK' || fail "the report's link: $(cat "$WORK/report.json")"
import json, sys
report = json.load(open(sys.argv[1], encoding="utf-8"))
changes = [(c["kind"], c["from"], c["to"]) for c in report["link_changes"]]
assert changes == [("roam", "aa:bb:cc:00:00:01", "aa:bb:cc:00:00:02"), ("channel", "36", "44")], changes
points = sorted((p["bssid"], p["channel"], p["samples"]) for p in report["access_points"])
assert [p[:2] for p in points] == [("aa:bb:cc:00:00:01", 36), ("aa:bb:cc:00:00:02", 36),
                                   ("aa:bb:cc:00:00:02", 44)], points
assert [p[2] for p in points[:2]] == [3, 3], points
assert report["summary"]["link_changes"] == {"roam": 1, "network": 0, "band": 0, "channel": 1}
CHECK
echo "link context follows a roam: ok"
