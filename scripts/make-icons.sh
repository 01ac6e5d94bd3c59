#!/usr/bin/env bash
# Draws the program's icons and writes res/Velorix.ico (128) and
# res/Error.ico (176): 48, 32 and 16 pixels, each in 16 colours, 256 colours
# and 32-bit colour. The .ico files are committed; run this after a change.
# The 32-bit images are stored PNG-compressed, which icons may hold since
# Windows Vista (the oldest system the program runs on): a third of the
# program file's resources otherwise. The 16- and 256-colour ones stay
# bitmaps, for whatever reads icons the old way.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
convert=/usr/bin/convert
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT

# A blue disc with a white forward chevron: "faster".
app() {
  local s=$1 out=$2
  $convert -size 480x480 xc:none \
    -fill '#1565c0' -draw 'circle 240,240 240,16' \
    -fill '#42a5f5' -draw 'circle 240,240 240,60' \
    -fill white -draw 'polygon 150,120 300,240 150,360 150,300 225,240 150,180' \
    -fill white -draw 'polygon 250,120 400,240 250,360 250,300 325,240 250,180' \
    -resize ${s}x${s} "$out"
}
# A red disc with a white cross.
err() {
  local s=$1 out=$2
  $convert -size 480x480 xc:none \
    -fill '#c62828' -draw 'circle 240,240 240,16' \
    -stroke white -strokewidth 60 -draw 'line 150,150 330,330' -draw 'line 330,150 150,330' \
    -resize ${s}x${s} "$out"
}

for kind in app err; do
  files=()
  for s in 48 32 16; do
    $kind $s "$tmp/$kind$s.png"
    $convert "$tmp/$kind$s.png" -background white -alpha remove -colors 16 PNG8:"$tmp/$kind$s-4.png"
    $convert "$tmp/$kind$s.png" -background white -alpha remove -colors 256 PNG8:"$tmp/$kind$s-8.png"
    # No text chunks (dates): the same drawing gives the same file.
    $convert "$tmp/$kind$s.png" -strip -define png:compression-level=9 PNG32:"$tmp/$kind$s-32.png"
    files+=("$tmp/$kind$s-4.png" "$tmp/$kind$s-8.png" "--raw=$tmp/$kind$s-32.png")
  done
  name=Velorix; [ $kind = err ] && name=Error
  icotool -c -o "$root/res/$name.ico" "${files[@]}"
done
icotool -l "$root/res/Velorix.ico"
