#!/usr/bin/env bash
# Quorvane.exe's Method #2 under Wine, where the WMI query finds no adapter, with
# a wlanapi.dll of the tests' own in the prefix's system folder: the connected
# interface's strength gives the level, the connection test answers when it
# cannot, a refusal for want of location permission is told once, a system
# without the library still logs, and a reading stuck in the WLAN service does
# not hold up closing.
source "$(dirname "$0")/wine-e2e-lib.sh"
: "${FAKE_WLANAPI:?}"
# Native first, and only: Wine's own reports no interface.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;wlanapi=n"
SCRIPT=$WINEPREFIX/drive_c/quorvane-wlan.txt
WLANAPI=$WINEPREFIX/drive_c/windows/system32/wlanapi.dll

# The first start sees a Windows without wlanapi.dll.
wine_e2e_prepare() {
  cp "$WLANAPI" "$WORK/wlanapi.dll"
  rm -f "$WLANAPI"
  store_method2_settings
}
wine_e2e_restore() {
  if [ -f "$WORK/wlanapi.dll" ]; then cp "$WORK/wlanapi.dll" "$WLANAPI"; fi
  rm -f "$SCRIPT"
}
# Method #2, logging every second.
store_method2_settings() {
  local value
  for value in Option1=False Option2=True OftenIndex=1 StartStopState=On; do
    wine reg add "$SETTINGS_KEY" /v "${value%%=*}" /t REG_SZ /d "${value#*=}" /f >/dev/null 2>&1
  done
}
wlan_answers() { printf '%s\n' "$@" >"$SCRIPT.new" && mv "$SCRIPT.new" "$SCRIPT"; }
last_value() { tail -n 1 "$LOG" 2>/dev/null | tr -d '\r' | sed -n 's/.* WiFi Signal Strength is //p'; }
last_value_is() { [ "$(last_value)" = "$1" ]; }
# A new line has come in with this value.
wait_for_value() {
  local lines
  lines=$(log_lines)
  wait_for 10 has_log_lines $((lines + 1)) && wait_for 10 last_value_is "$1"
}
# Windows of Quorvane on screen other than the main window: its message boxes.
message_boxes() {
  local id main
  main=$(main_window)
  for id in $(xwininfo -root -tree 2>/dev/null |
    awk '/"Quorvane": \("quorvane.exe" "quorvane.exe"\)/ {split($(NF-1), size, "x"); if (size[1] > 1) print $1}'); do
    [ "$id" != "$main" ] && window_viewable "$id" && echo "$id"
  done
  return 0
}
message_box_count() { message_boxes | wc -l; }
box_shown() { [ "$(message_box_count)" -ge 1 ]; }
# Starts Quorvane again, afresh, and waits for its window.
restart_method2() {
  forget_quorvane
  store_method2_settings
  wineserver -k 2>/dev/null || true
  e2e_start_quorvane
  wait_for 30 main_window_shown || fail "no main window appeared"
  W=$(main_window)
}

# A Windows without wlanapi.dll: the connection test gives every level.
wine_e2e_start
wait_for 30 main_window_shown || fail "no main window appeared"
W=$(main_window)
wait_for 15 has_log_lines 2 || fail "nothing logged without wlanapi.dll"
connection_test=$(last_value)
[[ $connection_test == [05] ]] || fail "without wlanapi.dll: $(tail -n 1 "$LOG")"
close_and_wait "$W" || fail "closing did not end the program"

cp "$FAKE_WLANAPI" "$WLANAPI"
wlan_answers "interface disconnected" "interface connected" "rssi -55"
restart_method2
wait_for_value 5 || fail "-55 dBm: $(last_value)"
wlan_answers "interface connected" "rssi -90"
wait_for_value 0 || fail "-90 dBm: $(last_value)"
wlan_answers "interface connected" "rssi -70"
wait_for_value 3 || fail "-70 dBm: $(last_value)"
wlan_answers "interface disconnected"
wait_for_value "$connection_test" || fail "a disconnected interface: $(last_value)"

# Refused for want of location permission: told once, and logging goes on.
wlan_answers "interface connected" "rssi -70" "query 5"
wait_for 10 box_shown || fail "no location notice"
shot win32-method2-location-notice
lines=$(log_lines)
wait_for 10 has_log_lines $((lines + 3)) || fail "logging stopped behind the notice"
last_value_is "$connection_test" || fail "refused: $(last_value)"
[ "$(message_box_count)" -eq 1 ] || fail "$(message_box_count) notices"
xdotool windowactivate --sync "$(message_boxes)" key --clearmodifiers Return
wait_for 5 test "$(message_box_count)" -eq 0 || fail "the notice did not close"
lines=$(log_lines)
wait_for 10 has_log_lines $((lines + 3)) || fail "logging stopped after the notice"
[ "$(message_box_count)" -eq 0 ] || fail "the notice came again"
close_and_wait "$W" || fail "closing did not end the program"

# A reading that never comes back out of the WLAN service: closing still ends
# the program at once.
wlan_answers "interface connected" "query hang"
restart_method2
sleep 3
lines=$(log_lines)
sleep 2
[ "$(log_lines)" -eq "$lines" ] || fail "the hung reading logged"
started=$SECONDS
close_and_wait "$W" || fail "closing did not end the program while a reading hung"
[ $((SECONDS - started)) -le 3 ] || fail "closing took $((SECONDS - started)) s"
echo "Method #2 through the WLAN service under Wine: ok"
