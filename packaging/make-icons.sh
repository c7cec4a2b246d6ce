#!/usr/bin/env bash
# Renders the menu icon's PNG sizes from its SVG source, and the Windows program's icon from the
# largest of them (needs ImageMagick).
set -euo pipefail
cd "$(dirname "$0")"
for size in 48 128; do
    convert -background none -density 300 naxdesktop.svg -resize "${size}x${size}" -strip "PNG32:naxdesktop-${size}.png"
done
convert naxdesktop-128.png -define icon:auto-resize=128,64,48,32,24,16 windows/naxdesktop.ico
