#!/usr/bin/env bash
# The Windows probes (IcmpSendEcho2 from iphlpapi.dll, the router from
# GetIpForwardTable2) under Wine, inside network namespaces of the test's own
# (as root): a "router" namespace and an "internet" namespace behind it. Every Wine
# process of the run, wineserver and its services included, starts inside the
# host namespace with a prefix of its own, so no probe can leave it.
# Usage: windows-probes-in-netns.sh PATH/TO/probe_round.exe
set -euo pipefail
if [ "$(id -u)" -ne 0 ]; then
  echo "skipped: network namespaces need root"
  exit 77
fi
PROBE=${1:?name probe_round.exe}
WORK=$(mktemp -d)
source "$(dirname "$0")/netns-lib.sh"
cleanup() {
  ip netns exec "$HOST" env WINEPREFIX="$WORK/wine" wineserver -k 2>/dev/null || true
  netns_delete
  rm -rf "$WORK"
}
trap cleanup EXIT
fail() {
  echo "FAILED: $*" >&2
  exit 1
}
netns_make qw

in_host() {
  ip netns exec "$HOST" env -u DISPLAY WINEPREFIX="$WORK/wine" WINEDEBUG=-all \
    WINEDLLOVERRIDES="mscoree,mshtml=" "$@"
}
in_host wineboot -i >/dev/null 2>&1 || true
round() { in_host wine "$PROBE" 10.199.2.2 2>/dev/null | tr -d '\r'; }
expect() {
  local what=$1 expected=$2 got
  got=$(round)
  [ "$got" = "$expected" ] || fail "$what: '$got', expected '$expected'"
  echo "$what: $got"
}

expect "all up" "router 10.199.1.1 up internet up"
internet_down
expect "internet down" "router 10.199.1.1 up internet down"
internet_up
router_down
expect "router down" "router 10.199.1.1 down internet down"
echo "Windows probes in network namespaces: ok"
