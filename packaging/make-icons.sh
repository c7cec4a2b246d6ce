#!/usr/bin/env bash
# Renders the menu icon's PNG sizes from its SVG source (needs ImageMagick).
set -euo pipefail
cd "$(dirname "$0")"
for size in 48 128; do
    convert -background none -density 300 naxdesktop.svg -resize "${size}x${size}" -strip "PNG32:naxdesktop-${size}.png"
done
