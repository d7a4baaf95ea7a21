#!/usr/bin/env bash
# The Linux probes' choice of socket, for real, inside network namespaces of the
# test's own (as root): an ICMP datagram socket where the ping group range allows
# it, a raw socket with CAP_NET_RAW, and without either the router unavailable
# and the internet reached by TCP (a refusal from 10.199.2.2 counts as an answer).
# Usage: linux-sockets-in-netns.sh PATH/TO/probe_round
set -euo pipefail
if [ "$(id -u)" -ne 0 ]; then
  echo "skipped: network namespaces need root"
  exit 77
fi
PROBE=${1:?name probe_round}
source "$(dirname "$0")/netns-lib.sh"
trap netns_delete EXIT
netns_make ql
fail() {
  echo "FAILED: $*" >&2
  exit 1
}
expect() {
  local what=$1 expected=$2 got
  shift 2
  got=$(ip netns exec "$HOST" "$@" "$PROBE" 10.199.2.2)
  [ "$got" = "$expected" ] || fail "$what: '$got', expected '$expected'"
  echo "$what: $got"
}

NO_RAW=(setpriv --bounding-set=-net_raw --inh-caps=-net_raw)
expect "datagram socket, without CAP_NET_RAW" "router 10.199.1.1 up internet up" "${NO_RAW[@]}"
ip netns exec "$HOST" sysctl -qw net.ipv4.ping_group_range="1 0"
expect "raw socket, the ping group range refusing" "router 10.199.1.1 up internet up" env
expect "neither socket" "router 10.199.1.1 unavailable internet up" "${NO_RAW[@]}"
internet_down
expect "neither socket, internet down" "router 10.199.1.1 unavailable internet down" "${NO_RAW[@]}"
echo "Linux probe sockets in network namespaces: ok"
