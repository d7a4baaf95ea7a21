#!/usr/bin/env bash
# Quorvane.exe's history list context menu under Wine: "Signal Report…" writes
# the report beside the log and has the shell open it with the program
# registered for .html files, here a fake browser that records what it was asked
# to open; "Export History as CSV…", reached with Shift+F10, saves where the save
# dialog says. Automatic logging goes on while the menu or the dialog is open.
# A Greek user's Windows: the log's "μ.μ." is in the ANSI code page, and the
# report must read it back.
export LANG=el_GR.UTF-8
source "$(dirname "$0")/wine-e2e-lib.sh"
: "${FAKE_BROWSER:?}"
# Wine's shell reads file types from the machine's classes only (a user's own
# under HKCU\Software\Classes are not consulted), and the prefix has no .html
# type of its own: the fake is registered there and taken away afterwards.
HTML_KEY='HKCR\.html'
PROG_KEY='HKCR\Quorvane.Tests.FakeBrowser'
OPENED=$WORK/opened
export FAKE_BROWSER_RECORD
FAKE_BROWSER_RECORD=$(winepath -w "$OPENED" 2>/dev/null)
REPORT=$(dirname "$LOG")/Quorvane-report.html
CSV=$(dirname "$LOG")/Quorvane-export.csv
wine_e2e_prepare() {
  wine reg add "$HTML_KEY" /ve /d Quorvane.Tests.FakeBrowser /f >/dev/null 2>&1
  wine reg add "$PROG_KEY\\shell\\open\\command" /ve /f \
    /d "\"$(winepath -w "$FAKE_BROWSER" 2>/dev/null)\" \"%1\"" >/dev/null 2>&1
  wine reg add "$SETTINGS_KEY" /v OftenIndex /d 1 /f >/dev/null 2>&1  # every second
}
wine_e2e_restore() {
  wine reg delete "$HTML_KEY" /f >/dev/null 2>&1 || true
  wine reg delete "$PROG_KEY" /f >/dev/null 2>&1 || true
  rm -f "$REPORT" "$CSV"
}
# Windows of Quorvane.exe on screen besides its main window: menus and dialogs.
popup_shown() {
  local id main
  main=$(main_window)
  for id in $(xwininfo -root -tree 2>/dev/null | awk '/\("quorvane.exe" "quorvane.exe"\)/{print $1}'); do
    [ "$id" != "$main" ] && window_viewable "$id" && return 0
  done
  return 1
}
no_popup() { ! popup_shown; }

wine_e2e_start
wait_for 30 main_window_shown || fail "no 536x570 main window appeared"
W=$(main_window)
wait_for 12 has_log_lines 2 || fail "no automatic sample"

# ListView1 lies at 120,1080 twips, 7800 by 2535.
xdotool mousemove --window "$W" 260 150 click 3
wait_for 5 popup_shown || fail "no menu on a right click"
before=$(log_lines)
sleep 2.2
[ "$(log_lines)" -gt "$before" ] || fail "logging stopped while the menu was open"
shot win32-history-context-menu
xdotool key --clearmodifiers Down Return
wait_for 30 test -s "$OPENED" || fail "the browser was not asked to open anything"
[ -s "$REPORT" ] || fail "no report beside the log"
grep -q 'data-figure="summary.samples">[1-9]' "$REPORT" ||
  fail "the report read no sample: $(grep -o 'unreadable_lines">[0-9]*' "$REPORT") unreadable lines"
grep -q 'Quorvane-report\.html' "$OPENED" || fail "the browser was asked to open $(cat "$OPENED")"
opened=$(winepath -u "$(tr -d '\r\n' <"$OPENED")" 2>/dev/null)
[ "$(realpath -m "$opened")" = "$(realpath -m "$REPORT")" ] ||
  fail "the browser was asked to open $(cat "$OPENED"), not $REPORT"

# From the keyboard: Shift+F10 on the focused list, the second item.
# A key press that races the window manager's focus change is lost, so it is
# repeated a few times.
wait_for 5 no_popup || fail "the menu stayed"
xdotool mousemove --window "$W" 260 150 click 1
for attempt in 1 2 3; do
  xdotool windowactivate --sync "$W" key --clearmodifiers shift+F10 2>/dev/null || true
  wait_for 3 popup_shown && break
done
popup_shown || fail "no menu on Shift+F10"
sleep 0.3
xdotool key --clearmodifiers Down Down Return
wait_for 10 popup_shown || fail "no save dialog"
sleep 1
shot win32-history-export-save-dialog
before=$(log_lines)
sleep 2.2
[ "$(log_lines)" -gt "$before" ] || fail "logging stopped while the save dialog was open"
xdotool key --clearmodifiers End shift+Home
xdotool type --delay 20 "$(winepath -w "$CSV" 2>/dev/null)"
xdotool key --clearmodifiers Return
wait_for 20 test -s "$CSV" || fail "the CSV was not written where the dialog said"
grep -qE '(π|μ)\.μ\. WiFi' "$CSV" || fail "the CSV does not show the log's Greek text: $(sed -n 2p "$CSV")"
wait_for 5 no_popup || fail "the save dialog stayed"
[ "$(wc -l <"$OPENED")" -eq 1 ] || fail "the browser was asked more than once"
close_and_wait "$W" || fail "closing did not end the program"
echo "Quorvane.exe history context menu: ok"
