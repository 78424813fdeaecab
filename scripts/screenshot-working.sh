#!/usr/bin/env bash
# Makes docs/working.png: the window 「途中式と答え合わせ」 under Xvfb after the
# user typed 1 2/3 + 3/4 into the calculator, pressed F2, typed the answer
# 2 5/12 and checked it, then showed the working. DPI=144 makes it at 144 dpi;
# QT_SCALE_FACTOR=1.5 scales it instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh xvfb xauth xdotool imagemagick
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target tobarin
out=${1:-docs/working.png}
dpi=${DPI:-96}

display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1600x1000x24 -dpi "$dpi" -nolisten tcp &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
# Without a desktop's settings (Xft.dpi), Qt takes the resolution from here.
export QT_FONT_DPI=$dpi
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

"$build/app/tobarin" &
app=$!
window=$(xdotool search --sync --onlyvisible --name '^Tobarin$' | head -n 1)
# There is no window manager to give a window the keyboard: give it ourselves.
xdotool windowfocus --sync "$window"
sleep 0.5

keys() { xdotool key --delay 40 "$@"; }
typed() { xdotool type --delay 40 "$1"; }
# The problem, as scripts/screenshot.sh types it, without pressing 計算.
keys Tab Tab;  typed 3    # first denominator
keys Tab;      typed 2    # first numerator
keys Tab;      typed 1    # first integer part
keys Tab Tab;  typed 4    # second denominator
keys Tab;      typed 3    # second numerator
keys F2
working=$(xdotool search --sync --onlyvisible --name '^途中式と答え合わせ$' | head -n 1)
xdotool windowfocus --sync "$working"
sleep 0.5
# The answer, denominator first, checked with Enter; then past the sign box
# and 答え合わせ to 途中式を見る.
typed 12; keys Tab; typed 5; keys Tab; typed 2; keys Return
keys Tab Tab Tab space
sleep 0.5
import -window "$working" "$out"
echo "wrote $out"
