#!/usr/bin/env bash
# Checks Quorvane's Windows packages under Wine: the portable archive holds the
# program; a silent install puts program, shortcut and uninstaller in place; the
# interactive one starts the program from its last page; a silent update starts
# again the copy it closed; a silent uninstall takes them away with the
# start-at-login values (the machine-wide one first, through an elevated step),
# and keeps the history (log, report, journal, metrics file) and the settings
# unless /PURGE asks otherwise.
#   check-installer.sh <archive.zip> <setup.exe> <stand-in for an elevated reg.exe>
# Needs WINEPREFIX and an X display.
set -euo pipefail
zip=$1 setup=$2 elevated_reg=$3
: "${WINEPREFIX:?needs the Wine prefix of the Windows tests}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

user=$(id -un)
home="$WINEPREFIX/drive_c/users/$user"
program_dir="$home/AppData/Local/Programs/Quorvane"
shortcut="$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Quorvane.lnk"
log="$home/Temp/Quorvane.txt"
report="$home/Temp/Quorvane-report.html"
journal="$home/AppData/Local/Brindlewick/Quorvane/journal"
metrics_dir=$WINEPREFIX/drive_c/metrics
program='C:\users\'"$user"'\AppData\Local\Programs\Quorvane\Quorvane.exe'
apps_entry='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvane'
run_key='Software\Microsoft\Windows\CurrentVersion\Run'
settings='HKCU\Software\VB and VBA Program Settings\Brindlewick\Quorvane'

fail() { echo "FAIL: $*" >&2; exit 1; }
on_wine() { timeout 120 wine "$@" </dev/null 2>/dev/null; }
has_key() { on_wine reg query "$1" >/dev/null; }
# The data of one registry value; fails when it is absent.
value_of() {
  local listing
  listing=$(on_wine reg query "$1" /v "$2") || return 1
  tr -d '\r' <<<"$listing" | sed -n "s/^ *$2 \+REG_[A-Z_]\+ *//p"
}

started=()
work=$(mktemp -d)
reg_exe=$WINEPREFIX/drive_c/windows/system32/reg.exe
cp "$reg_exe" "$work/reg.exe"
end_started() {
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
  cp "$work/reg.exe" "$reg_exe"
  on_wine "$elevated_reg" unlock || true  # the Run key open again to the other tests
  rm -rf "$work"
}
trap end_started EXIT

install() {
  local status=0
  on_wine "$setup" /S || status=$?
  [ $status -eq 0 ] || fail "the installer failed with exit status $status ($(ls "$program_dir" 2>&1 | xargs))"
}

# The uninstaller runs on from a copy of itself; its last step takes away the entry
# in the user's apps.
uninstalled() {
  for _ in $(seq 120); do has_key "$apps_entry" || return 0; sleep 0.5; done
  fail "the uninstaller did not finish"
}
uninstall() {
  on_wine "$program_dir/Uninstall.exe" /S "$@" || fail "the uninstaller failed"
  uninstalled
}

contents=$(cmake -E tar tf "$zip")
[ "$(sort <<<"$contents" | xargs)" = "Quorvane.com Quorvane.exe" ] ||
  fail "the archive holds: $contents"

install
[ -f "$program_dir/Quorvane.exe" ] || fail "no program in $program_dir"
[ -f "$program_dir/Quorvane.com" ] || fail "no console companion in $program_dir"
[ -f "$shortcut" ] || fail "no Start Menu shortcut"
[ "$(value_of "$apps_entry" DisplayName)" = Quorvane ] || fail "no entry in the user's apps"
[ "$(value_of "$apps_entry" Publisher)" = Brindlewick ] || fail "wrong publisher"
[ "$(value_of "$apps_entry" QuietUninstallString)" = \
  "\"${program%Quorvane.exe}Uninstall.exe\" /S" ] || fail "wrong quiet uninstall command"
for name in DisplayIcon DisplayVersion UninstallString NoModify NoRepair EstimatedSize; do
  value_of "$apps_entry" $name >/dev/null || fail "the apps entry has no $name"
done

# Installed by a user who clicks the default buttons, the program starts from the
# last page, where "Run Quorvane" is ticked, and writes its first sample to the
# history log in the prefix's TEMP folder. It runs in a Wine desktop of its own,
# since the tests' Wine server may have started without a display; what the user
# does there runs in that desktop too.
desktop=QuorvaneInstallerTest,800x600
rm -f "$log"
# Choices other tests left in this prefix (automatic logging off, say) go first.
on_wine reg delete "$settings" /f >/dev/null || true
wine explorer /desktop=$desktop "$setup" </dev/null >/dev/null 2>&1 &
started+=($!)
# The program's process in this Wine prefix, by its command line.
program_pid() {
  local pid
  for pid in $(pgrep -f '^C:\\users\\.*\\Programs\\Quorvane\\Quorvane\.exe'); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" &&
      echo "$pid" && return 0
  done
  return 1
}
# The installer's page and its default button, at the lower right left of Cancel.
click_default_button() {
  local page geometry
  page=$(xwininfo -root -tree 2>/dev/null | awk '/"Quorvane Setup/{print $1; exit}')
  [ -n "$page" ] || return 1
  geometry=$(xwininfo -id "$page" | awk '/Absolute upper-left [XY]|Width:|Height:/{print $NF}' | xargs)
  read -r x y width height <<<"$geometry"
  xdotool mousemove $((x + width - 138)) $((y + height - 22)) click 1
}
for _ in $(seq 40); do click_default_button && break; sleep 0.5; done  # Install
# Then Finish, once the files are in place, with "Run Quorvane" ticked.
pid=
for _ in $(seq 40); do
  pid=$(program_pid) && break
  click_default_button || true
  sleep 1
done
[ -n "$pid" ] || fail "the installed program did not start from the last page"
started+=("$pid")
for _ in $(seq 60); do
  grep -q 'WiFi Signal Strength is' "$log" 2>/dev/null && break
  sleep 0.5
done
grep -q 'WiFi Signal Strength is' "$log" 2>/dev/null ||
  fail "the installed program logged nothing; its TEMP folder holds: $(ls "$(dirname "$log")" 2>&1 | xargs)"
# A silent install over the running copy, as an update does, closes it and starts
# it again, so logging goes on.
on_wine explorer /desktop=$desktop "$setup" /S >/dev/null || fail "the update failed"
for _ in $(seq 20); do kill -0 "$pid" 2>/dev/null || break; sleep 0.5; done
! kill -0 "$pid" 2>/dev/null || fail "the update did not close the running program"
pid=
for _ in $(seq 40); do
  pid=$(program_pid) && break
  sleep 0.5
done
[ -n "$pid" ] || fail "the update did not start the program again"
started+=("$pid")
# Uninstalling while it runs closes it first (as its close box would), then takes
# its file away.
on_wine explorer /desktop=$desktop "$program_dir/Uninstall.exe" /S >/dev/null ||
  fail "the uninstaller failed"
for _ in $(seq 60); do has_key "$apps_entry" || break; sleep 0.5; done
for _ in $(seq 20); do kill -0 "$pid" 2>/dev/null || break; sleep 0.5; done
! kill -0 "$pid" 2>/dev/null || fail "uninstalling did not close the running program"
[ ! -e "$program_dir/Quorvane.exe" ] || fail "uninstalling left the running program behind"
install

# What the program itself leaves: start-at-login values, a history log, settings.
for hive in HKCU HKLM; do
  on_wine reg add "$hive\\$run_key" /v Quorvane.exe /t REG_SZ /d "\"$program\"" /f >/dev/null
  [ "$(value_of "$hive\\$run_key" Quorvane.exe)" = "\"$program\"" ] || fail "no $hive Run value"
done
# The history in each of its forms, and a metrics folder that is the user's own.
leave_history() {
  mkdir -p "$(dirname "$log")" "$journal" "$metrics_dir"
  printf '12/07/26 14:03:11 WiFi Signal Strength is 70%%\r\n' >>"$log"
  echo '<html>' >"$report"
  echo 'sample' >"$journal/2026-12.csv"
  echo 'quorvane_signal_percent 70' >"$metrics_dir/quorvane.prom"
  echo 'node_other 1' >"$metrics_dir/other.prom"
  on_wine reg add "$settings" /v OftenIndex /t REG_SZ /d 3 /f >/dev/null
  on_wine reg add "$settings" /v "Metrics Folder" /t REG_SZ /d 'C:\metrics' /f >/dev/null
}
leave_history

uninstall
[ ! -e "$program_dir" ] || fail "the program folder stayed: $(ls "$program_dir")"
[ ! -e "$shortcut" ] || fail "the shortcut stayed"
for hive in HKCU HKLM; do
  ! value_of "$hive\\$run_key" Quorvane.exe >/dev/null || fail "the $hive Run value stayed"
done
for kept in "$log" "$report" "$journal/2026-12.csv" "$metrics_dir/quorvane.prom"; do
  [ -f "$kept" ] || fail "$kept went without /PURGE"
done
[ "$(value_of "$settings" OftenIndex)" = 3 ] || fail "the settings went"

# A value for all users that starts this copy needs an administrator to go. The
# uninstaller asks once, for that step alone, before it removes anything. Wine
# has no such prompt: a stand-in for reg.exe plays the administrator who accepts
# or declines, with the key closed to everyone else meanwhile.
record=$WINEPREFIX/drive_c/elevated-reg.txt
uninstall_with_elevation() {
  install
  on_wine reg add "HKLM\\$run_key" /v Quorvane.exe /t REG_SZ /d "\"$program\"" /f >/dev/null
  on_wine "$elevated_reg" lock || fail "the Run key could not be locked"
  cp "$elevated_reg" "$reg_exe"
  rm -f "$record"
  WINEDLLOVERRIDES="$WINEDLLOVERRIDES;reg.exe=n" ELEVATION=$1 PROGRAM=$program \
    on_wine "$program_dir/Uninstall.exe" /S || fail "the uninstaller failed"
  uninstalled
  cp "$work/reg.exe" "$reg_exe"
  on_wine "$elevated_reg" unlock || fail "the Run key could not be unlocked"
  # Started in the system folder, not in TEMP, where anyone's DLLs may lie.
  [ "$(tr -d '\r' <"$record" 2>/dev/null)" = \
    "delete HKLM\\$run_key /v Quorvane.exe /f "$'\n'"program present"$'\n''started in C:\windows\system32' ] ||
    fail "the elevated step was not asked once, from the system folder, before the program went: $(cat "$record" 2>&1)"
}
uninstall_with_elevation accept
! value_of "HKLM\\$run_key" Quorvane.exe >/dev/null || fail "the accepted elevation left the value"
uninstall_with_elevation decline
value_of "HKLM\\$run_key" Quorvane.exe >/dev/null || fail "the declined elevation removed the value"
[ ! -e "$program_dir" ] || fail "declining stopped the uninstall: $(ls "$program_dir")"
on_wine reg delete "HKLM\\$run_key" /v Quorvane.exe /f >/dev/null

# The question about the history comes only once the uninstall is confirmed: a
# user who cancels on the confirmation page has been asked nothing.
install
leave_history
wine explorer /desktop=$desktop "$program_dir/Uninstall.exe" </dev/null >/dev/null 2>&1 &
started+=($!)
window_named() { xwininfo -root -tree 2>/dev/null | grep -F "\"$1\": (" | awk '{print $1; exit}'; }
page=
for _ in $(seq 40); do
  [ -z "$(window_named "Quorvane Uninstall")" ] || fail "the uninstaller asked before its confirmation"
  page=$(window_named "Quorvane Uninstall ") && [ -n "$page" ] && break
  sleep 0.5
done
[ -n "$page" ] || fail "no confirmation page"
read -r x y width height <<<"$(xwininfo -id "$page" |
  awk '/Absolute upper-left [XY]|Width:|Height:/{print $NF}' | xargs)"
xdotool mousemove $((x + width - 54)) $((y + height - 24)) click 1  # Cancel
for _ in $(seq 20); do [ -z "$(window_named "Quorvane Uninstall ")" ] && break; sleep 0.5; done
[ -z "$(window_named "Quorvane Uninstall ")" ] || fail "Cancel did not close the uninstaller"
[ -f "$program_dir/Quorvane.exe" ] && [ -f "$log" ] || fail "a cancelled uninstall removed files"

# Asked to, the uninstaller takes the history and the settings too, and nothing
# else from the metrics folder.
uninstall /PURGE
for gone in "$log" "$report" "$journal" "$metrics_dir/quorvane.prom"; do
  [ ! -e "$gone" ] || fail "$gone stayed after /PURGE"
done
[ ! -e "$home/AppData/Local/Brindlewick" ] || fail "the empty data folder stayed after /PURGE"
[ -f "$metrics_dir/other.prom" ] || fail "/PURGE took another program's metrics file"
! has_key "$settings" || fail "the settings stayed after /PURGE"
rm -rf "$metrics_dir"
echo "installer and archive: all checks passed"
