#!/usr/bin/env bash
# Makes a screenshot of the window 「クラスの結果」 under Xvfb: opened from the
# window 「練習」 (F3, then its button クラスの結果, the last control of its
# choosing), the fixed file of codes typed in (tests/cli/results_codes.txt,
# its tabs left out: Tab moves the focus there). Also writes OUT-practice.png,
# the window 「練習」 with its button.
# Usage: scripts/screenshot-results.sh [OUT.png]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-/tmp/results-shots/desktop.png}
mkdir -p "$(dirname "$out")"
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
import -window "$practice" "${out%.png}-practice.png"
echo "wrote ${out%.png}-practice.png"
# The focus starts on the unit; back from it to the last control, クラスの結果.
keys shift+Tab space
results=$(xdotool search --sync --onlyvisible --name '^クラスの結果$' | head -n 1)
xdotool windowfocus --sync "$results"
sleep 0.5
while IFS= read -r line; do
  [ -n "$line" ] && typed "$line"
  keys Return
done < <(tr -d '\t\r' <tests/cli/results_codes.txt)
sleep 0.5
import -window "$results" "$out"
echo "wrote $out"
