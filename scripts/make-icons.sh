#!/usr/bin/env bash
# Draws Tobarin's icons into data/icons and checks them:
#   tobarin-32.xpm                                    the window icon
#   hicolor/{32x32,48x48,64x64,128x128,256x256}/apps/org.tobarin.Tobarin.png
#   hicolor/scalable/apps/org.tobarin.Tobarin.svg
# The design and the hand-tuned 32 px glyphs live in draw-icon.py beside this
# script. After a change, look at every output at a large scale, for example
#   convert data/icons/tobarin-32.xpm -scale 1600% /tmp/icon.png
# and commit the outputs together with the scripts.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --only python3 python3-pil potrace imagemagick fonts-ipafont-gothic

out=data/icons
# Debian's interpreter, the one python3-pil belongs to.
/usr/bin/python3 scripts/draw-icon.py "$out"

# The standard 16-colour palette: the only colours a bitmap may hold.
palette=" 000000 800000 008000 808000 000080 800080 008080 C0C0C0 808080 FF0000 00FF00 FFFF00 0000FF FF00FF 00FFFF FFFFFF "
status=0
fail() {
  echo "make-icons: $*" >&2
  status=1
}

check_bitmap() { # file size
  local file=$1 size=$2 geometry opaque colour
  geometry=$(identify -format '%wx%h' "$file")
  [ "$geometry" = "${size}x${size}" ] || fail "$file is $geometry, not ${size}x${size}"
  opaque=$(identify -format '%[opaque]' "$file")
  [ "${opaque,,}" = "true" ] || fail "$file has transparent pixels"
  for colour in $(convert "$file" -alpha off -depth 8 -unique-colors txt:- |
                  sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | tr a-f A-F); do
    case "$palette" in
      *" $colour "*) ;;
      *) fail "$file uses colour #$colour, which is not in the 16-colour palette" ;;
    esac
  done
}

check_bitmap "$out/tobarin-32.xpm" 32
for size in 32 48 64 128 256; do
  check_bitmap "$out/hicolor/${size}x${size}/apps/org.tobarin.Tobarin.png" "$size"
done

# The 32 px PNG is the window icon, pixel for pixel.
differing=$(compare -metric AE "$out/tobarin-32.xpm" \
  "$out/hicolor/32x32/apps/org.tobarin.Tobarin.png" null: 2>&1 || true)
[ "$differing" = "0" ] || fail "the 32 px PNG differs from the XPM in $differing pixels"

svg="$out/hicolor/scalable/apps/org.tobarin.Tobarin.svg"
grep -q '<path' "$svg" || fail "$svg has no glyph outlines"
if grep -q '<text' "$svg"; then
  fail "$svg holds text, which would depend on the installed fonts"
fi

[ "$status" -eq 0 ] && echo "Icons written to $out and checked."
exit "$status"
