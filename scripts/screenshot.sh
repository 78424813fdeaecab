#!/usr/bin/env bash
# Makes docs/screenshot.png: the window under Xvfb (96 dpi) after the user
# typed 1 2/3 + 3/4 with the keyboard and pressed 計算.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh xvfb xauth xdotool imagemagick
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target tobarin
out=${1:-docs/screenshot.png}

display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 640x480x24 -dpi 96 -nolisten tcp &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

"$build/app/tobarin" &
app=$!
window=$(xdotool search --sync --onlyvisible --name '^Tobarin$' | head -n 1)
# There is no window manager to give the window the keyboard: give it ourselves.
xdotool windowfocus --sync "$window"
sleep 0.5

# The focus starts on the operation buttons; Tab walks the fields in order:
# denominator, numerator, integer part, sign box, then the second operand.
keys() { xdotool key --delay 40 "$@"; }
typed() { xdotool type --delay 40 "$1"; }
keys Tab Tab;  typed 3    # first denominator
keys Tab;      typed 2    # first numerator
keys Tab;      typed 1    # first integer part
keys Tab Tab;  typed 4    # second denominator
keys Tab;      typed 3    # second numerator
keys Tab Tab Tab space    # past the integer part and the sign box to 計算
sleep 0.5
import -window "$window" "$out"
echo "wrote $out"
