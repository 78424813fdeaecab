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

# One code, one set, on every build: the engine's listing run by Node.js must
# match the native program's `--practice CODE --list` byte for byte, for every
# unit and level, at the largest count and at the largest seed. The native
# program is that of scripts/test.sh's build, built here when it is missing.
native=${BUILD_DIR:-build}
if [ ! -x "$native/app/tobarin" ]; then
  cmake -S . -B "$native" -G Ninja
  cmake --build "$native" --target tobarin
fi
codes=()
for unit in 4-like 5-unlike 5-mixed 6-times-whole 6-times 6-divide 7-signed; do
  for level in 1 2 3; do
    codes+=("p1:$unit:$level:50:$level$level$level" "p1:$unit:$level:10:18446744073709551615")
  done
done
# The units of several terms and of conversions have p2 codes only; the
# others' p2 sets too.
for unit in 4-like 5-unlike 5-mixed 6-times-whole 6-times 6-divide 7-signed 6-three 6-order \
  7-mixed 4-convert 5-reduce 5-common 5-decimal; do
  for level in 1 2 3; do
    codes+=("p2:$unit:$level:50:$level$level$level" "p2:$unit:$level:10:18446744073709551615")
  done
done
node "$build/tests/engine/practice_listing.js" "${codes[@]}" >"$build/practice-wasm.txt"
for code in "${codes[@]}"; do
  "$native/app/tobarin" --practice "$code" --list
done >"$build/practice-native.txt"
if ! cmp "$build/practice-native.txt" "$build/practice-wasm.txt"; then
  diff "$build/practice-native.txt" "$build/practice-wasm.txt" | head -n 20
  echo "practice sets differ between the native program and WebAssembly"
  exit 1
fi
echo "practice sets: ${#codes[@]} codes, $(wc -l <"$build/practice-wasm.txt") lines, the same natively and in WebAssembly"
