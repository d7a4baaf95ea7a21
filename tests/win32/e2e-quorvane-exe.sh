#!/usr/bin/env bash
# Quorvane.exe under Wine on a desktop with a tray, driven from outside as a user
# would: the first start and its samples, minimising into the tray and coming
# back, the start-at-logon entry, a second start, and closing.
# The Wine prefix is shared with the other Windows tests, so this test runs alone:
# it replaces the prefix's netsh by a fake that prints a recorded output, and puts
# back netsh, Quorvane's settings and Run values and its log when it ends.
source "$(dirname "$0")/wine-e2e-lib.sh"

# A click on the tray icon brings the window back.
restore_through_tray() {
  xdotool mousemove --window "$(tray_icons | head -n 1)" 10 11 click "$1"
  # Off the icon again: its tip, which names the latest sample, would otherwise
  # show and be taken for a balloon.
  xdotool mousemove 5 5
  wait_for 5 main_window_shown
}
registry_value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ    //p'; }
setting_is() { [ "$(registry_value "$SETTINGS_KEY" "$1")" = "$2" ]; }
no_run_value() {
  local key
  for key in "${RUN_KEYS[@]}"; do [ -z "$(registry_value "$key" Quorvane.exe)" ] || return 1; done
}

wine_e2e_start

wait_for 30 main_window_shown || fail "no 536x570 main window appeared"
wait_for 10 tray_icon_present || fail "no tray icon"
W=$(main_window)
wait_for 12 has_log_lines 1 || fail "no automatic sample"
head -n 1 "$LOG" | grep -qE $'^[0-9]+/[0-9]+/[0-9]{4} [0-9]+:[0-9]{2}:[0-9]{2} [AP]M WiFi Signal Strength is 65%\r$' ||
  fail "unexpected first line: $(head -n 1 "$LOG" | od -c | head -n 4)"
shot win32-first-start

click_twips "$W" 120 6225 3840 405  # "Turn Off Automatic Log"
lines=$(log_lines)
click_twips "$W" 4080 6225 3840 405  # "Log Current Status Now (Test)"
wait_for 10 has_log_lines $((lines + 1)) || fail "Log Current Status Now wrote nothing"
[ "$(log_lines)" -eq $((lines + 1)) ] || fail "more than one line for one click"
tail -n 1 "$LOG" | grep -q $'WiFi Signal Strength is 65%\r$' || fail "unexpected second line"

xdotool windowminimize "$W"
wait_for 5 main_window_hidden || fail "minimising did not hide the window"
wait_for 5 balloon_shown || fail "no balloon on the first minimise"
shot win32-balloon
# The balloon's stem lies over the icon: a click there would click the balloon.
wait_for 8 no_balloon || fail "the balloon stayed longer than 5 seconds"
restore_through_tray 1 || fail "a click on the tray icon did not restore the window"
xdotool windowminimize "$W"
wait_for 5 main_window_hidden || fail "the second minimise did not hide the window"
sleep 3
balloon_shown && fail "a balloon on the second minimise"
restore_through_tray 3 || fail "the right button did not restore the window"
shot win32-restored

click_twips "$W" 360 5660 3930 285  # "Load this software on Windows startup"
wait_for 10 setting_is "Windows Startup" On || fail "ticking the box stored nothing"
# A copy its user may replace starts for that user only.
[ "$(registry_value "${RUN_KEYS[1]}" Quorvane.exe)" = "\"$EXE_WINDOWS_PATH\"" ] ||
  fail "Run value: $(registry_value "${RUN_KEYS[1]}" Quorvane.exe)"
[ -z "$(registry_value "${RUN_KEYS[0]}" Quorvane.exe)" ] || fail "a Run value for all users"
shot win32-startup-ticked
click_twips "$W" 360 5660 3930 285
wait_for 10 setting_is "Windows Startup" Off || fail "unticking the box stored nothing"
no_run_value || fail "unticking left a Run value"
setting_is StartStopState Off || fail "the automatic-logging switch was not stored"

# A second start ends at once and brings the first copy out of the tray.
xdotool windowminimize "$W"
wait_for 5 main_window_hidden || fail "minimising did not hide the window"
timeout 30 wine "$QUORVANE" >"$WORK/second.out" 2>&1 || fail "the second start did not end by itself"
grep -q "asked to bring its window to the front" "$WORK/second.out" ||
  fail "the second start said: $(cat "$WORK/second.out")"
wait_for 5 main_window_shown || fail "the second start did not bring the first to the front"
[ "$(main_window)" = "$W" ] || fail "a second main window"

close_and_wait "$W" || fail "closing did not end the program"
wait_for 5 test -z "$(tray_icons)" || fail "the tray icon stayed after closing"
echo "Quorvane.exe under Wine: ok"
