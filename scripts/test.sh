#!/usr/bin/env bash
# Builds Tobarin and runs every test (the window's tests offscreen), then
# builds the engine's tests as WebAssembly and runs them under Node.js, then
# builds the browser page and runs its tests in Chromium, Firefox and WebKit.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
cmake --build "$build"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
scripts/test-wasm.sh
scripts/test-web.sh
