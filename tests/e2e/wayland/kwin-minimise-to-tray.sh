#!/usr/bin/env bash
# In a Wayland session under KDE's compositor, with XWayland: Quorvane runs
# through XWayland by itself, so a minimise from the compositor hides the window
# into the tray, with the balloon the first time only; the right and left buttons
# on the icon bring it back. Started at login with both start options on, it goes
# straight into the tray without showing its window.
NEEDS="dbus-daemon dbus-monitor busctl waybar mako makoctl kwin_wayland Xwayland xwininfo import"
source "$(dirname "$0")/session-lib.sh"
session_start_bus
session_start_kwin xwayland
session_start_tray_host
session_start_notifications
session_watch_notify
session_fake_nmcli " :55\n"
unset QT_QPA_PLATFORM  # Quorvane chooses XWayland itself
session_start_quorvane
wait_for 15 main_window_shown || fail "the main window did not appear"
wait_for 10 tray_item_present || fail "the icon was not registered"
sleep 0.5

kwin_minimise Quorvane
wait_for 5 main_window_hidden || fail "minimising did not hide the window"
wait_for 5 notifications_showing_are 1 || fail "no balloon on the first minimise"
tray_call ContextMenu
wait_for 5 main_window_shown || fail "the right button did not restore the window"
shot kwin-restored

kwin_minimise Quorvane
wait_for 5 main_window_hidden || fail "the second minimise did not hide the window"
tray_call Activate
wait_for 5 main_window_shown || fail "the left button did not restore the window"
wait_for 8 notifications_showing_are 0 || fail "the balloon stayed longer than 5 seconds"
[ "$(notify_calls)" = 1 ] || fail "$(notify_calls) notifications were sent instead of one"
kwin_close Quorvane
wait_for 5 process_ended || fail "closing did not end the program"
tray_item_absent || fail "the icon stayed after the program ended"

# At login: the session starts the autostart entry's command line.
session_settings "Windows%20Startup=On" "Minimized=On"
printf '[Desktop Entry]\nType=Application\nName=Quorvane\nExec="%s"\n' "$QUORVANE" \
  >"$WORK/autostart.desktop"
login_command=$(sed -n 's/^Exec="\(.*\)"$/\1/p' "$WORK/autostart.desktop")
kwin_log_new_windows
QUORVANE=$login_command session_start_quorvane
wait_for 10 tray_item_present || fail "no icon at a minimised start"
wait_for 5 notifications_showing_are 1 || fail "no balloon at a minimised start"
sleep 1
kwin_window_added quorvane && fail "the window showed at a minimised start"
tray_call Activate
wait_for 5 main_window_shown || fail "the icon did not bring the window after a minimised start"
wait_for 3 kwin_window_added quorvane || fail "the compositor never saw the window"
echo "minimise to tray under KWin: ok"
