#!/usr/bin/env bash
# Minimising hides the window into the tray with a balloon the first time only;
# the left or right button on the icon brings it back, the middle one does not.
source "$(dirname "$0")/e2e-lib.sh"
e2e_start_desktop
e2e_fake_nmcli " :55\n"
e2e_start_quorvane
wait_for 15 main_window_shown || fail "the main window did not appear"
wait_for 5 tray_icon_present || fail "no tray icon"
W=$(main_window)
sleep 0.5

xdotool windowminimize "$W"
wait_for 5 main_window_hidden || fail "minimising did not hide the window"
wait_for 3 other_window_shown || fail "no balloon on the first minimise"
shot balloon
ICON=$(tray_icons)
xdotool mousemove --window "$ICON" 11 11 click 2
sleep 1
main_window_hidden || fail "the middle button restored the window"
xdotool mousemove --window "$ICON" 11 11 click 1
wait_for 5 main_window_shown || fail "the left button did not restore the window"
wait_for 8 no_other_window || fail "the balloon stayed longer than 5 seconds"
shot restored

xdotool windowminimize "$W"
wait_for 5 main_window_hidden || fail "the second minimise did not hide the window"
sleep 1
other_window_shown && fail "a balloon on the second minimise"
xdotool mousemove --window "$ICON" 11 11 click 3
wait_for 5 main_window_shown || fail "the right button did not restore the window"
wait_for 10 has_log_lines 1 || fail "automatic logging stopped"

close_and_wait "$W" || fail "closing did not end the program"
echo "tray minimise and restore: ok"
