#!/usr/bin/env bash
# In a Wayland session without XWayland Quorvane runs on Wayland, which never
# tells it that its window was minimised: it says so once, the minimised window
# stays on the taskbar, and the tray icon still brings it back.
NEEDS="dbus-daemon dbus-monitor busctl waybar mako makoctl kwin_wayland xwininfo import"
source "$(dirname "$0")/session-lib.sh"
session_start_bus
session_start_kwin
session_start_tray_host
session_start_notifications
session_watch_notify
session_fake_nmcli " :55\n"
unset QT_QPA_PLATFORM DISPLAY
session_start_quorvane
wait_for 10 tray_item_present || fail "the icon was not registered"
wait_for 10 kwin_window_is Quorvane shown || fail "the main window did not appear"
notice="does not tell Quorvane when its window is minimised"
wait_for 5 grep -q "$notice" "$WORK/notify.log" || fail "the user was not told"

kwin_minimise Quorvane
wait_for 5 kwin_window_is Quorvane minimised || fail "KWin did not minimise the window"
tray_call Activate
wait_for 5 kwin_window_is Quorvane shown || fail "the icon did not bring the window back"
kwin_minimise Quorvane
wait_for 5 kwin_window_is Quorvane minimised || fail "KWin did not minimise the window again"
tray_call ContextMenu
wait_for 5 kwin_window_is Quorvane shown || fail "the right button did not bring the window back"
[ "$(grep -c "$notice" "$WORK/notify.log")" = 1 ] || fail "the user was told more than once"
[ "$(grep -c "$notice" "$WORK/quorvane.out")" = 1 ] || fail "no notice on standard output"
echo "Wayland without XWayland: ok"
