# Shared steps of the end-to-end tests of Quorvane.exe under Wine, on top of
# e2e-lib.sh: the shared Wine prefix with a fake netsh, Quorvane's settings, Run
# values and log put back when the test ends, and Wine's view of the windows.
# Usage: set QUORVANE_EXE, WINEPREFIX, FAKE_NETSH, NETSH_OUTPUT; source it.
export QUORVANE=${QUORVANE_EXE:?set QUORVANE_EXE to Quorvane.exe}
source "$(dirname "$0")/../e2e/e2e-lib.sh"
: "${WINEPREFIX:?}" "${FAKE_NETSH:?}" "${NETSH_OUTPUT:?}"
export WINEPREFIX WINEDEBUG=${E2E_WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml=;netsh.exe=n"
export FAKE_NETSH_MODE="print:Z:$NETSH_OUTPUT"

LOG=$WINEPREFIX/drive_c/users/$(id -un)/Temp/Quorvane.txt
NETSH=$WINEPREFIX/drive_c/windows/system32/netsh.exe
SETTINGS_KEY='HKCU\Software\VB and VBA Program Settings\Brindlewick\Quorvane'
RUN_KEYS=('HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
          'HKCU\Software\Microsoft\Windows\CurrentVersion\Run')

forget_quorvane() {
  wine reg delete "$SETTINGS_KEY" /f >/dev/null 2>&1 || true
  local key
  for key in "${RUN_KEYS[@]}"; do wine reg delete "$key" /v Quorvane.exe /f >/dev/null 2>&1 || true; done
  rm -f "$LOG"
}
wine_cleanup() {
  [ -f "$WORK/netsh.exe" ] && cp "$WORK/netsh.exe" "$NETSH"
  forget_quorvane
  wineserver -k 2>/dev/null || true
  # The server and Wine's background services for the tests that follow, started
  # as the test command starts them: detached from the test's output and display.
  wineserver -p 30 </dev/null >/dev/null 2>&1 || true
  env -u DISPLAY wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}
# A test redefines these to set up and put back what else it changes in the prefix.
wine_e2e_prepare() { :; }
wine_e2e_restore() { :; }
trap 'wine_e2e_restore; wine_cleanup; e2e_cleanup' EXIT

# What Wine shows of Quorvane: its main window under its caption, its icon docked
# in trayer's panel, balloons drawn by Wine's explorer.
main_window() {
  xwininfo -root -tree 2>/dev/null |
    awk '/"Quorvane": \("quorvane.exe" "quorvane.exe"\)  536x570/ && !found {print $1; found=1}'
}
tray_icons() {
  local panel
  panel=$(tray_panel)
  [ -n "$panel" ] && xwininfo -tree -id "$panel" 2>/dev/null |
    awk '/\("explorer.exe" "explorer.exe"\)/{print $1}'
}
balloon_shown() {
  local id
  for id in $(xwininfo -root -tree 2>/dev/null |
    awk '/\("explorer.exe" "explorer.exe"\)/ {split($(NF-1), size, "x"); if (size[1] > 100) print $1}'); do
    window_viewable "$id" && return 0
  done
  return 1
}
no_balloon() { ! balloon_shown; }
e2e_start_quorvane() {
  wine "$QUORVANE" >"$WORK/quorvane.out" 2>&1 &
  QUORVANE_PID=$!
  PIDS+=($QUORVANE_PID)
}

# Wine shadows each X window that holds the docked icon with a window of its own,
# placed where the X window was when the icon docked, and routes a click by those
# places. A panel as wide as its icons ask grows when the icon docks, Wine misses
# that, and a click on the icon lands outside Wine's panel, reaching no one. A
# panel of a fixed width keeps its size.
TRAYER_WIDTH=(--widthtype pixel --width 48)

# Starts the desktop, puts the fake netsh in place and starts Quorvane.exe.
wine_e2e_start() {
  e2e_start_desktop
  wineserver -k 2>/dev/null || true
  forget_quorvane
  cp "$NETSH" "$WORK/netsh.exe"
  cp "$FAKE_NETSH" "$NETSH"
  wine_e2e_prepare
  EXE_WINDOWS_PATH=$(winepath -w "$QUORVANE" 2>/dev/null)
  # Wine's desktop process, which docks the tray icons, serves the display it was
  # started on, and when a console program such as reg started it, its icons may
  # stay blank and deaf to clicks: Quorvane starts it, on a server of its own.
  wineserver -k 2>/dev/null || true
  e2e_start_quorvane
}
