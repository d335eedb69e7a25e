#!/usr/bin/env bash
# Draws the programs' icon, src/res/program.ico, with ImageMagick: a page
# with a title bar and three bars of a chart, at 16, 24, 32, 48, 64 and 256
# pixels. The icon is kept in the repository; run this only to change it.
#   scripts/make_icon.sh [OUT.ico]
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${1:-$repo/src/res/program.ico}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Coordinates on a 16-unit grid, scaled to each size so that every edge
# falls on a whole pixel; the small sizes are drawn without antialiasing,
# which keeps them sharp.
files=()
for n in 16 24 32 48 64 256; do
  u=$((n / 16))
  if ((n == 24)); then u=1.5; fi
  at() { awk -v u="$u" -v v="$1" 'BEGIN { printf "%d", v * u }'; }
  before() { awk -v u="$u" -v v="$1" 'BEGIN { printf "%d", v * u - 1 }'; }
  border=$(awk -v u="$u" 'BEGIN { w = int(u * 0.75); print (w < 1 ? 1 : w) }')
  half=$((border / 2))
  antialias=+antialias
  if ((n >= 48)); then antialias=-antialias; fi
  left=$(at 2) top=$(at 0) fold=$(before 11) corner=$(at 3) right=$(before 14) bottom=$(before 16)
  convert -size "${n}x${n}" xc:none "$antialias" \
    -fill '#3c3c3c' \
    -draw "polygon $left,$top $fold,$top $right,$corner $right,$bottom $left,$bottom" \
    -fill white \
    -draw "polygon $((left + border)),$((top + border)) $((fold - half)),$((top + border)) \
$((right - border)),$((corner + half)) $((right - border)),$((bottom - border)) \
$((left + border)),$((bottom - border))" \
    -fill '#1f4e9c' -draw "rectangle $(at 4),$(at 2) $(before 10),$(before 4)" \
    -fill '#2e8b57' -draw "rectangle $(at 4),$(at 10) $(before 6),$(before 14)" \
    -fill '#2e8b57' -draw "rectangle $(at 7),$(at 7) $(before 9),$(before 14)" \
    -fill '#e07b00' -draw "rectangle $(at 10),$(at 5) $(before 12),$(before 14)" \
    -strip "png:$work/$n.png"
  files+=("$work/$n.png")
done
convert "${files[@]}" -depth 8 -strip -define png:exclude-chunks=date,time "$out"
echo "make_icon: $out ($(stat -c %s "$out") bytes)"
