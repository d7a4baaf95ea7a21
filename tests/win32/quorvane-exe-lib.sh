# Shared steps of the end-to-end tests of Quorvane.exe under Wine, on top of the
# desktop of e2e-lib.sh. The Wine prefix is shared with the other Windows tests,
# so these tests run alone: what they replace in the prefix's system folder, and
# Quorvane's settings, Run values and log, are put back when they end.
# Usage: set QUORVANE_EXE, source it, then call e2e_start_desktop.
export QUORVANE=${QUORVANE_EXE:?set QUORVANE_EXE to Quorvane.exe}
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/e2e-lib.sh"
: "${WINEPREFIX:?}"
export WINEPREFIX WINEDEBUG=${E2E_WINEDEBUG:--all}

LOG=$WINEPREFIX/drive_c/users/$(id -un)/Temp/Quorvane.txt
SYSTEM32=$WINEPREFIX/drive_c/windows/system32
SETTINGS_KEY='HKCU\Software\VB and VBA Program Settings\Brindlewick\Quorvane'
RUN_KEYS=('HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
          'HKCU\Software\Microsoft\Windows\CurrentVersion\Run')
REPLACED=()

forget_quorvane() {
  wine reg delete "$SETTINGS_KEY" /f >/dev/null 2>&1 || true
  local key
  for key in "${RUN_KEYS[@]}"; do wine reg delete "$key" /v Quorvane.exe /f >/dev/null 2>&1 || true; done
  rm -f "$LOG"
}
# Puts a file of the test's own (or none, without a second argument) in place of
# one in the prefix's system folder, keeping the original for the end.
replace_system_file() {
  local name=$1 file=${2:-}
  if [[ ! " ${REPLACED[*]} " == *" $name "* ]]; then
    mkdir -p "$WORK/system32"
    [ -f "$SYSTEM32/$name" ] && cp "$SYSTEM32/$name" "$WORK/system32/$name"
    REPLACED+=("$name")
  fi
  if [ -n "$file" ]; then cp "$file" "$SYSTEM32/$name"; else rm -f "$SYSTEM32/$name"; fi
}
wine_cleanup() {
  local name
  for name in "${REPLACED[@]}"; do
    if [ -f "$WORK/system32/$name" ]; then cp "$WORK/system32/$name" "$SYSTEM32/$name"; fi
  done
  forget_quorvane
  wineserver -k 2>/dev/null || true
  # The server and Wine's background services for the tests that follow, started
  # as the test command starts them: detached from the test's output and display.
  wineserver -p 30 </dev/null >/dev/null 2>&1 || true
  env -u DISPLAY wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}
trap 'wine_cleanup; e2e_cleanup' EXIT

# What Wine shows of Quorvane: its main window under its caption, its icon docked
# in trayer's panel.
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
e2e_start_quorvane() {
  wine "$QUORVANE" >"$WORK/quorvane.out" 2>&1 &
  QUORVANE_PID=$!
  PIDS+=($QUORVANE_PID)
}
registry_value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ    //p'; }
setting_is() { [ "$(registry_value "$SETTINGS_KEY" "$1")" = "$2" ]; }
# Stores Quorvane's settings, given as name=value, in one step.
store_settings() {
  local pair
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n[%s]\r\n' "${SETTINGS_KEY/HKCU/HKEY_CURRENT_USER}"
    for pair in "$@"; do printf '"%s"="%s"\r\n' "${pair%%=*}" "${pair#*=}"; done
  } >"$WORK/settings.reg"
  wine reg import "$(winepath -w "$WORK/settings.reg" 2>/dev/null)" >/dev/null 2>&1
}
