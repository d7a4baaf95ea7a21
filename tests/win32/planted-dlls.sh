#!/usr/bin/env bash
# DLLs planted beside Quorvane.exe and in the folder it starts in are never
# loaded. Windows looks for any DLL that is not a KnownDLL in the program's folder
# first; Wine prefers its own DLLs unless told otherwise, so native-first
# overrides for the planted names give Windows' order here. A small program that
# imports them at start shows that the order holds; Quorvane.exe, started from
# the same folder and logging by Method #2 (which asks wininet and wlanapi), loads
# none of them.
#   planted-dlls.sh <Quorvane.exe> <planted DLL> <program importing uxtheme and wininet>
# The Wine prefix is shared with the other Windows tests: run alone.
set -euo pipefail
if [ -z "${QUORVANE_ON_DISPLAY:-}" ]; then
  exec env QUORVANE_ON_DISPLAY=1 xvfb-run --auto-servernum --server-args="-nolisten tcp" "$0" "$@"
fi
quorvane=$1 planted=$2 importer=$3
: "${WINEPREFIX:?}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;uxtheme,wininet,wlanapi=n,b"

settings='HKCU\Software\VB and VBA Program Settings\Brindlewick\Quorvane'
log=$WINEPREFIX/drive_c/users/$(id -un)/Temp/Quorvane.txt
work=$(mktemp -d)
cleanup() {
  wineserver -k 2>/dev/null || true
  wine reg delete "$settings" /f >/dev/null 2>&1 || true
  rm -rf "$work" "$log"
  # The server for the tests that follow, detached from this display.
  wineserver -p 30 </dev/null >/dev/null 2>&1 || true
  env -u DISPLAY wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
markers() { (cd "$work" && ls -- *.loaded 2>/dev/null) || true; }

cp "$quorvane" "$work/Quorvane.exe"
cp "$importer" "$work/importer.exe"
cp "$planted" "$work/UxTheme.dll"
cp "$planted" "$work/WININET.dll"
cp "$planted" "$work/wlanapi.dll"
cd "$work"
# Wine's desktop process serves the display it was started on.
wineserver -k 2>/dev/null || true

timeout 60 wine ./importer.exe </dev/null >/dev/null 2>&1 || true
[ "$(markers | xargs)" = "UxTheme.dll.loaded WININET.dll.loaded" ] ||
  fail "the planted DLLs were not loaded by a program importing them: $(markers | xargs)"
rm -f -- *.loaded

wine reg delete "$settings" /f >/dev/null 2>&1 || true
for value in Option1=False Option2=True OftenIndex=1 StartStopState=On; do
  wine reg add "$settings" /v "${value%%=*}" /t REG_SZ /d "${value#*=}" /f >/dev/null 2>&1
done
rm -f "$log"
wine ./Quorvane.exe </dev/null >/dev/null 2>&1 &
for _ in $(seq 60); do
  [ "$(cat "$log" 2>/dev/null | wc -l)" -ge 2 ] && break
  sleep 0.5
done
wineserver -k 2>/dev/null || true
[ -z "$(markers)" ] || fail "Quorvane.exe loaded planted DLLs: $(markers | xargs)"
grep -q 'WiFi Signal Strength is [0-5]' "$log" 2>/dev/null || fail "Quorvane.exe logged no level"
echo "planted uxtheme, wininet and wlanapi: loaded by a program importing them, not by Quorvane.exe"
