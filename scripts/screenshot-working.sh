#!/usr/bin/env bash
# Makes docs/working.png: the window 「途中式と答え合わせ」 under Xvfb after the
# user typed 1 2/3 + 3/4 into the calculator, pressed F2, typed the answer
# 2 5/12 and checked it, then showed the working. DPI=144 makes it at 144 dpi;
# QT_SCALE_FACTOR=1.5 scales it instead.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/working.png}
SCREEN=1600x1000 DPI=${DPI:-96}
# Without a desktop's settings (Xft.dpi), Qt takes the resolution from here.
export QT_FONT_DPI=$DPI
source scripts/xvfb-session.sh

type_problem              # without pressing 計算
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
