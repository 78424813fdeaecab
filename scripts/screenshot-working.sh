#!/usr/bin/env bash
# Makes docs/working.png: the window 「途中式と答え合わせ」 under Xvfb after the
# user typed 1 1/2 × 8/9 into the calculator, pressed F2, typed the answer
# 1 1/3 and checked it, then showed the working, which cancels across. DPI=144 makes it at 144 dpi;
# QT_SCALE_FACTOR=1.5 scales it instead.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/working.png}
SCREEN=1600x1000 DPI=${DPI:-96}
# Without a desktop's settings (Xft.dpi), Qt takes the resolution from here.
export QT_FONT_DPI=$DPI
source scripts/xvfb-session.sh

# 1 1/2 × 8/9 from the keyboard, without pressing 計算: the arrow keys choose
# ×, then Tab walks the fields as in type_problem.
keys Down Down
keys Tab Tab;  typed 2    # first denominator
keys Tab;      typed 1    # first numerator
keys Tab;      typed 1    # first integer part
keys Tab Tab;  typed 9    # second denominator
keys Tab;      typed 8    # second numerator
keys F2
working=$(xdotool search --sync --onlyvisible --name '^途中式と答え合わせ$' | head -n 1)
xdotool windowfocus --sync "$working"
sleep 0.5
# The answer, denominator first, checked with Enter; then past the sign box,
# 答え合わせ and 練習… to 途中式を見る.
typed 3; keys Tab; typed 1; keys Tab; typed 1; keys Return
keys Tab Tab Tab Tab space
sleep 0.5
import -window "$working" "$out"
echo "wrote $out"
