#!/usr/bin/env bash
# Quorvane ended by the system (SIGTERM, as a session's end, systemctl and kill
# send it; SIGINT; SIGHUP), over and over while it samples every second with a
# slow wireless tool, so that many signals fall while a reading is in flight:
# each time it closes as its close button closes it, with status 0, and the
# journal holds a record for every line of the log, the last line of each whole.
# Without a display; probes off.
set -euo pipefail
QUORVANE=${QUORVANE:?set QUORVANE to the program}
CYCLES=${CYCLES:-3}  # per signal

work=$(mktemp -d)
pid=
trap '[ -z "$pid" ] || kill -KILL "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

source "$(dirname "$0")/headless-lib.sh"
headless_environment "$work"
export XDG_DATA_HOME=$work/data QT_QPA_PLATFORM=offscreen TZ=UTC LC_ALL=C.UTF-8
mkdir -p "$XDG_CONFIG_HOME/Brindlewick"
printf '[Quorvane]\nOftenIndex=1\nStartStopState=On\n' \
  >"$XDG_CONFIG_HOME/Brindlewick/Quorvane.ini"
# A reading takes 0.4 s: the signal often finds one under way.
printf '#!/bin/sh\nsleep 0.4\nprintf "*:70\\n"\n' >"$work/bin/nmcli"
log=$TEMP/Quorvane.txt
journal=$XDG_DATA_HOME/quorvane/journal

log_lines() { [ -f "$log" ] && wc -l <"$log" || echo 0; }
for signal in TERM INT HUP; do
  for cycle in $(seq "$CYCLES"); do
    before=$(log_lines)
    # A script's background job ignores SIGINT; a program run from a terminal
    # does not.
    env --default-signal=INT,HUP "$QUORVANE" >"$work/quorvane.out" 2>&1 &
    pid=$!
    for _ in $(seq 100); do
      [ "$(log_lines)" -gt "$before" ] && break
      kill -0 "$pid" 2>/dev/null || fail "it ended by itself: $(cat "$work/quorvane.out")"
      sleep 0.1
    done
    [ "$(log_lines)" -gt "$before" ] || fail "nothing was logged: $(cat "$work/quorvane.out")"
    # Anywhere in the next second: before, during or just after a reading.
    sleep "$(awk -v r=$RANDOM 'BEGIN{printf "%.2f", r / 32768}')"
    kill -"$signal" "$pid"
    status=0
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$pid" 2>/dev/null && fail "SIG$signal did not end it within 10 s"
    wait "$pid" || status=$?
    pid=
    [ "$status" -eq 0 ] || fail "SIG$signal ended it with status $status, not by its close"
  done
done

lines=$(log_lines)
records=$(cat "$journal"/*.csv | grep -cv '^time,' || true)
echo "signals: $((3 * CYCLES)); lines in the log: $lines; records in the journal: $records"
[ "$records" -eq "$lines" ] || fail "$records journal records for $lines log lines"
[ -z "$(tail -c 1 "$log")" ] || fail "the log's last line is cut short"
for file in "$journal"/*.csv; do
  [ -z "$(tail -c 1 "$file")" ] || fail "the last record of $file is cut short"
done
bad=$(cat "$journal"/*.csv | grep -v '^time,' | grep -cvE '^[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9:]{8}[+-][0-9]{2}:[0-9]{2},1,70%,yes,' || true)
[ "$bad" -eq 0 ] || fail "the journal holds $bad broken records"
echo "ended by the system: ok"
