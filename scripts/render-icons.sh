#!/usr/bin/env bash
# Renders ui/icons/quorvane.svg to the PNG sizes the program and the desktop use,
# and the Windows icon file.
# The PNGs are kept in the repository; run this after changing the drawing.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../ui/icons"
for size in 16 32 48 128 256; do
  rsvg-convert -w "$size" -h "$size" quorvane.svg -o "quorvane-$size.png"
done
# The Windows program's icon: the same images in one .ico (needs ImageMagick).
convert quorvane-16.png quorvane-32.png quorvane-48.png quorvane-256.png quorvane.ico
