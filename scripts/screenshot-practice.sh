#!/usr/bin/env bash
# Makes docs/practice.png: the window 「練習」 under Xvfb, opened with F3, in a
# round of the set p1:5-unlike:2:3:7 typed as its code: the first problem
# answered right, the second answered 2/9 (the denominators added too), and
# its hint shown. With a folder as the second argument, also writes there the
# second problem missed again with its working (working.png), the end of the
# round (score.png: the third right) and the choosing of a set with the record
# noted (choosing.png).
# Settings go to a folder of their own, so that the record starts empty.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/practice.png}
more=${2:-}
SCREEN=${SCREEN:-1600x1000} DPI=${DPI:-96}
export QT_FONT_DPI=$DPI
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME
source scripts/xvfb-session.sh
trap 'kill $app $xvfb 2>/dev/null || true; rm -rf "$XDG_CONFIG_HOME"' EXIT

keys F3
practice=$(xdotool search --sync --onlyvisible --name '^練習$' | head -n 1)
xdotool windowfocus --sync "$practice"
sleep 0.5
# The focus starts on the unit; past the level, count and はじめる to the code.
keys Tab Tab Tab Tab
typed p1:5-unlike:2:3:7; keys Return
sleep 0.5
# (1) 3/4 - 3/5 = 3/20, denominator first; (2) 1/6 + 1/3 answered 2/9.
typed 20; keys Tab; typed 3; keys Return
typed 9; keys Tab; typed 2; keys Return
sleep 0.5
import -window "$practice" "$out"
echo "wrote $out"
[ -n "$more" ] || exit 0

mkdir -p "$more"
# 2/9 again: the working is shown; 次の問題へ has the focus. (3) 7/10 - 1/6 = 8/15.
keys Return
sleep 0.5
import -window "$practice" "$more/working.png"
echo "wrote $more/working.png"
keys Return
typed 15; keys Tab; typed 8; keys Return
sleep 0.5
import -window "$practice" "$more/score.png"
echo "wrote $more/score.png"
# From 同じ問題をもう一度 to ほかの問題をえらぶ.
keys Tab space
sleep 0.5
import -window "$practice" "$more/choosing.png"
echo "wrote $more/choosing.png"
