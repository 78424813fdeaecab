#!/usr/bin/env bash
# Makes docs/screenshot.png: the window under Xvfb (96 dpi) after the user
# typed 1 2/3 + 3/4 with the keyboard and pressed 計算.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/screenshot.png}
SCREEN=640x480 DPI=96
source scripts/xvfb-session.sh

type_problem
keys Tab Tab Tab space    # past the integer part and the sign box to 計算
sleep 0.5
import -window "$window" "$out"
echo "wrote $out"
