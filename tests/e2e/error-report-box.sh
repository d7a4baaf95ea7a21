#!/usr/bin/env bash
# A failed sample is reported in a box titled exactly "Application Error", as
# the window system shows it, and the program goes on after it is closed.
source "$(dirname "$0")/e2e-lib.sh"
e2e_start_desktop
printf '#!/bin/sh\nkill -SEGV $$\n' >"$WORK/bin/nmcli"  # a tool that crashes
chmod +x "$WORK/bin/nmcli"
e2e_settings "StartStopState=Off"
e2e_start_quorvane
wait_for 15 main_window_shown || fail "the main window did not appear"
W=$(main_window)
sleep 0.5
click_twips "$W" 4080 6225 3840 405  # Log Current Status Now (Test)
wait_for 8 other_window_shown || fail "no error report"
BOX=$(other_program_windows | head -n 1)
title=$(xprop -id "$BOX" _NET_WM_NAME WM_NAME)
shot error-report
grep -qx '_NET_WM_NAME(UTF8_STRING) = "Application Error"' <<<"$title" || fail "title: $title"
xdotool key --clearmodifiers Return
wait_for 5 no_other_window || fail "the error report stayed"
[ "$(log_lines)" -eq 0 ] || fail "a failed sample was logged"
echo "error report box: ok"
