#!/usr/bin/env bash
# Builds Tobarin and runs every test (the window's tests offscreen), then
# builds the engine's tests as WebAssembly and runs them under Node.js, then
# builds the browser page and runs its tests in Chromium, Firefox and WebKit.
#
# TOBARIN_SANITIZE=ON builds the native program and its tests under
# AddressSanitizer and UndefinedBehaviorSanitizer instead (in build-asan unless
# BUILD_DIR says otherwise), so that one build serves both; CI runs it so.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/install-deps.sh
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${TOBARIN_SANITIZE:-OFF}" = ON ]; then
  source scripts/sanitizer-options.sh
  options=("${sanitizer_cmake_options[@]}")
  export BUILD_DIR=${BUILD_DIR:-build-asan}
fi
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_EXPORT_COMPILE_COMMANDS=ON "${options[@]}"
cmake --build "$build"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure --no-tests=error -j "$(nproc)"
scripts/test-wasm.sh
scripts/test-web.sh
