#!/usr/bin/env bash
# `quorvane` typed at cmd's prompt under Wine, without a display. cmd runs
# Quorvane.com, its console companion, and waits for it as it does not for the
# windowed Quorvane.exe: the report comes before the next command's output, and
# %errorlevel% holds the exit status (2 for a usage mistake). Anything else asks
# for the logger: it starts the Quorvane.exe beside it with the same arguments and
# returns at once, status 0, so the prompt comes back while the logger runs. cmd reads the commands from its standard input, as typed: at
# its prompt, not from a batch file (which waits for any program).
set -euo pipefail
: "${QUORVANE_COM:?}" "${QUORVANE_EXE:?}" "${STAND_IN:?a program that records its arguments}"
: "${WINEPREFIX:?}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" TZ=UTC
unset DISPLAY WAYLAND_DISPLAY
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }
win() { winepath -w "$1" 2>/dev/null; }

# What cmd prints for `commands`, typed one by one in the folder `dir`.
at_the_prompt() {
  local dir=$1
  shift
  { printf 'cd /d "%s"\r\n' "$(win "$dir")"; printf '%s\r\n' "$@" exit; } >"$WORK/typed.txt"
  timeout 120 wine cmd <"$WORK/typed.txt" 2>&1 | tr -d '\r'
}

mkdir "$WORK/program" "$WORK/stand-in"
cp "$QUORVANE_COM" "$QUORVANE_EXE" "$WORK/program/"
printf '12/7/2026 9:00:00 AM WiFi Signal Strength is 70%%\r\n12/7/2026 9:00:30 AM WiFi Signal Strength is 71%%\r\n' \
  >"$WORK/log.txt"

shown=$(at_the_prompt "$WORK/program" \
  "quorvane --report \"$(win "$WORK/log.txt")\" --format csv" 'echo status=%errorlevel%' \
  'quorvane --report --format nonsense' 'echo status=%errorlevel%')
echo "$shown"
# The report's last row, then its status; the usage mistake's line, then 2.
grep -A2 'Strength is 71%"$' <<<"$shown" | grep -q '>status=0$' ||
  fail "the report and its status 0 did not come in order"
grep -A2 '>Quorvane: .*nonsense' <<<"$shown" | grep -q '>status=2$' ||
  fail "the usage mistake's message and its status 2 did not come in order"

# Without report options: Quorvane.exe, here a stand-in that records its
# arguments, runs for 20 seconds, says it ended and ends with status 7.
cp "$QUORVANE_COM" "$WORK/stand-in/Quorvane.com"
cp "$STAND_IN" "$WORK/stand-in/Quorvane.exe"
export FAKE_BROWSER_RECORD FAKE_BROWSER_STATUS=7 FAKE_BROWSER_SECONDS=20
FAKE_BROWSER_RECORD=$(win "$WORK/arguments.txt")
# What the prompt shows is read as it comes: the status line must be there while
# the logger still runs.
{ printf 'cd /d "%s"\r\n' "$(win "$WORK/stand-in")"
  printf '%s\r\n' 'quorvane --metrics-folder "C:\a  b"' 'echo status=%errorlevel%' exit; } >"$WORK/typed.txt"
timeout 120 wine cmd <"$WORK/typed.txt" >"$WORK/shown.txt" 2>&1 &
prompt=$!
for _ in $(seq 150); do grep -q 'status=' "$WORK/shown.txt" && break; sleep 0.1; done
tr -d '\r' <"$WORK/shown.txt"
grep -q '>status=0' "$WORK/shown.txt" || fail "the prompt did not come back with status 0"
grep -q '^ended' "$WORK/arguments.txt" 2>/dev/null && fail "the prompt waited for the logger to end"
wait "$prompt" || true
# The console gone with cmd, the logger runs on to its own end.
for _ in $(seq 300); do grep -q '^ended' "$WORK/arguments.txt" && break; sleep 0.1; done
grep -q '^ended' "$WORK/arguments.txt" || fail "the logger did not outlive the console"
[ "$(head -n 1 "$WORK/arguments.txt" | tr -d '\r')" = '--metrics-folder C:\a  b' ] ||
  fail "Quorvane.exe was not started with the same arguments: $(cat "$WORK/arguments.txt" 2>&1)"
echo "PASSED"
