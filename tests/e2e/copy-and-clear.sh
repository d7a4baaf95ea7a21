#!/usr/bin/env bash
# Copy puts the whole log on the clipboard; clear asks first and only "Yes"
# deletes the log.
source "$(dirname "$0")/e2e-lib.sh"
e2e_start_desktop
e2e_fake_nmcli " :66\n"
e2e_settings "StartStopState=Off"
printf 'a line from an earlier run\n' >"$LOG"
e2e_start_quorvane
wait_for 15 main_window_shown || fail "the main window did not appear"
W=$(main_window)
sleep 0.5
click_twips "$W" 4080 6225 3840 405  # Log Current Status Now (Test)
wait_for 8 has_log_lines 2 || fail "no sample"

click_twips "$W" 4080 6735 3840 405  # Copy History To Clipboard
sleep 0.5
[ "$(xclip -o -selection clipboard)" = "$(cat "$LOG")" ] || fail "clipboard: $(xclip -o -selection clipboard)"

click_twips "$W" 4080 7245 3840 405  # Clear History Log
wait_for 5 other_window_shown || fail "no confirmation"
shot clear-confirmation
xdotool key --clearmodifiers Escape
wait_for 5 no_other_window || fail "the confirmation stayed"
[ "$(log_lines)" -eq 2 ] || fail "No deleted the log"

click_twips "$W" 4080 7245 3840 405
wait_for 5 other_window_shown || fail "no confirmation"
xdotool key --clearmodifiers Return
wait_for 5 log_deleted || fail "Yes did not delete the log"
echo "copy and clear: ok"
