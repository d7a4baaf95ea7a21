#!/usr/bin/env bash
# Quorvane.exe under Wine as a screen reader and a keyboard user meet it: another
# process finds the history list by its name and reads its item count and every
# item's text through the list view's messages, the lines of the log; and the
# tray icon chosen with the keyboard (what the shell sends for Enter or Space)
# brings the minimised window back.
source "$(dirname "$0")/wine-e2e-lib.sh"
: "${LIST_READER:?set LIST_READER to ListViewReader.exe}"
wine_e2e_prepare() {
  wine reg add "$SETTINGS_KEY" /v OftenIndex /d 1 /f >/dev/null 2>&1  # every second
}

wine_e2e_start
wait_for 30 main_window_shown || fail "no 536x570 main window appeared"
W=$(main_window)
wait_for 15 has_log_lines 3 || fail "no three samples"
click_twips "$W" 120 6225 3840 405  # "Turn Off Automatic Log": no sample races the reading
sleep 1.5

wine "$LIST_READER" 2>"$WORK/reader.err" | tr -d '\r' >"$WORK/read" ||
  fail "the list could not be read: $(cat "$WORK/reader.err")"
tr -d '\r' <"$LOG" >"$WORK/log"
[ "$(head -n1 "$WORK/read")" = "$(wc -l <"$WORK/log")" ] ||
  fail "the list counts $(head -n1 "$WORK/read") items, the log $(wc -l <"$WORK/log") lines"
tail -n +2 "$WORK/read" | diff - "$WORK/log" >&2 || fail "the items are not the log's lines"

xdotool windowminimize "$W"
wait_for 5 main_window_hidden || fail "minimising did not hide the window"
wine "$LIST_READER" key-select 2>/dev/null || fail "no window to send the key select to"
wait_for 5 main_window_shown || fail "the keyboard select on the tray icon did not restore the window"
shot win32-restored-by-keyboard
echo "screen reader and keyboard under Wine: ok"
