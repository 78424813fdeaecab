#!/usr/bin/env bash
# Static checks of the whole tree: clang-tidy (the checks in .clang-tidy, every
# finding an error) and cppcheck. Generated sources (moc) are left out. Uses the
# build folder of scripts/test.sh when it is there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh clang-tidy cppcheck
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
# The generated headers (version.h, moc files) must exist before checking.
cmake --build "$build"

sources='^'"$PWD"'/(engine|ui|app|tests|fuzz)/.*\.cpp$'
echo "clang-tidy..."
run-clang-tidy -p "$build" -quiet -j "$(nproc)" "$sources" >"$build/clang-tidy.log" 2>&1 || {
    grep -E "(warning|error):" "$build/clang-tidy.log" | sort -u
    echo "clang-tidy found problems (the whole log: $build/clang-tidy.log)"
    exit 1
}
echo "clang-tidy: clean"

echo "cppcheck..."
# Its Qt and GoogleTest libraries teach it the macros; the moc files that the
# tests include stop at an #error without Qt's headers, which it does not read.
cppcheck --project="$build/compile_commands.json" -i "$build" --library=qt --library=googletest \
    --enable=warning,performance,portability --inline-suppr --error-exitcode=1 \
    --suppress=missingIncludeSystem '--suppress=preprocessorErrorDirective:*.moc' \
    -j "$(nproc)" --quiet
echo "cppcheck: clean"
