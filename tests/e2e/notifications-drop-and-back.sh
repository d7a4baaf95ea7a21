#!/usr/bin/env bash
# Notifications of a drop on a real session bus with a real notification server:
# the WiFi gone for 40 s gives exactly one Lost and one Back, the Back in the
# Lost's place, and activating the notification brings the hidden window back.
# Network probes stay off; the drop is the fake nmcli listing no network.
source "$(dirname "$0")/e2e-lib.sh"
for tool in dbus-daemon dbus-monitor dbus-send dunst dunstctl; do
  command -v "$tool" >/dev/null || fail "$tool is not installed"
done
e2e_start_desktop

# A session bus of the test's own, and dunst on it as the notification server,
# keeping its notifications until they are acted on.
dbus-daemon --session --nofork --print-address=5 5>"$WORK/bus" 2>/dev/null &
PIDS+=($!)
wait_for 5 test -s "$WORK/bus" || fail "no session bus"
export DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$WORK/bus")
printf '[global]\n    follow = none\n[urgency_normal]\n    timeout = 0\n' >"$WORK/dunstrc"
dunst -config "$WORK/dunstrc" >"$WORK/dunst.log" 2>&1 &
PIDS+=($!)
server_present() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
    string:org.freedesktop.Notifications 2>/dev/null | grep -q 'boolean true'
}
wait_for 10 server_present || fail "dunst did not take the notifications' name: $(cat "$WORK/dunst.log")"
dbus-monitor --session "type='method_call',interface='org.freedesktop.Notifications',member='Notify'" \
  >"$WORK/notify.log" 2>&1 &
PIDS+=($!)

# The fake nmcli lists the network unless told the WiFi is gone.
printf '#!/bin/sh\n[ -e "%s" ] || printf " :55\\n"\n' "$WORK/down" >"$WORK/bin/nmcli"
chmod +x "$WORK/bin/nmcli"
e2e_settings "OftenIndex=1" "Notify%20Drops=On" "Windows%20Startup=On" "Minimized=On"
e2e_start_quorvane
wait_for 15 has_log_lines 1 || fail "no first sample"
START=$SECONDS
wait_for 5 tray_icon_present || fail "no tray icon"
main_window_shown && fail "the window is on screen at a minimised start"

# Nothing is told in the first minute; the drop comes after it.
sleep $((62 - (SECONDS - START)))
touch "$WORK/down"
sleep 40
rm "$WORK/down"
notify_calls() { grep -c '^method call.*member=Notify' "$WORK/notify.log" || true; }
back_sent() { grep -q 'string "Connection back after' "$WORK/notify.log"; }
wait_for 10 back_sent || fail "no Back: $(cat "$WORK/notify.log")"
sleep 2
[ "$(notify_calls)" = 2 ] || fail "$(notify_calls) notifications instead of a Lost and a Back: $(cat "$WORK/notify.log")"
[ "$(grep -c 'string "WiFi connection lost"' "$WORK/notify.log")" = 1 ] || fail "no single Lost"
grep -Eq 'string "Connection back after 4[0-2] s \(the WiFi\)"' "$WORK/notify.log" ||
  fail "the Back's text: $(grep 'Connection back' "$WORK/notify.log")"
# Each call: app name, replaces_id, icon, title, text. The Back replaces the Lost.
replaces=($(grep -A2 '^method call.*member=Notify' "$WORK/notify.log" | awk '/uint32/{print $2}'))
[ "${replaces[0]}" = 0 ] && [ "${replaces[1]}" != 0 ] ||
  fail "the Back does not replace the Lost: replaces_id ${replaces[*]}"
grep -q 'string "Quorvane"' "$WORK/notify.log" || fail "not sent as Quorvane"
grep -q 'string "image-data"' "$WORK/notify.log" || fail "no icon"
[ "$(dunstctl count displayed)" = 1 ] || fail "dunst shows $(dunstctl count displayed) notifications"
shot notification-back

# Activating the notification, as its server does when clicked, brings the window.
dunstctl action 0
wait_for 5 main_window_shown || fail "activating the notification did not restore the window"
shot notification-restored
close_and_wait "$(main_window)" || fail "closing did not end the program"
echo "notifications of a drop and its end: ok"
