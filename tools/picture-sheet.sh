#!/bin/sh
# Lays the program folder's pictures out on one PNG for review: the four fields at full size
# and the eight symbols magnified, each symbol once on white and once on field grass.
#   tools/picture-sheet.sh <program folder> <sheet.png>
set -eu
dir=$1
out=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

montage "$dir"/Surface0.BMP "$dir"/Surface1.BMP "$dir"/Surface2.BMP "$dir"/Surface3.BMP \
    -tile 2x2 -geometry +4+4 -background '#303030' "$tmp/fields.png"

for i in 1 2 3 4 5 6 7 8; do
    convert "$dir/Sym$i.bmp" -filter point -resize 400% "$tmp/w$i.png"
    # White is transparent on the field: show the symbol the way a play shows it.
    convert -size 24x24 xc:'rgb(86,152,68)' \( "$dir/Sym$i.bmp" -transparent white \) \
        -composite -filter point -resize 400% "$tmp/g$i.png"
done
montage "$tmp"/w?.png "$tmp"/g?.png -tile 8x2 -geometry +4+4 -background '#303030' \
    "$tmp/symbols.png"
convert "$tmp/fields.png" "$tmp/symbols.png" -background '#303030' -gravity center -append \
    "$out"
