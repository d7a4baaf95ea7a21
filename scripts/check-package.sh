#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian, installs it with apt-get,
# starts the installed program without a display until it logs a line, and
# removes the package again: nothing of it may stay, and the user's log and
# settings must. Needs root (or sudo) for apt-get.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset package >/dev/null
cmake --build --preset package -j"$(nproc)"
rm -f build-package/quorvane_*.deb
cpack --preset package >/dev/null
deb=$(ls build-package/quorvane_*.deb)

# Errors fail; warnings and notes are shown.
lintian --fail-on error "$deb"

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
work=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
# apt-get reads the file as its own unprivileged user.
cp "$deb" "$work/"
chmod a+rx "$work"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get install -y -qq "$work/$(basename "$deb")" >/dev/null
dpkg-query -L quorvane >"$work/files"
desktop-file-validate /usr/share/applications/quorvane.desktop

mkdir -p "$work/home" "$work/temp" "$work/bin" "$work/runtime"
chmod 700 "$work/runtime"
mkdir -p "$work/home/.config/Brindlewick"
printf '[Quorvane]\nOftenIndex=1\n' >"$work/home/.config/Brindlewick/Quorvane.ini"
printf '#!/bin/sh\nprintf " :55\\n"\n' >"$work/bin/nmcli"
chmod +x "$work/bin/nmcli"
env -i HOME="$work/home" TEMP="$work/temp" XDG_RUNTIME_DIR="$work/runtime" \
  PATH="$work/bin:/usr/bin:/bin" LANG=C.UTF-8 quorvane >"$work/out" 2>&1 &
pid=$!
for _ in $(seq 150); do
  [ -s "$work/temp/Quorvane.txt" ] && break
  sleep 0.1
done
grep -q 'WiFi Signal Strength is 55%' "$work/temp/Quorvane.txt" ||
  { cat "$work/out"; echo "the installed program logged nothing"; exit 1; }
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=

"${as_root[@]}" apt-get remove -y -qq quorvane >/dev/null
left=0
while read -r path; do
  [ -f "$path" ] && { echo "left behind: $path"; left=1; }
done <"$work/files"
[ -d /usr/share/doc/quorvane ] && { echo "left behind: /usr/share/doc/quorvane"; left=1; }
[ $left -eq 0 ] || exit 1
test -s "$work/temp/Quorvane.txt" && test -s "$work/home/.config/Brindlewick/Quorvane.ini" ||
  { echo "removing the package took the user's log or settings"; exit 1; }
echo "package: builds, passes lintian, installs, runs and removes cleanly"
