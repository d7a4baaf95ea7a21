#!/usr/bin/env bash
# "Log Current Status Now (Test)" while the wireless tool takes 3 seconds: the
# other buttons answer during those seconds, and the line arrives afterwards.
source "$(dirname "$0")/e2e-lib.sh"
e2e_start_desktop
e2e_fake_nmcli " :71\n" 3
e2e_settings "StartStopState=Off"
e2e_start_quorvane
wait_for 15 main_window_shown || fail "the main window did not appear"
W=$(main_window)
sleep 0.5
click_twips "$W" 4080 6225 3840 405  # Log Current Status Now (Test)
sleep 0.3
click_twips "$W" 120 6225 3840 405   # Turn On Automatic Log
wait_for 2 setting_is StartStopState On || fail "the switch did not answer while the tool ran"
[ "$(log_lines)" -eq 0 ] || fail "the sample did not wait for the tool"
shot log-now-while-tool-runs
wait_for 8 has_log_lines 1 || fail "the sample never arrived"
grep -q 'WiFi Signal Strength is 71%$' "$LOG" || fail "log line: $(cat "$LOG")"
echo "log now keeps the window answering: ok"
