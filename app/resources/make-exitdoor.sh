#!/usr/bin/env bash
# Renders the "Esci" button's picture from its SVG source (needs ImageMagick).
set -euo pipefail
cd "$(dirname "$0")"
convert -background none -density 96 exitdoor.svg -resize 48x48 -strip PNG32:exitdoor.png
