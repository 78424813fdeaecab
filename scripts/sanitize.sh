#!/usr/bin/env bash
# Builds every target with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan and runs the whole native test suite (the window's tests
# offscreen). Any sanitizer report ends the test that made it with a failure,
# and so this script with a non-zero status. (`TOBARIN_SANITIZE=ON
# scripts/test.sh` runs the WebAssembly and browser tests after the same.)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/install-deps.sh
build=${BUILD_DIR:-build-asan}
source scripts/sanitizer-options.sh
cmake -S . -B "$build" -G Ninja "${sanitizer_cmake_options[@]}"
cmake --build "$build"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure --no-tests=error -j "$(nproc)"
