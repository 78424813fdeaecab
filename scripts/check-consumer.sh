#!/usr/bin/env bash
# Checks that another CMake project can take Tobarin in with add_subdirectory.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${BUILD_DIR:-build-consumer}
cmake -S tests/consumer -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target consumer
QT_QPA_PLATFORM=offscreen "$build/consumer"
