#!/usr/bin/env bash
# The probe metrics in a real Prometheus, everything inside network namespaces of
# the test's own (as root): Quorvane with probes on, Debian's node_exporter reading
# its metrics folder and Prometheus scraping it on the namespace's own loopback.
# The internet, then the router, go down; the cause Prometheus holds follows and
# the outage alerts of docs/quorvane-alerts.yml become pending.
if [ "$(id -u)" -ne 0 ]; then
  echo "skipped: network namespaces need root"
  exit 77
fi
source "$(dirname "$0")/../e2e-lib.sh"
source "$(dirname "$0")/netns-lib.sh"
ALERTS=$(cd "$(dirname "$0")/../../../docs" && pwd)/quorvane-alerts.yml
netns_cleanup() {
  e2e_cleanup
  netns_delete
}
trap netns_cleanup EXIT
netns_make qp
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM  # headless: Qt's offscreen platform
TEXTFILES=$WORK/textfiles
mkdir -p "$TEXTFILES" "$WORK/prometheus-data"
in_host() { ip netns exec "$HOST" "$@"; }

# The namespace's loopback is its own: these ports are free there. Servers are
# started by `ip netns exec` itself, not through a function, so that the process
# ids kept for the end are theirs.
ip netns exec "$HOST" prometheus-node-exporter --web.listen-address=127.0.0.1:9100 \
  --collector.disable-defaults --collector.textfile --collector.textfile.directory="$TEXTFILES" \
  >"$WORK/node-exporter.log" 2>&1 &
PIDS+=($!)
printf 'global: {scrape_interval: 1s, evaluation_interval: 1s}\nrule_files: ["%s"]\nscrape_configs:\n  - job_name: node\n    static_configs: [{targets: ["127.0.0.1:9100"]}]\n' \
  "$ALERTS" >"$WORK/prometheus.yml"
(cd "$WORK" && exec ip netns exec "$HOST" prometheus --config.file="$WORK/prometheus.yml" \
  --storage.tsdb.path="$WORK/prometheus-data" --web.listen-address=127.0.0.1:9090) \
  >"$WORK/prometheus.log" 2>&1 &
PIDS+=($!)
query() {
  in_host curl -sf "http://127.0.0.1:9090/api/v1/query" --data-urlencode "query=$1" |
    sed -n 's/.*"value":\[[0-9.]*,"\([^"]*\)"\].*/\1/p'
}
query_is() { [ "$(query "$1")" = "$2" ]; }
prometheus_ready() { in_host curl -sf http://127.0.0.1:9090/-/ready >/dev/null; }
wait_for 30 prometheus_ready || fail "Prometheus did not start: $(tail -n 5 "$WORK/prometheus.log")"

printf '#!/bin/sh\nprintf " :70\\n"\n' >"$WORK/bin/nmcli"
chmod +x "$WORK/bin/nmcli"
e2e_settings "Network%20Probes=On" "Internet%20Targets=10.199.2.2" "OftenIndex=2"
ip netns exec "$HOST" "$QUORVANE" --metrics-folder "$TEXTFILES" >"$WORK/quorvane.out" 2>&1 &
QUORVANE_PID=$!
PIDS+=($QUORVANE_PID)

cause_is() { query_is "quorvane_cause{cause=\"$1\"}" 1; }
alert_is() { query_is "ALERTS{alertname=\"$1\",alertstate=\"$2\"}" 1; }
wait_for 40 cause_is ok || fail "no ok cause: $(cat "$WORK/quorvane.out")"
query_is quorvane_router_up 1 || fail "router_up: $(query quorvane_router_up)"
query_is quorvane_internet_up 1 || fail "internet_up: $(query quorvane_internet_up)"
query_is 'quorvane_internet_rtt_seconds > 0' "" &&
  fail "no round-trip time: $(query quorvane_internet_rtt_seconds)"

internet_down
wait_for 40 cause_is internet || fail "the cause did not become internet"
query_is quorvane_internet_up 0 || fail "internet still up"
wait_for 10 alert_is InternetDownWifiFine pending || fail "no pending InternetDownWifiFine"
internet_up
router_down
wait_for 40 cause_is router || fail "the cause did not become router"
wait_for 10 alert_is RouterDown pending || fail "no pending RouterDown"
echo "Prometheus in network namespaces: the cause followed ok, internet and router"
