#!/usr/bin/env bash
# Builds the engine and its GoogleTest tests as WebAssembly with Emscripten, in
# build-wasm, and runs the tests under Node.js. The window needs Qt and is left
# out of this build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --only cmake ninja-build emscripten nodejs node-acorn googletest \
  libfast-float-dev libfmt-dev
build=${WASM_BUILD_DIR:-build-wasm}

# emcmake hands CMake an emulator that Node.js 20 refuses; name plain node.
emcmake cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v node)"
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
