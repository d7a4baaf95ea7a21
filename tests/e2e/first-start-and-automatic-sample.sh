#!/usr/bin/env bash
# First start with nothing stored: the window and the tray icon appear, the
# history is empty, and the first automatic sample comes after five ticks.
source "$(dirname "$0")/e2e-lib.sh"
e2e_start_desktop
e2e_fake_nmcli " :48\n*:64\n"
e2e_start_quorvane
wait_for 15 main_window_shown || fail "the main window did not appear"
W=$(main_window)
[ "$(xdotool getwindowname "$W")" = Quorvane ] || fail "caption"
wait_for 5 tray_icon_present || fail "no tray icon"
[ ! -e "$LOG" ] || fail "a log before the first sample"
sleep 3
[ "$(log_lines)" -eq 0 ] || fail "a sample came before five ticks"
shot normal-window
wait_for 10 has_log_lines 1 || fail "no automatic sample"
grep -Eq '^[0-9/]+ [0-9:]+ WiFi Signal Strength is 64%$' "$LOG" || fail "log line: $(cat "$LOG")"
sleep 0.3
import -window "$W" "$SHOTS/main-window.png"
wait_for 10 has_log_lines 2 || fail "no second sample"

close_and_wait "$W" || fail "closing did not end the program"
wait_for 5 bash -c '! xwininfo -root -tree | grep -q "(\"quorvane\" \"Quorvane\")  22x22"' ||
  fail "the tray icon outlived the program"
echo "first start and automatic sample: ok"
