#!/usr/bin/env bash
# Quorvane's samples in a real Prometheus: Quorvane runs headless with a fake
# nmcli and --metrics-folder, Debian's node_exporter reads that folder with its
# textfile collector, and Debian's Prometheus scrapes node_exporter every second.
# The signal that PromQL returns must be the one Quorvane logged last, and the
# alerting rules of docs/quorvane-alerts.yml must go off.
source "$(dirname "$0")/e2e-lib.sh"
FIXTURES=$(cd "$(dirname "$0")/../fixtures/nmcli" && pwd)
ALERTS=$(cd "$(dirname "$0")/../../docs" && pwd)/quorvane-alerts.yml
# No display: Quorvane chooses Qt's offscreen platform itself and keeps logging.
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
TEXTFILES=$WORK/textfiles
mkdir -p "$TEXTFILES" "$WORK/prometheus-data"

# A port nothing listens on now. Each server is checked below, so a port taken
# in the meantime shows as a server that did not start.
free_port() {
  local port
  for _ in $(seq 50); do
    port=$((20000 + RANDOM % 40000))
    if ! (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
      echo "$port"
      return 0
    fi
  done
  return 1
}
NODE_PORT=$(free_port) && PROMETHEUS_PORT=$(free_port) || fail "no free port"

prometheus-node-exporter --web.listen-address="127.0.0.1:$NODE_PORT" --collector.disable-defaults \
  --collector.textfile --collector.textfile.directory="$TEXTFILES" >"$WORK/node-exporter.log" 2>&1 &
PIDS+=($!)
printf 'global: {scrape_interval: 1s, evaluation_interval: 1s}\nrule_files: ["%s"]\nscrape_configs:\n  - job_name: node\n    static_configs: [{targets: ["127.0.0.1:%s"]}]\n' \
  "$ALERTS" "$NODE_PORT" >"$WORK/prometheus.yml"
(cd "$WORK" && exec prometheus --config.file="$WORK/prometheus.yml" \
  --storage.tsdb.path="$WORK/prometheus-data" --web.listen-address="127.0.0.1:$PROMETHEUS_PORT") \
  >"$WORK/prometheus.log" 2>&1 &
PIDS+=($!)

# The value of a PromQL query's first result, or nothing.
query() {
  curl -sf "http://127.0.0.1:$PROMETHEUS_PORT/api/v1/query" --data-urlencode "query=$1" |
    sed -n 's/.*"value":\[[0-9.]*,"\([^"]*\)"\].*/\1/p'
}
query_is() { [ "$(query "$1")" = "$2" ]; }
prometheus_ready() { curl -sf "http://127.0.0.1:$PROMETHEUS_PORT/-/ready" >/dev/null; }
wait_for 20 prometheus_ready || fail "Prometheus did not start: $(tail -n 5 "$WORK/prometheus.log")"

# The nmcli fake answers with a recorded output that the test can change.
# Usage: nmcli_answers STDOUT [STDERR STATUS], files of tests/fixtures/nmcli or "-".
nmcli_answers() {
  fixture_or_nothing() { if [ "$1" = - ]; then cat /dev/null; else cat "$FIXTURES/$1"; fi; }
  fixture_or_nothing "$1" >"$WORK/nmcli-stdout"
  fixture_or_nothing "${2:--}" >"$WORK/nmcli-stderr"
  echo "${3:-0}" >"$WORK/nmcli-status"
}
printf '#!/bin/sh\ncat "%s/nmcli-stdout"\ncat "%s/nmcli-stderr" >&2\nexit "$(cat "%s/nmcli-status")"\n' \
  "$WORK" "$WORK" "$WORK" >"$WORK/bin/nmcli"
chmod +x "$WORK/bin/nmcli"
nmcli_answers in-use-signal-in-use-first-89.txt
e2e_settings OftenIndex=1  # a sample every second
"$QUORVANE" --metrics-folder "$TEXTFILES" >"$WORK/quorvane.out" 2>&1 &
QUORVANE_PID=$!
PIDS+=($QUORVANE_PID)

last_logged() { [ "$(tail -n 1 "$LOG" 2>/dev/null | sed 's/.* WiFi Signal Strength is //')" = "$1" ]; }
wait_for 15 last_logged 89% || fail "Quorvane logged no 89%: $(cat "$WORK/quorvane.out")"
wait_for 15 query_is quorvane_wifi_signal_ratio 0.89 ||
  fail "Prometheus did not show 0.89: $(query quorvane_wifi_signal_ratio)"

# The signal changes; the value Prometheus returns follows the last logged one.
# (The answer with the link's fields of the network in use.)
nmcli_answers in-use-signal-ssid-bssid-chan-freq-rate-in-use-last-87-first-100.txt
wait_for 10 last_logged 87% || fail "Quorvane did not log the new signal"
wait_for 10 query_is quorvane_wifi_signal_ratio 0.87 ||
  fail "Prometheus shows $(query quorvane_wifi_signal_ratio), not the last logged 0.87"
query_is node_textfile_scrape_error 0 || fail "node_exporter could not read quorvane.prom"
query_is 'quorvane_wifi_connected' 1 || fail "not connected: $(query quorvane_wifi_connected)"
query_is 'quorvane_interval_seconds' 1 || fail "interval: $(query quorvane_interval_seconds)"
query_is 'quorvane_info{method="1"}' 1 || fail "no quorvane_info for Method #1"
query_is 'count(quorvane_wifi_signal_level)' "" || fail "a level for a percentage"
# The link's context, its names in the info metric only (no WiFi here: nmcli tells it).
query_is 'quorvane_wifi_link_info{ssid="SSID-3",bssid="fe:dc:ba:09:87:03",band="2.4",channel="1"}' 1 ||
  fail "link info: $(curl -sf "http://127.0.0.1:$PROMETHEUS_PORT/api/v1/query" --data-urlencode query=quorvane_wifi_link_info)"
query_is quorvane_wifi_frequency_hertz 2412000000 || fail "frequency: $(query quorvane_wifi_frequency_hertz)"
query_is quorvane_wifi_transmit_bitrate_bits_per_second 260000000 ||
  fail "bitrate: $(query quorvane_wifi_transmit_bitrate_bits_per_second)"
query_is 'count(quorvane_wifi_signal_dbm)' "" || fail "a dBm that nmcli never gave"
samples=$(query quorvane_samples_total)
[ "${samples:-0}" -ge 2 ] || fail "quorvane_samples_total is '$samples'"

# NetworkManager stops: no connection, and the weak-signal alert is pending (it
# fires after 10 minutes).
nmcli_answers - error-networkmanager-not-running-stderr.txt 8
wait_for 10 last_logged '0% (no connection)' || fail "NetworkManager's absence was not logged as no connection"
alert_is() { query_is "ALERTS{alertname=\"$1\",alertstate=\"$2\"}" 1; }
wait_for 10 alert_is WifiSignalWeak pending || fail "no pending weak-signal alert"
query_is quorvane_wifi_connected 0 || fail "still connected"

# Quorvane ends: after three 1-second intervals without a sample the alert fires.
kill "$QUORVANE_PID"
wait "$QUORVANE_PID" 2>/dev/null || true
wait_for 15 alert_is QuorvaneSamplesMissing firing || fail "no alert on missing samples"
echo "Prometheus: quorvane_wifi_signal_ratio 0.87 as last logged after $samples samples;" \
  "WifiSignalWeak pending, QuorvaneSamplesMissing firing"
