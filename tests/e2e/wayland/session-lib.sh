# Shared steps of the end-to-end tests on Wayland desktops with a tray and
# notifications over D-Bus: a session bus of the test's own, a compositor (sway
# or KDE's KWin, headless), a StatusNotifierItem host (waybar's tray), a
# notification server (mako), and Quorvane started in folders of its own with a
# fake nmcli. The compositors refuse to run as root, so a root caller runs the
# test again as an unprivileged user, from a copy that user can read.
# Usage: source it, then call session_start_bus and the pieces the test needs.
set -euo pipefail

QUORVANE=${QUORVANE:?set QUORVANE to the program}
SHOTS=${SHOTS:-$PWD/e2e-screenshots}
TEST_USER=quorvane-e2e

# The desktop's tools the test names in NEEDS. Without one, a newcomer's run skips
# the test and says why (exit code 77); under CI=true it fails, so CI never
# passes by skipping.
for tool in ${NEEDS:-}; do
  command -v "$tool" >/dev/null 2>&1 && continue
  echo "$tool is not installed; scripts/install-packages.sh installs it" >&2
  [ "${CI:-}" = true ] && exit 1
  exit 77
done

if [ "$(id -u)" -eq 0 ]; then
  id "$TEST_USER" >/dev/null 2>&1 || useradd --create-home "$TEST_USER" 2>/dev/null ||
    id "$TEST_USER" >/dev/null
  # The X socket folder as an X server made by root leaves it: shared and sticky.
  # A compositor that makes it first makes it its user's own, and KWin refuses that.
  mkdir -p /tmp/.X11-unix
  chown root:root /tmp/.X11-unix
  chmod 1777 /tmp/.X11-unix
  mkdir -p "$SHOTS"
  stage=$(mktemp -d)
  trap 'rm -rf "$stage"' EXIT
  cp -r "$(dirname "$0")" "$stage/tests"
  cp "$QUORVANE" "$stage/quorvane"
  mkdir "$stage/shots"
  chmod -R a+rX "$stage"
  chown "$TEST_USER" "$stage/shots"
  status=0
  runuser -u "$TEST_USER" -- env -i PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 CI="${CI:-}" \
    QUORVANE="$stage/quorvane" SHOTS="$stage/shots" \
    bash "$stage/tests/$(basename "$0")" || status=$?
  cp "$stage"/shots/* "$SHOTS/" 2>/dev/null || true
  exit $status
fi

mkdir -p "$SHOTS"
WORK=$(mktemp -d)
export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/home/.config TEMP=$WORK/temp
export XDG_RUNTIME_DIR=$WORK/runtime
export PATH=$WORK/bin:/usr/local/bin:/usr/bin:/bin
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM XDG_SESSION_TYPE XDG_CURRENT_DESKTOP
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$TEMP" "$WORK/bin"
mkdir -m 700 "$XDG_RUNTIME_DIR"
LOG=$TEMP/Quorvane.txt
SETTINGS=$XDG_CONFIG_HOME/Brindlewick/Quorvane.ini
PIDS=()

session_cleanup() {
  local pid
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap session_cleanup EXIT

fail() {
  echo "FAILED: $*" >&2
  local log
  for log in "$WORK"/*.log "$WORK"/quorvane.out; do
    [ -s "$log" ] && { echo "--- $(basename "$log")"; tail -n 20 "$log"; } >&2
  done
  [ -n "${WAYLAND_DISPLAY:-}" ] && shot "failure-$(basename "$0" .sh)" 2>/dev/null
  exit 1
}

# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}

# A session bus that starts nothing by itself, so only the services the test
# runs answer.
session_start_bus() {
  cat >"$WORK/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=$XDG_RUNTIME_DIR/bus</listen>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
  dbus-daemon --config-file="$WORK/bus.conf" --nofork --nopidfile >"$WORK/bus.log" 2>&1 &
  PIDS+=($!)
  export DBUS_SESSION_BUS_ADDRESS=unix:path=$XDG_RUNTIME_DIR/bus
  wait_for 10 busctl --user list --no-pager >/dev/null 2>&1 || fail "no session bus"
}

bus_name_owned() { busctl --user status "$1" >/dev/null 2>&1; }

# Headless sway, for a quick Wayland session with waybar's tray, and its XWayland.
session_start_sway() {
  printf 'output HEADLESS-1 resolution 1024x768\nxwayland enable\n' >"$WORK/sway.conf"
  note_x_displays
  WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$WORK/sway.conf" >"$WORK/sway.log" 2>&1 &
  PIDS+=($!)
  wait_for 10 wayland_socket_present || fail "sway did not start"
  export WAYLAND_DISPLAY=$(wayland_socket) XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=sway
  SWAYSOCK=$(find "$XDG_RUNTIME_DIR" -maxdepth 1 -name 'sway-ipc.*.sock' | head -n1)
  export SWAYSOCK
  wait_for 20 xwayland_display_known || fail "sway started no XWayland"
  export DISPLAY=:$(xwayland_display)
}
wayland_socket() { find "$XDG_RUNTIME_DIR" -maxdepth 1 -type s -name 'wayland-*' | head -n1 | xargs -r basename; }
wayland_socket_present() { [ -n "$(wayland_socket)" ]; }

# KDE's compositor, headless, with or without XWayland. Its binary carries a file
# capability that this kind of machine refuses; a plain copy under the same name
# runs without it.
session_start_kwin() {
  local xwayland=${1:-}
  mkdir -p "$WORK/kwin"
  cp /usr/bin/kwin_wayland "$WORK/kwin/kwin_wayland"
  note_x_displays
  "$WORK/kwin/kwin_wayland" --virtual ${xwayland:+--xwayland} --socket wayland-kw \
    --width 1024 --height 768 >"$WORK/kwin.log" 2>&1 &
  PIDS+=($!)
  export WAYLAND_DISPLAY=wayland-kw XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=KDE
  KWIN_SESSION=1
  wait_for 20 test -S "$XDG_RUNTIME_DIR/wayland-kw" || fail "KWin did not start"
  wait_for 20 bus_name_owned org.kde.KWin || fail "KWin is not on the bus"
  if [ -n "$xwayland" ]; then
    wait_for 20 xwayland_display_known || fail "KWin started no XWayland"
    export DISPLAY=:$(xwayland_display)
    wait_for 20 xdpyinfo >/dev/null 2>&1 || fail "XWayland does not answer"
  fi
}
# The compositor picks its XWayland display; the lock file that is new and the
# test user's own tells which.
note_x_displays() { ls /tmp/.X*-lock 2>/dev/null >"$WORK/x-locks-before" || true; }
xwayland_display() {
  local lock
  for lock in $(ls -t /tmp/.X*-lock 2>/dev/null); do
    grep -qxF "$lock" "$WORK/x-locks-before" && continue
    [ -O "$lock" ] || continue
    basename "$lock" | sed 's/^\.X\([0-9]*\)-lock$/\1/'
    return 0
  done
  return 1
}
xwayland_display_known() { xwayland_display >/dev/null; }

# Runs a KWin script; print() in it goes to the compositor's log.
kwin_script() {
  local name=$1 body=$2 file
  file=$WORK/$name-$RANDOM.js
  printf '%s\n' "$body" >"$file"
  busctl --user call org.kde.KWin /Scripting org.kde.kwin.Scripting loadScript ss \
    "$file" "$name-$RANDOM" >/dev/null
  busctl --user call org.kde.KWin /Scripting org.kde.kwin.Scripting start
}

# Every window the compositor takes on from here on, as "added <class>" lines in
# its log (a window may get its caption only after it was added).
kwin_log_new_windows() {
  kwin_script added 'workspace.clientAdded.connect(c => print("added " + c.resourceClass));'
}
kwin_window_added() { grep -q "added $1\$" "$WORK/kwin.log"; }
kwin_close() {
  kwin_script close "for (const c of workspace.clientList()) if (c.caption == \"$1\") c.closeWindow();"
}
kwin_minimise() {
  kwin_script minimise "for (const c of workspace.clientList()) if (c.caption == \"$1\") c.minimized = true;"
}
# Whether the compositor has the window minimised (on its taskbar), or shows it.
kwin_window_state() {
  local mark=state-$RANDOM
  kwin_script state "for (const c of workspace.clientList()) if (c.caption == \"$1\")
    print(\"$mark \" + (c.minimized ? \"minimised\" : \"shown\"));"
  wait_for 3 grep -q "$mark" "$WORK/kwin.log" || return 1
  grep "$mark" "$WORK/kwin.log" | tail -n1 | awk '{print $NF}'
}
kwin_window_is() { [ "$(kwin_window_state "$1")" = "$2" ]; }

# waybar's tray is the StatusNotifierItem host; it also runs the watcher.
session_start_tray_host() {
  cat >"$WORK/waybar.json" <<'CONF'
{ "layer": "top", "position": "bottom", "height": 26, "modules-right": ["tray"],
  "tray": { "icon-size": 20, "spacing": 4 } }
CONF
  waybar -c "$WORK/waybar.json" >>"$WORK/waybar.log" 2>&1 &
  TRAY_HOST_PID=$!
  PIDS+=($TRAY_HOST_PID)
  wait_for 15 bus_name_owned org.kde.StatusNotifierWatcher || fail "no StatusNotifierWatcher"
}

session_start_notifications() {
  mako >"$WORK/mako.log" 2>&1 &
  PIDS+=($!)
  wait_for 10 bus_name_owned org.freedesktop.Notifications || fail "no notification server"
}

# Every Notify call on the bus, one line each, from here on.
session_watch_notify() {
  dbus-monitor --session "interface='org.freedesktop.Notifications',member='Notify'" \
    >"$WORK/notify.log" 2>&1 &
  PIDS+=($!)
  wait_for 5 test -s "$WORK/notify.log" || fail "dbus-monitor did not start"
}
notify_calls() { grep -c 'member=Notify' "$WORK/notify.log" || true; }
# mako's list of the notifications showing now, one line of JSON.
notifications_showing() { makoctl list | grep -o '"summary"' | wc -l; }
notifications_showing_are() { [ "$(notifications_showing)" = "$1" ]; }

# A fake nmcli that prints the given terse output.
session_fake_nmcli() {
  printf '#!/bin/sh\nprintf "%%b" "%s"\n' "$1" >"$WORK/bin/nmcli"
  chmod +x "$WORK/bin/nmcli"
}

session_settings() {
  mkdir -p "$(dirname "$SETTINGS")"
  printf '[Quorvane]\n%s\n' "$*" | tr ' ' '\n' | sed 's/%20/ /g' >"$SETTINGS"
}

session_start_quorvane() {
  "$QUORVANE" "$@" >"$WORK/quorvane.out" 2>&1 &
  QUORVANE_PID=$!
  PIDS+=($QUORVANE_PID)
}
process_ended() { ! kill -0 "$QUORVANE_PID" 2>/dev/null; }

# Quorvane's StatusNotifierItem as "bus-name/path", from the watcher.
tray_item() {
  busctl --user get-property org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
    org.kde.StatusNotifierWatcher RegisteredStatusNotifierItems 2>/dev/null |
    grep -o '":[0-9.]*/[^"]*"' | tr -d '"' | head -n1
}
tray_item_present() { [ -n "$(tray_item)" ]; }
tray_item_absent() { [ -z "$(tray_item)" ]; }
# Calls a method of the item with the position arguments a host sends.
tray_call() {
  local item
  item=$(tray_item)
  busctl --user call "${item%%/*}" "/${item#*/}" org.kde.StatusNotifierItem "$1" ii 0 0
}
tray_property() {
  local item
  item=$(tray_item)
  busctl --user get-property "${item%%/*}" "/${item#*/}" org.kde.StatusNotifierItem "$1"
}

# Quorvane's main window on the XWayland display, by its title and size (Qt keeps
# helper windows of the same title).
main_window() {
  xwininfo -root -tree 2>/dev/null |
    awk '/"Quorvane": \("quorvane" "Quorvane"\)  536x570/ && !found {print $1; found=1}'
}
main_window_shown() {
  local id
  id=$(main_window) && [ -n "$id" ] && xwininfo -id "$id" | grep -q 'Map State: IsViewable'
}
main_window_hidden() { ! main_window_shown; }

log_lines() { [ -f "$LOG" ] && wc -l <"$LOG" || echo 0; }
has_log_lines() { [ "$(log_lines)" -ge "$1" ]; }
# A screenshot: grim where the compositor offers screen copies (sway). KWin offers
# them to its own tools only, and XWayland has no root window to capture, so
# there it is the main window alone, when it is shown.
shot() {
  if [ -z "${KWIN_SESSION:-}" ]; then
    grim "$SHOTS/$1.png"
  elif main_window_shown; then
    import -window "$(main_window)" "$SHOTS/$1.png"
  fi
}
