#!/usr/bin/env bash
# Quorvane.exe under Wine, ended as Windows ends it when the user logs off, while
# the journal's month file is held by another program and the records of three
# seconds of samples wait in memory: the end of the session writes them inside
# WM_ENDSESSION, before the process is ended, and the journal holds a record for
# every line of the log, the last line of each whole. Method #1, probes off.
source "$(dirname "$0")/wine-e2e-lib.sh"
: "${END_SESSION:?a program that ends Quorvane.exe as Windows does}"
JOURNAL=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Brindlewick/Quorvane/journal

wine_e2e_prepare() {
  if [ -d "$JOURNAL" ]; then mv "$JOURNAL" "$WORK/journal"; fi
  mkdir -p "$JOURNAL"
  local value
  for value in Option1=True Option2=False OftenIndex=1 StartStopState=On "Network Probes=Off"; do
    wine reg add "$SETTINGS_KEY" /v "${value%%=*}" /t REG_SZ /d "${value#*=}" /f >/dev/null 2>&1
  done
}
wine_e2e_restore() {
  rm -rf "$JOURNAL"
  if [ -d "$WORK/journal" ]; then mv "$WORK/journal" "$JOURNAL"; fi
}

wine_e2e_start
wait_for 30 main_window_shown || fail "no main window appeared"
wait_for 20 has_log_lines 2 || fail "nothing was logged"
MONTH_FILE=$JOURNAL/$(date +%Y-%m).csv
ended=$(wine "$END_SESSION" "$(winepath -w "$MONTH_FILE" 2>/dev/null)" 3000 2>&1 | tr -d '\r') ||
  fail "the session's end did not go as on Windows: $ended"
wait_for 10 process_ended || fail "Quorvane.exe outlived the end of the session"

lines=$(log_lines)
records=$(tr -d '\r' <"$MONTH_FILE" | grep -cv '^time,' || true)
echo "lines in the log: $lines; records in the journal: $records"
[ "$lines" -ge 4 ] || fail "too few lines to judge: $lines"
[ "$records" -eq "$lines" ] || fail "$records journal records for $lines log lines"
[ "$(tail -c 2 "$LOG" | od -An -c | tr -d ' ')" = '\r\n' ] || fail "the log's last line is cut short"
[ "$(tail -c 2 "$MONTH_FILE" | od -An -c | tr -d ' ')" = '\r\n' ] ||
  fail "the journal's last record is cut short"
echo "ended with the session under Wine: ok"
