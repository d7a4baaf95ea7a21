#!/usr/bin/env bash
# Starting Quorvane again while it runs brings the running window back from the
# tray; the second copy ends and no second icon appears.
source "$(dirname "$0")/e2e-lib.sh"
e2e_start_desktop
e2e_fake_nmcli " :55\n"
e2e_start_quorvane
wait_for 15 main_window_shown || fail "the main window did not appear"
W=$(main_window)
sleep 0.5
xdotool windowminimize "$W"
wait_for 5 main_window_hidden || fail "minimising did not hide the window"
timeout 20 "$QUORVANE" >"$WORK/second.out" 2>&1 || fail "the second copy failed: $(cat "$WORK/second.out")"
grep -q "already running" "$WORK/second.out" || fail "the second copy said: $(cat "$WORK/second.out")"
wait_for 5 main_window_shown || fail "the running window did not come back"
[ "$(tray_icons | wc -l)" -eq 1 ] || fail "more than one tray icon"
echo "second start shows the first: ok"
