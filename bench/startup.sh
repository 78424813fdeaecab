#!/usr/bin/env bash
# Start-up time and memory of Tobarin beside the Qt 6 Widgets minimum window,
# measured in one run with the shared startup bench (see bench/README.md).
set -euo pipefail
cd "$(dirname "$0")/.."
bench=${STARTUP_BENCH:-../shared/tools/startup-bench}
scripts/install-deps.sh xvfb x11-utils dbus gcc python3 libx11-dev libxdamage-dev libxres-dev libxfixes-dev

cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOBARIN_BUILD_TESTS=OFF >/dev/null
cmake --build build-release --target tobarin
mkdir -p /tmp/peerbench
g++ -O2 -fPIC $(pkg-config --cflags Qt6Widgets) "$bench/bare_main.cpp" -o /tmp/peerbench/qt-bare \
    $(pkg-config --libs Qt6Widgets)

N=${N:-15} WARMUP=${WARMUP:-2} "$bench/startup.sh" \
    "tobarin::$PWD/build-release/app/tobarin" 'qt-bare::/tmp/peerbench/qt-bare' "$@"
