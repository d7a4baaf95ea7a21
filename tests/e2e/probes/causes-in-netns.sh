#!/usr/bin/env bash
# The network probes for real, inside network namespaces of the test's own (as
# root): a "router" namespace and an "internet" namespace behind it, and Quorvane
# in a third whose default route goes through the router. Nothing leaves those
# namespaces: the addresses exist only there, and no route leads out. The test
# takes the internet down, then the router, then the WiFi (the fake nmcli says
# no connection), restoring each, and the journal's causes must follow, to the
# sample.
if [ "$(id -u)" -ne 0 ]; then
  echo "skipped: network namespaces need root"
  exit 77
fi
source "$(dirname "$0")/../e2e-lib.sh"

source "$(dirname "$0")/netns-lib.sh"
netns_cleanup() {
  netns_delete
  e2e_cleanup
}
trap netns_cleanup EXIT
netns_make qv
ip netns exec "$HOST" ping -c1 -W2 10.199.2.2 >/dev/null || fail "the namespaces do not route"

export XDG_DATA_HOME=$WORK/data
JOURNAL=$XDG_DATA_HOME/quorvane/journal
printf ' :70\n' >"$WORK/nmcli-says"
printf '#!/bin/sh\ncat "%s"\n' "$WORK/nmcli-says" >"$WORK/bin/nmcli"
chmod +x "$WORK/bin/nmcli"
e2e_settings "Internet%20Targets=10.199.2.2" "OftenIndex=2"

e2e_start_desktop
ip netns exec "$HOST" "$QUORVANE" >"$WORK/quorvane.out" 2>&1 &
QUORVANE_PID=$!
PIDS+=($QUORVANE_PID)
wait_for 15 main_window_shown || fail "the main window did not appear"
W=$(main_window)

# Probes are off until the user turns them on in the history list's menu.
xdotool mousemove --window "$W" 260 150 click 3
wait_for 5 other_window_shown || fail "no menu on a right click"
shot probes-menu-item
xdotool key --clearmodifiers Down Down Down Return
wait_for 5 setting_is "Network%20Probes" On || fail "the menu item did not turn the probes on"

records() { cat "$JOURNAL"/*.csv 2>/dev/null | tail -n +2 | grep -c . || true; }
has_records() { [ "$(records)" -ge "$1" ]; }
# The cause column taken by its name in the header, of the records after the first $1.
causes_after() {
  cat "$JOURNAL"/*.csv |
    awk -F, -v skip="$1" 'NR == 1 { for (i = 1; i <= NF; i++) if ($i == "cause") c = i; next }
                          NR > skip + 1 { print $c }'
}

# Waits for the next record, changes the network at once (the next sample is
# seconds away), and checks the two records after the change.
step() {
  local what=$1 expected=$2
  shift 2
  local before
  before=$(records)
  wait_for 15 has_records $((before + 1)) || fail "no sample before: $what"
  before=$(records)
  "$@"
  wait_for 20 has_records $((before + 2)) || fail "no samples after: $what"
  local got
  got=$(causes_after "$before" | head -2 | tr '\n' ' ')
  [ "$got" = "$expected $expected " ] || fail "$what: causes $got, expected $expected"
  echo "$what: $got"
}

step "all up" ok true
step "internet down" internet internet_down
step "internet back" ok internet_up
step "router down" router router_down
step "router back" ok router_up
step "wifi down" wifi sh -c ": >'$WORK/nmcli-says'"
step "wifi back" ok sh -c "printf ' :70\n' >'$WORK/nmcli-says'"

grep -q "^time,method,value,connected,router,router_rtt_ms,internet,internet_rtt_ms,cause" \
  "$JOURNAL"/*.csv || fail "no header"
[ "$(log_lines)" -eq "$(records)" ] || fail "the log and the journal differ: $(log_lines) lines"
shot probes-in-netns

# The report lists the same outages with their causes.
ip netns exec "$HOST" "$QUORVANE" --report --format json -o "$WORK/report.json" ||
  fail "no JSON report"
for cause in internet router wifi; do
  grep -q "\"cause\": \"$cause\"}" "$WORK/report.json" || fail "no $cause outage in the JSON"
done
python3 - "$WORK/report.json" <<'PY' || fail "the JSON's outages are not one of each cause"
import json, sys
report = json.load(open(sys.argv[1]))
causes = [outage["cause"] for outage in report["outages"]]
assert causes == ["internet", "router", "wifi"], causes
assert all(report["summary"]["outages"][c]["count"] == 1 for c in causes)
PY
ip netns exec "$HOST" "$QUORVANE" --report -o "$WORK/report.html" || fail "no HTML report"
grep -q "<h3>For your provider</h3>" "$WORK/report.html" || fail "no list for the provider"
# Headless chromium inside the namespace too: it has no way out either.
ip netns exec "$HOST" timeout 90 chromium --headless=new --no-sandbox --disable-gpu \
  --no-first-run --disable-background-networking --disable-component-update --disable-sync \
  --user-data-dir="$WORK/chromium" --window-size=1280,2600 --screenshot="$SHOTS/probes-report.png" \
  "file://$WORK/report.html" >/dev/null 2>&1 || fail "no screenshot of the report"
echo "causes in network namespaces: ok"
