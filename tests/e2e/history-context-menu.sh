#!/usr/bin/env bash
# The history list's context menu: "Signal Report…" writes the report beside the
# log and hands it to the default browser (a fake opener that records what it was
# asked to open); "Export History as CSV…" asks where in the save dialog. Both
# are reached by right click and from the keyboard, and automatic logging goes on
# while the menu or the save dialog is open.
source "$(dirname "$0")/e2e-lib.sh"
e2e_start_desktop
e2e_fake_nmcli " :66\n"
OPENED=$WORK/opened
printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s"\n' "$OPENED" >"$WORK/bin/xdg-open"
chmod +x "$WORK/bin/xdg-open"
mkdir -p "$HOME/Documents"
e2e_settings "StartStopState=On" "OftenIndex=1"
printf 'a line from an earlier run\n' >"$LOG"
e2e_start_quorvane
wait_for 15 main_window_shown || fail "the main window did not appear"
W=$(main_window)
wait_for 8 has_log_lines 2 || fail "no automatic sample"

# ListView1 lies at 120,1080 twips, 7800 by 2535.
xdotool mousemove --window "$W" 260 150 click 3
wait_for 5 other_window_shown || fail "no menu on a right click"
before=$(log_lines)
sleep 2.2
[ "$(log_lines)" -gt "$before" ] || fail "logging stopped while the menu was open"
shot history-context-menu
xdotool key --clearmodifiers Down Return
REPORT=$TEMP/Quorvane-report.html
wait_for 20 test -s "$OPENED" || fail "the browser was not asked to open anything"
[ -s "$REPORT" ] || fail "no report beside the log"
grep -qx "file://$REPORT" "$OPENED" || fail "the browser was asked to open $(cat "$OPENED")"

# From the keyboard: Shift+F10 on the focused list, the second item.
wait_for 5 no_other_window || fail "the menu stayed"
xdotool mousemove --window "$W" 260 150 click 1
xdotool key --clearmodifiers shift+F10
wait_for 5 other_window_shown || fail "no menu on Shift+F10"
xdotool key --clearmodifiers Down Down Return
wait_for 5 other_window_shown || fail "no save dialog"
sleep 0.5
shot history-export-save-dialog
before=$(log_lines)
sleep 2.2
[ "$(log_lines)" -gt "$before" ] || fail "logging stopped while the save dialog was open"
xdotool key --clearmodifiers Return
CSV=$HOME/Documents/Quorvane.csv
wait_for 20 test -s "$CSV" || fail "the CSV was not written where the dialog suggested"
wait_for 5 no_other_window || fail "the save dialog stayed"

# The Menu key opens the same menu; Escape closes it and nothing is made.
xdotool key --clearmodifiers Menu
wait_for 5 other_window_shown || fail "no menu on the Menu key"
xdotool key --clearmodifiers Escape
wait_for 5 no_other_window || fail "the menu stayed"
[ "$(wc -l <"$OPENED")" -eq 1 ] || fail "the browser was asked more than once"
echo "history context menu: ok"
