#!/usr/bin/env bash
# Builds the calculator for the browser with Emscripten: the window's core as
# WebAssembly and the static site around it, in build-web/dist/ (index.html at
# its root). scripts/serve-web.sh serves it; any static file server can.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --only cmake ninja-build emscripten nodejs node-acorn \
  libfast-float-dev libfmt-dev fonts-ipafont-gothic fonts-ipafont-mincho \
  fonttools python3-brotli librsvg2-bin
# npm fetches the QR code generator the page takes (web/page/package-lock.json).
command -v npm >/dev/null || scripts/install-deps.sh --only npm
build=${WEB_BUILD_DIR:-build-web}

emcmake cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DTOBARIN_BUILD_WEB=ON -DTOBARIN_BUILD_TESTS=OFF \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v node)" >/dev/null
cmake --build "$build"
echo "The site is in $build/dist/"
