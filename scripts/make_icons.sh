#!/usr/bin/env bash
# Draws the PNG sizes of the application icon with ImageMagick, from the same shapes as
# assets/desktop/org.sudokugame.Sudoku.svg (ImageMagick here has no SVG reader).
set -euo pipefail
cd "$(dirname "$0")/../assets/desktop"
font=/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf
for size in 48 128 256; do
  convert -size 256x256 xc:none \
    -fill '#ffff80' -stroke '#806000' -strokewidth 6 -draw 'roundrectangle 8,8 248,248 28,28' \
    -fill white -stroke black -strokewidth 8 -draw 'rectangle 40,40 216,216' \
    -strokewidth 5 -draw 'line 98.7,40 98.7,216' -draw 'line 157.3,40 157.3,216' \
    -draw 'line 40,98.7 216,98.7' -draw 'line 40,157.3 216,157.3' \
    -stroke none -fill '#00ffff' -draw 'rectangle 101,101 155,155' \
    -font "$font" -fill '#0000ff' -pointsize 52 -gravity center -annotate +0+0 '9' \
    -fill black -pointsize 44 -annotate -58.7-58.7 '5' -annotate +58.7+58.7 '3' \
    -resize "${size}x${size}" "icon-${size}.png"
done
