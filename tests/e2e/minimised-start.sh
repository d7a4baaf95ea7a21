#!/usr/bin/env bash
# With both start options stored "On" the program starts straight into the tray.
source "$(dirname "$0")/e2e-lib.sh"
e2e_start_desktop
e2e_fake_nmcli " :55\n"
e2e_settings "Windows%20Startup=On" "Minimized=On"
e2e_start_quorvane
wait_for 10 tray_icon_present || fail "no tray icon"
wait_for 3 other_window_shown || fail "no balloon at a minimised start"
# The balloon stands at the icon, in the bottom right corner, not where an icon
# that has not docked yet would put it.
balloon_y=$(xwininfo -id "$(other_program_windows | head -n 1)" | awk '/Absolute upper-left Y/{print $4}')
[ "$balloon_y" -gt 384 ] || fail "the balloon is not at the icon (top at $balloon_y)"
sleep 1
main_window_shown && fail "the window appeared at a minimised start"
xdotool mousemove --window "$(tray_icons)" 11 11 click 1
wait_for 5 main_window_shown || fail "the icon did not bring the window"
echo "minimised start: ok"
