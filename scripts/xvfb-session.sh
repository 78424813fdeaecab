# Sourced by the screenshot scripts: builds tobarin, starts it on a private
# Xvfb display and gives its window the keyboard. Set before sourcing:
# SCREEN (e.g. 640x480) and DPI. Leaves $window, keys(), typed() and
# type_problem() for the script that sourced it; Xvfb and the program end with it.
scripts/install-deps.sh xvfb xauth xdotool imagemagick
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target tobarin

display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 "${SCREEN}x24" -dpi "$DPI" -nolisten tcp &
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

keys() { xdotool key --delay 40 "$@"; }
typed() { xdotool type --delay 40 "$1"; }

# 1 2/3 + 3/4 from the keyboard. The focus starts on the operation buttons;
# Tab walks the fields in order: denominator, numerator, integer part, sign
# box, then the second operand. Ends in the second operand's numerator.
type_problem() {
  keys Tab Tab;  typed 3    # first denominator
  keys Tab;      typed 2    # first numerator
  keys Tab;      typed 1    # first integer part
  keys Tab Tab;  typed 4    # second denominator
  keys Tab;      typed 3    # second numerator
}
