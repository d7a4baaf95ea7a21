#!/usr/bin/env bash
# Quorvane.exe under Wine with the network probes on, inside network namespaces
# of the test's own (as root): a "router" namespace and an "internet" namespace
# behind it, and a host namespace whose default route goes through the router.
# Everything of the run, the X server, the desktop and every Wine process with
# wineserver, lives in the host namespace with a prefix of its own, so no probe can
# leave it. A fake netsh gives the signal (Method #1). The test takes the internet's
# link down, then the router's, then restores both: the journal's causes follow,
# to the sample, and every record is whole, one for each log line.
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)

if [ -z "${PROBES_NETNS:-}" ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "skipped: network namespaces need root"
    exit 77
  fi
  source "$HERE/../e2e/probes/netns-lib.sh"
  OUTER=$(mktemp -d)
  outer_cleanup() {
    ip netns exec "$HOST" env WINEPREFIX="$OUTER/wine" wineserver -k 2>/dev/null || true
    netns_delete
    rm -rf "$OUTER"
  }
  trap outer_cleanup EXIT
  netns_make qe
  ip netns exec "$HOST" ping -c1 -W2 10.199.2.2 >/dev/null || {
    echo "FAILED: the namespaces do not route" >&2
    exit 1
  }
  status=0
  ip netns exec "$HOST" env PROBES_NETNS="$HOST $ROUTER $NET $ROUTER_LINK $NET_LINK" \
    WINEPREFIX="$OUTER/wine" "$0" || status=$?
  exit $status
fi

# From here on, inside the host namespace.
source "$HERE/../e2e/probes/netns-lib.sh"
read -r HOST ROUTER NET ROUTER_LINK NET_LINK <<<"$PROBES_NETNS"
env -u DISPLAY WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1 || true
source "$HERE/wine-e2e-lib.sh"
# The prefix goes with the test: nothing to put back, and no server left behind.
wine_cleanup() { wineserver -k 2>/dev/null || true; }
JOURNAL=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Brindlewick/Quorvane/journal
wine_e2e_prepare() {
  local value
  for value in Option1=True Option2=False OftenIndex=2 StartStopState=On "Network Probes=On" \
    "Internet Targets=10.199.2.2"; do
    wine reg add "$SETTINGS_KEY" /v "${value%%=*}" /t REG_SZ /d "${value#*=}" /f >/dev/null 2>&1
  done
}

# The journal's records and their causes, the cause taken by its name in each
# file's header (the fields before it never hold a comma).
records() { { cat "$JOURNAL"/*.csv 2>/dev/null || true; } | awk '!/^time,/ && NF { n++ } END { print n + 0 }'; }
has_records() { [ "$(records)" -ge "$1" ]; }
causes() {
  cat "$JOURNAL"/*.csv | tr -d '\r' | awk -F, '
    /^time,/ { for (i = 1; i <= NF; i++) if ($i == "cause") c = i; next }
    NF { print $c }'
}
# Waits for the next record, changes the network at once (the next sample is five
# seconds away), and checks the cause of the first record after the change.
step() {
  local what=$1 expected=$2 before got
  shift 2
  before=$(records)
  wait_for 15 has_records $((before + 1)) || fail "no sample before: $what"
  before=$(records)
  "$@"
  wait_for 15 has_records $((before + 1)) || fail "no sample after: $what"
  got=$(causes | sed -n "$((before + 1))p")
  [ "$got" = "$expected" ] || fail "$what: cause '$got', expected '$expected'"
  echo "$what: $got"
}
restore_all() {
  internet_up
  router_up
}

wine_e2e_start
wait_for 30 main_window_shown || fail "no main window appeared"
W=$(main_window)
step "all up" ok true
step "internet down" internet internet_down
step "router down" router router_down
step "both back" ok restore_all
shot win32-probes-in-netns
close_and_wait "$W" || fail "closing did not end the program"
echo "causes: $(causes | tr '\n' ' ')"

python3 - "$LOG" "$JOURNAL" <<'PY' || fail "the journal does not follow the network"
import csv, glob, itertools, re, sys
log_lines = open(sys.argv[1], encoding="latin-1").read().splitlines()
rows = []
for name in sorted(glob.glob(sys.argv[2] + "/*.csv")):
    with open(name, newline="", encoding="utf-8") as journal:
        reader = csv.reader(journal)
        header = next(reader)
        for fields in reader:
            assert len(fields) == len(header), f"a record cut short: {fields}"
            rows.append(dict(zip(header, fields)))
assert len(rows) == len(log_lines), f"{len(rows)} journal records, {len(log_lines)} log lines"
for row in rows:
    assert re.fullmatch(r"\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d(Z|[+-]\d\d:\d\d)", row["time"]), row
    assert (row["method"], row["connected"]) == ("1", "yes"), row
runs = [cause for cause, _ in itertools.groupby(row["cause"] for row in rows)]
assert runs == ["ok", "internet", "router", "ok"], runs
for row in rows:
    expected = {"ok": ("up", "up"), "internet": ("up", "down"), "router": ("down", "down")}
    assert (row["router"], row["internet"]) == expected[row["cause"]], row
    if row["cause"] == "ok":
        assert float(row["router_rtt_ms"]) >= 0 and float(row["internet_rtt_ms"]) >= 0, row
PY
echo "Quorvane.exe with probes in network namespaces: ok"
