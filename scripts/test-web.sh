#!/usr/bin/env bash
# Builds the browser page (scripts/build-web.sh) and runs its tests (tests/web,
# node --test) once in each engine, with Debian's browsers: Chromium headless
# through puppeteer-core over its DevTools protocol, Firefox ESR headless
# through puppeteer-core over WebDriver BiDi, and WebKitGTK's MiniBrowser
# through WebKitWebDriver and selenium-webdriver on a private Xvfb display.
# The tests: the window through its data-control surface, the entry fields,
# the panel, the site offline and installable, and a soak of random actions
# checked against the exact oracle.
#
# TOBARIN_BROWSERS picks the engines (default "chromium firefox webkit"), run
# beside each other: WebKit's tests, and the others' one engine after the other.
# TOBARIN_WEB_SOAK_SEED and TOBARIN_WEB_SOAK_ACTIONS pick the soak.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-web.sh
scripts/install-deps.sh --only chromium firefox-esr webkit2gtk-driver xvfb xauth \
  python3-gi gir1.2-webkit2-4.1 gir1.2-gtk-3.0 \
  g++ libfmt-dev libfast-float-dev poppler-utils zbar-tools
command -v npm >/dev/null || scripts/install-deps.sh --only npm
build=${WEB_BUILD_DIR:-build-web}
read -ra engines <<<"${TOBARIN_BROWSERS:-chromium firefox webkit}"

# The oracle of tests/oracle as a small program the soak test asks.
g++ -std=c++20 -O2 -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Werror \
  -DFMT_HEADER_ONLY=1 -I. -o "$build/oracle_cli" tests/web/oracle_cli.cpp \
  engine/number/conversions.cpp engine/number/currency.cpp engine/number/runtime_error.cpp

# The native command line, which the practice tests ask for a set's problems
# and an answer's verdict (tests/web/support.js), built where it is missing.
native=${BUILD_DIR:-build}
if [ ! -x "$native/app/tobarin" ]; then
  scripts/install-deps.sh
  cmake -S . -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$native" --target tobarin
fi
TOBARIN_NATIVE=$(realpath "$native/app/tobarin")
export TOBARIN_NATIVE

# The drivers as locked; none may fetch a browser of its own.
export PUPPETEER_SKIP_DOWNLOAD=1
for folder in tests/browsers tests/web; do
  (cd "$folder" && npm ci --no-audit --no-fund --loglevel=error)
done
cd tests/web
# Where node can be told so (not Debian 12's node 18): one test file at a
# time, since each runs a browser of its own and two cores are soon shared
# out; and a test that hangs fails after five minutes instead of holding up
# the run.
node_options=()
for option in --test-concurrency=1 --test-timeout=300000; do
  node --help | grep -q -- "${option%%=*}" && node_options+=("$option")
done
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
run_engine() {
  local engine=$1 started=$SECONDS status=0
  local run=(node --test "${node_options[@]}" ./*.test.js)
  # WebKitGTK draws on X: a display of its own, large enough for every viewport.
  [ "$engine" = webkit ] && run=(xvfb-run -a -s "-screen 0 2000x1400x24 -nolisten tcp" "${run[@]}")
  TOBARIN_BROWSER=$engine WEB_BUILD_DIR="$build" "${run[@]}" >"$logs/$engine.log" 2>&1 || status=$?
  echo "$status $((SECONDS - started))" >"$logs/$engine.status"
}
# WebKit's tests beside the others, one engine after the other: its driver
# spends most of a test waiting on round trips to the browser, so two cores
# carry both, and the run takes about as long as WebKit's tests alone.
others=()
for engine in "${engines[@]}"; do
  [ "$engine" = webkit ] && { run_engine webkit & continue; }
  others+=("$engine")
done
(for engine in "${others[@]}"; do run_engine "$engine"; done) &
wait
failed=()
for engine in "${engines[@]}"; do
  echo "==== The page in $engine"
  cat "$logs/$engine.log"
  read -r status seconds <"$logs/$engine.status"
  [ "$status" -eq 0 ] || failed+=("$engine")
  echo "==== $engine: $seconds s"
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "test-web: failed in ${failed[*]}" >&2
  exit 1
fi
