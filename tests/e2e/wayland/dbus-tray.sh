#!/usr/bin/env bash
# On a tray over D-Bus (a StatusNotifierItem host and a notification server):
# the icon carries the tip and the blue 'B'; the balloon is one notification that
# goes away after 5 seconds; the left and right buttons restore the window and
# the middle one does not; the icon comes back when the host restarts and goes
# when the program ends.
NEEDS="dbus-daemon dbus-monitor busctl waybar mako makoctl sway Xwayland grim"
source "$(dirname "$0")/session-lib.sh"
session_start_bus
session_start_sway
session_start_tray_host
session_start_notifications
session_watch_notify
session_fake_nmcli " :55\n"
session_settings "Windows%20Startup=On" "Minimized=On"
unset QT_QPA_PLATFORM  # Quorvane chooses XWayland itself
session_start_quorvane
wait_for 15 tray_item_present || fail "the icon was not registered"

# The tip is the product alone until the first sample, then names it.
tray_property ToolTip | grep -Eq '"Quorvane(: 55% at [0-9]{2}:[0-9]{2}:[0-9]{2})?"' ||
  fail "the tip is not Quorvane or its latest sample: $(tray_property ToolTip)"
tray_property IconPixmap | grep -q '^a(iiay) [1-9]' || fail "the icon has no picture"
wait_for 5 notifications_showing_are 1 || fail "no balloon at a minimised start"
makoctl list | grep -q '"summary":{"type":"s","data":"Quorvane"}' ||
  fail "the balloon is not titled Quorvane"
makoctl list | grep -q "has been minimized to the system tray" || fail "the balloon's text"
shot dbus-balloon
wait_for 7 notifications_showing_are 0 || fail "the balloon stayed longer than 5 seconds"
sleep 1
[ "$(notify_calls)" = 1 ] || fail "$(notify_calls) notifications were sent instead of one"

# The window is hidden: the middle button leaves it so, the left one brings it.
main_window_shown && fail "the window is on screen at a minimised start"
tray_call SecondaryActivate
sleep 1
main_window_shown && fail "the middle button restored the window"
tray_call Activate
wait_for 5 main_window_shown || fail "the left button did not restore the window"
shot dbus-restored

kill "$TRAY_HOST_PID"
wait_for 5 tray_item_absent || fail "the icon outlived its host"
session_start_tray_host
wait_for 10 tray_item_present || fail "the icon did not come back when the host restarted"

swaymsg '[title="^Quorvane$"] kill' >/dev/null
wait_for 5 process_ended || fail "closing did not end the program"
tray_item_absent || fail "the icon stayed after the program ended"
echo "tray over D-Bus: ok"
