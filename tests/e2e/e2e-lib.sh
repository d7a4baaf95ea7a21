# Shared steps of the end-to-end tests: a private X server with a window manager
# and a tray, Quorvane started in folders of its own with a fake nmcli, and ways
# to look at and drive the window from outside, as a user would.
# Usage: source it, then call e2e_start_desktop and e2e_start_quorvane.
set -euo pipefail

QUORVANE=${QUORVANE:?set QUORVANE to the program}
SHOTS=${SHOTS:-$PWD/e2e-screenshots}
mkdir -p "$SHOTS"
WORK=$(mktemp -d)
export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/home/.config TEMP=$WORK/temp
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$TEMP" "$WORK/bin"
unset DBUS_SESSION_BUS_ADDRESS  # Qt then uses the XEmbed tray that trayer hosts
# The program runs on X11 in the test's own X server, whatever the caller's session
# chose (QT_QPA_PLATFORM=offscreen would open no window at all), at one pixel per
# pixel: the clicks are placed from the layout's twips.
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR \
  QT_ENABLE_HIGHDPI_SCALING QT_FONT_DPI
export XDG_RUNTIME_DIR=$WORK/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
export PATH=$WORK/bin:$PATH
# About one start in a hundred opens the maker's home page. The test desktop has
# no browser, so a stand-in takes the address quietly; otherwise that start would
# show an error box at random. A test may put its own opener here instead.
printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s"\n' "$WORK/opened-by-desktop" >"$WORK/bin/xdg-open"
chmod +x "$WORK/bin/xdg-open"
LOG=$TEMP/Quorvane.txt
SETTINGS=$XDG_CONFIG_HOME/Brindlewick/Quorvane.ini
PIDS=()

e2e_cleanup() {
  local pid
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap e2e_cleanup EXIT

fail() {
  echo "FAILED: $*" >&2
  [ -n "${DISPLAY:-}" ] && import -window root "$SHOTS/failure-$(basename "$0" .sh).png" 2>/dev/null
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

# The tray panel's width: by default as wide as its icons ask, so it grows when
# an icon docks.
TRAYER_WIDTH=(--widthtype request)

e2e_start_desktop() {
  local display_file=$WORK/display
  Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$display_file" 2>/dev/null &
  PIDS+=($!)
  wait_for 10 test -s "$display_file" || fail "Xvfb did not start"
  export DISPLAY=:$(cat "$display_file")
  openbox >/dev/null 2>&1 &
  PIDS+=($!)
  wait_for 10 window_manager_ready || fail "openbox did not start"
  local attempt
  for attempt in 1 2 3; do
    trayer --edge bottom --align right "${TRAYER_WIDTH[@]}" --height 24 >>"$WORK/trayer.log" 2>&1 &
    PIDS+=($!)
    wait_for 5 tray_panel_present && return 0
    kill "${PIDS[-1]}" 2>/dev/null || true
  done
  fail "no tray panel: $(cat "$WORK/trayer.log")"
}

window_manager_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

tray_panel() { xwininfo -root -tree 2>/dev/null | awk '/\("panel" "trayer"\)/ && !found {print $1; found=1}'; }
tray_panel_present() { [ -n "$(tray_panel)" ]; }
# Quorvane's icon window docked in the tray.
tray_icons() { xwininfo -root -tree 2>/dev/null | awk '/\("quorvane" "Quorvane"\)  22x22/{print $1}'; }
tray_icon_present() { [ -n "$(tray_icons)" ]; }

# A fake nmcli that prints the given terse output, after an optional delay.
e2e_fake_nmcli() {
  local output=$1 delay=${2:-0}
  printf '#!/bin/sh\nsleep %s\nprintf "%%b" "%s"\n' "$delay" "$output" >"$WORK/bin/nmcli"
  chmod +x "$WORK/bin/nmcli"
}

e2e_settings() {
  mkdir -p "$(dirname "$SETTINGS")"
  printf '[Quorvane]\n%s\n' "$*" | tr ' ' '\n' | sed 's/%20/ /g' >"$SETTINGS"
}

e2e_start_quorvane() {
  "$QUORVANE" >"$WORK/quorvane.out" 2>&1 &
  QUORVANE_PID=$!
  PIDS+=($QUORVANE_PID)
}

# The main window: Quorvane's window of the main window's size (Qt keeps helper
# windows of the same title).
main_window() {
  xwininfo -root -tree 2>/dev/null |
    awk '/"Quorvane": \("quorvane" "Quorvane"\)  536x570/ && !found {print $1; found=1}'
}
main_window_present() { [ -n "$(main_window)" ]; }
window_viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
main_window_shown() { local id; id=$(main_window) && [ -n "$id" ] && window_viewable "$id"; }
main_window_hidden() { ! main_window_shown; }
# Windows of the program on screen besides the main window and the tray icon:
# message boxes and balloons.
other_program_windows() {
  local id main icon
  main=$(main_window)
  icon=$(tray_icons)
  for id in $(xwininfo -root -tree 2>/dev/null | awk '/\("quorvane" "Quorvane"\)/{print $1}'); do
    [ "$id" != "$main" ] && [ "$id" != "$icon" ] && window_viewable "$id" && echo "$id"
  done
  return 0
}
other_window_shown() { [ -n "$(other_program_windows)" ]; }
no_other_window() { ! other_window_shown; }
log_deleted() { [ ! -e "$LOG" ]; }

# Clicks the middle of a control given in twips from the window's client origin.
click_twips() {
  local window=$1 left=$2 top=$3 width=$4 height=$5
  local x=$(((left + width / 2) / 15)) y=$(((top + height / 2) / 15))
  xdotool mousemove --window "$window" "$x" "$y" click 1
}

# Asks the window manager to close the window (Alt+F4), as a user would, and
# waits for the program to end. A key press that races the window manager's
# focus change is lost, so the request is repeated a few times.
close_and_wait() {
  local window=$1 attempt
  for attempt in 1 2 3; do
    xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4 2>/dev/null || true
    wait_for 4 process_ended && return 0
  done
  return 1
}

log_lines() { [ -f "$LOG" ] && wc -l <"$LOG" || echo 0; }
has_log_lines() { [ "$(log_lines)" -ge "$1" ]; }
setting_is() { grep -qx "$1=$2" "$SETTINGS" 2>/dev/null; }
process_ended() { ! kill -0 "$QUORVANE_PID" 2>/dev/null; }
shot() { import -window root "$SHOTS/$1.png"; }
