#!/usr/bin/env bash
# quorvane --report end to end on a machine without a display, beside a running
# copy: exit statuses, one-line messages, the report on standard output, and the
# CSV read back by Python's csv module with one row per readable line.
set -euo pipefail
QUORVANE=${QUORVANE:?set QUORVANE to the program}
here=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap cleanup EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

unset DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM
export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/home/.config TEMP=$WORK/temp TZ=UTC
export XDG_RUNTIME_DIR=$WORK/runtime LC_ALL=C.UTF-8 PATH=/usr/bin:/bin
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$TEMP" && mkdir -m 700 "$XDG_RUNTIME_DIR"
log=$WORK/week.txt
"$here/make-log.py" "$log"
cp "$log" "$TEMP/Quorvane.txt"  # the own log, which the running copy adds to

# A copy runs (on Qt's offscreen platform, there being no display) and logs into
# its own log; the report options must not be turned away by it.
"$QUORVANE" >"$WORK/running.out" 2>&1 &
pids+=($!)
for _ in $(seq 50); do grep -q "is running" "$WORK/running.out" && break; sleep 0.1; done
grep -q "is running" "$WORK/running.out" || fail "the first copy did not start: $(cat "$WORK/running.out")"

"$QUORVANE" --report "$log" --format csv >"$WORK/out.csv" 2>"$WORK/err" ||
  fail "CSV to standard output: status $?: $(cat "$WORK/err")"
[ ! -s "$WORK/err" ] || fail "CSV: unexpected message: $(cat "$WORK/err")"
"$QUORVANE" --report "$log" --format json >"$WORK/out.json" || fail "JSON: status $?"
python3 - "$log" "$WORK/out.csv" "$WORK/out.json" <<'PY' || fail "the CSV does not read back"
import csv, json, sys
log = [line for line in open(sys.argv[1], newline="").read().split("\r\n") if line]
with open(sys.argv[2], newline="", encoding="utf-8-sig") as f:
    rows = list(csv.DictReader(f))
summary = json.load(open(sys.argv[3]))["summary"]
readable = len(log) - summary["unreadable_lines"]
assert len(rows) == readable == summary["samples"], (len(rows), readable)
texts = set(log)
for row in rows:
    assert row["text"] in texts, row
    assert row["method"] in ("1", "2") and row["connected"] in ("yes", "no"), row
    assert row["time"][19:] == "+00:00" and 0 <= int(row["value"]) <= 100, row
    assert (row["connected"] == "no") == row["text"].endswith("(no connection)"), row
print(f"{len(rows)} rows for {readable} readable lines")
PY

# Into a file, in one piece, with nothing left beside it.
"$QUORVANE" --report "$log" -o "$WORK/report.html" || fail "HTML to a file: status $?"
grep -q "<svg" "$WORK/report.html" || fail "no plot in the HTML"
[ "$(ls "$WORK" | grep -c '\.tmp$' || true)" = 0 ] || fail "a temporary file was left"
"$QUORVANE" --report -o "$WORK/own.json" --format json || fail "the own log: status $?"

expect_failure() {  # status, text the one line must hold, arguments...
  local want=$1 text=$2 status=0
  shift 2
  "$QUORVANE" "$@" >"$WORK/out" 2>"$WORK/err" || status=$?
  [ "$status" = "$want" ] || fail "$*: status $status, not $want"
  [ "$(wc -l <"$WORK/err")" = 1 ] || fail "$*: not one line: $(cat "$WORK/err")"
  grep -qF -- "$text" "$WORK/err" || fail "$*: the message does not name $text: $(cat "$WORK/err")"
}
expect_failure 1 "$WORK/missing.txt" --report "$WORK/missing.txt"
expect_failure 1 "$WORK/no/such/folder/report.html" --report "$log" -o "$WORK/no/such/folder/report.html"
expect_failure 2 "pdf" --report "$log" --format pdf

kill -0 "${pids[0]}" || fail "the running copy ended"
echo "PASSED"
