#!/usr/bin/env bash
# Quorvane.exe --report under Wine, without a display: the CSV and the HTML into
# files, the JSON into a redirected standard output, and a missing log told in one
# line with a failing status; --help, /? and --version.
set -euo pipefail
QUORVANE_EXE=${QUORVANE_EXE:?set QUORVANE_EXE to the program}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }
unset DISPLAY WAYLAND_DISPLAY
export TZ=UTC WINEDEBUG=-all
win() { echo "Z:${1//\//\\}"; }  # Wine's drive for the Unix root

"$(dirname "$0")/../e2e/report/make-log.py" "$WORK/week.txt"
wine "$QUORVANE_EXE" --report "$(win "$WORK/week.txt")" -o "$(win "$WORK/week.csv")" --format csv ||
  fail "CSV: status $?"
wine "$QUORVANE_EXE" --report "$(win "$WORK/week.txt")" -o "$(win "$WORK/week.html")" ||
  fail "HTML: status $?"
grep -q '<svg class="plot"' "$WORK/week.html" || fail "no plot in the HTML"
wine "$QUORVANE_EXE" --report "$(win "$WORK/week.txt")" --format json >"$WORK/week.json" ||
  fail "JSON to standard output: status $?"
python3 - "$WORK/week.csv" "$WORK/week.json" <<'PY' || fail "the CSV and the JSON disagree"
import csv, json, sys
rows = list(csv.DictReader(open(sys.argv[1], newline="", encoding="utf-8-sig")))
summary = json.load(open(sys.argv[2]))["summary"]
assert len(rows) == summary["samples"] == 7920, (len(rows), summary["samples"])
PY

status=0
wine "$QUORVANE_EXE" --report 'Z:\no\such\Quorvane.txt' -o "$(win "$WORK/x.html")" \
  2>"$WORK/err" || status=$?
[ "$status" = 1 ] || fail "a missing log: status $status"
grep -q 'Quorvane.txt' "$WORK/err" || fail "the message does not name the log: $(cat "$WORK/err")"
[ ! -e "$WORK/x.html" ] || fail "a report was written for a missing log"

# The usage for --help and for /?, naming the program as it is on Windows, the
# version, and two logs refused.
for help in --help /?; do
  wine "$QUORVANE_EXE" "$help" >"$WORK/help" || fail "$help: status $?"
  grep -q -- '--report \[LOG\]' "$WORK/help" || fail "$help printed: $(cat "$WORK/help")"
  grep -q '^Usage: Quorvane.exe ' "$WORK/help" || fail "$help does not name Quorvane.exe"
done
wine "$QUORVANE_EXE" --version >"$WORK/version" || fail "--version: status $?"
grep -q '^Quorvane [0-9]' "$WORK/version" || fail "--version printed: $(cat "$WORK/version")"
status=0
wine "$QUORVANE_EXE" --report "$(win "$WORK/week.txt")" "$(win "$WORK/week.txt")" \
  -o "$(win "$WORK/y.html")" 2>"$WORK/err" || status=$?
[ "$status" = 2 ] || fail "two logs: status $status"
grep -q 'Unexpected argument' "$WORK/err" || fail "two logs: $(cat "$WORK/err")"
echo "PASSED"
