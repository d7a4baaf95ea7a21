#!/usr/bin/env bash
# Without a display, a second start only says that it asked the running copy to
# come forward: not that it runs without a window, which it does not.
set -euo pipefail
work=$(mktemp -d)
first=
trap '[ -z "$first" ] || { kill "$first"; wait "$first"; } 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

source "$(dirname "$0")/headless-lib.sh"
headless_environment "$work"

"$QUORVANE" >"$work/first.out" 2>&1 &
first=$!
for _ in $(seq 150); do
  grep -q "history log is" "$work/first.out" && break
  kill -0 "$first" 2>/dev/null || fail "the first copy ended: $(cat "$work/first.out")"
  sleep 0.1
done
grep -q 'No display found' "$work/first.out" || fail "the first copy said: $(cat "$work/first.out")"

timeout 20 "$QUORVANE" >"$work/second.out" 2>&1 || fail "the second copy failed: $(cat "$work/second.out")"
[ "$(cat "$work/second.out")" = "Quorvane is already running; it was asked to bring its window to the front." ] ||
  fail "the second copy said: $(cat "$work/second.out")"
echo "second start without a display: ok"
