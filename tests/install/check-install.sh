#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that a desktop finds
# everything: the program, a valid launcher entry and the icon in each size.
set -euo pipefail
build_dir=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build_dir" --prefix "$prefix" >/dev/null
test -x "$prefix/bin/quorvane"
desktop-file-validate "$prefix/share/applications/quorvane.desktop"
for size in 16 32 48 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/quorvane.png"
  identify -format '%w %h\n' "$icon" | grep -qx "$size $size" || { echo "bad icon: $icon"; exit 1; }
done
test -s "$prefix/share/icons/hicolor/scalable/apps/quorvane.svg"
echo "install layout: ok"
