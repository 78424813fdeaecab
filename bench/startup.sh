#!/usr/bin/env bash
# Start-up time and memory of Tobarin's window beside the Qt 6 Widgets minimum
# window, measured in one run with the shared startup bench; then the command
# line (tobarin --calc) beside a bare QCoreApplication that prints one line
# (bench/command-line.mjs). See bench/README.md.
set -euo pipefail
cd "$(dirname "$0")/.."
bench=${STARTUP_BENCH:-../shared/tools/startup-bench}
scripts/install-deps.sh xvfb x11-utils dbus gcc python3 libx11-dev libxdamage-dev libxres-dev libxfixes-dev

cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOBARIN_BUILD_TESTS=OFF >/dev/null
cmake --build build-release --target tobarin
mkdir -p /tmp/peerbench
g++ -O2 -fPIC $(pkg-config --cflags Qt6Widgets) "$bench/bare_main.cpp" -o /tmp/peerbench/qt-bare \
    $(pkg-config --libs Qt6Widgets)
g++ -O2 -fPIC $(pkg-config --cflags Qt6Core) bench/bare_core.cpp -o /tmp/peerbench/core-bare \
    $(pkg-config --libs Qt6Core)

N=${N:-15} WARMUP=${WARMUP:-2} "$bench/startup.sh" \
    "tobarin::$PWD/build-release/app/tobarin" 'qt-bare::/tmp/peerbench/qt-bare' "$@"
echo
ROUNDS=${N:-15} node bench/command-line.mjs 'core-bare::/tmp/peerbench/core-bare' \
    "tobarin --calc::$PWD/build-release/app/tobarin --calc '1 2/3 + 3/4'"
