#!/usr/bin/env bash
# The CPU time of the network probes: two copies of the same Quorvane side by side
# at the one-second interval with Method #2, one with probes on and one with them
# off, both shown, inside network namespaces the benchmark makes itself (netns, as
# root): the probed "router" and "internet" exist only there and no route leads
# out, so nothing probed leaves the machine or reaches its gateway. The namespaces
# are deleted on exit. Prints key=value lines for print-table.py.
#   measure-probes.sh QUORVANE [seconds measured, default 120]
set -euo pipefail
if [ "$(id -u)" -ne 0 ]; then
  echo "probes_skipped=network namespaces need root"
  exit 0
fi
QUORVANE=$1
MEASURED=${2:-120}
export QUORVANE SHOTS=${SHOTS:-/tmp}
here=$(dirname "$0")
source "$here/../tests/e2e/e2e-lib.sh"
source "$here/../tests/e2e/probes/netns-lib.sh"
probes_cleanup() {
  netns_delete
  e2e_cleanup
}
trap probes_cleanup EXIT
netns_make qb
ip netns exec "$HOST" ping -c1 -W2 10.199.2.2 >/dev/null || {
  echo "the namespaces do not route" >&2
  exit 1
}
e2e_start_desktop

# A home of its own for each copy: settings, log and journal.
start_copy() {
  local home=$WORK/$1
  shift
  mkdir -p "$home/.config/Brindlewick" "$home/temp" "$home/data"
  mkdir -m 700 -p "$home/runtime"
  printf '[Quorvane]\nOftenIndex=1\nOption1=False\nOption2=True\nInternet Targets=10.199.2.2\n' \
    >"$home/.config/Brindlewick/Quorvane.ini"
  printf '%s\n' "$@" >>"$home/.config/Brindlewick/Quorvane.ini"
  ip netns exec "$HOST" env HOME="$home" XDG_CONFIG_HOME="$home/.config" TEMP="$home/temp" \
    XDG_RUNTIME_DIR="$home/runtime" XDG_DATA_HOME="$home/data" "$QUORVANE" >/dev/null 2>&1 &
  PID=$!
  PIDS+=($PID)
}
cpu_ns() { awk '{print $1}' "/proc/$1/schedstat"; }

start_copy on "Network Probes=On"
on=$PID
start_copy off "Network Probes=Off"
off=$PID
sleep 20 # past start-up
on_start=$(cpu_ns "$on") off_start=$(cpu_ns "$off")
sleep "$MEASURED"
on_end=$(cpu_ns "$on") off_end=$(cpu_ns "$off")
per_minute() { awk -v a="$1" -v b="$2" -v s="$MEASURED" 'BEGIN{printf "%.1f", (b - a) / 1e6 * 60 / s}'; }
echo "probes_cpu_ms_per_minute.on=$(per_minute "$on_start" "$on_end")"
echo "probes_cpu_ms_per_minute.off=$(per_minute "$off_start" "$off_end")"
echo "probes_seconds_measured=$MEASURED"
# The copy with probes on really probed: its journal's records say "ok".
records() { cat "$WORK/$1"/data/quorvane/journal/*.csv 2>/dev/null | tail -n +2; }
echo "probes_ok_records.on=$(records on | grep -c ',ok,' || true)"  # the cause before the link's columns
echo "probes_records.on=$(records on | wc -l)"
echo "probes_records.off=$(records off | wc -l)"
