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

# The fuzz targets are built by Clang in their own folder (scripts/fuzz.sh);
# they are checked from there when it has been made.
fuzz_build=${FUZZ_BUILD_DIR:-build-fuzz}
databases=("$build")
if [ -f "$fuzz_build/compile_commands.json" ]; then
    databases+=("$fuzz_build")
fi
echo "clang-tidy..."
for db in "${databases[@]}"; do
    if [ "$db" = "$build" ]; then
        sources='^'"$PWD"'/(engine|form|ui|app|tests)/.*\.cpp$'
    else
        sources='^'"$PWD"'/fuzz/.*\.cpp$'
    fi
    run-clang-tidy -p "$db" -quiet -j "$(nproc)" "$sources" >"$db/clang-tidy.log" 2>&1 || {
        grep -E "(warning|error):" "$db/clang-tidy.log" | sort -u
        echo "clang-tidy found problems (the whole log: $db/clang-tidy.log)"
        exit 1
    }
done
# The browser page's C++ is built by Emscripten (scripts/build-web.sh); what of
# it compiles natively is checked here with the flags it needs.
web_sources=(web/generator/generate_page.cpp web/generator/generate_markup.cpp
  web/generator/generate_working_markup.cpp web/generator/generate_styles.cpp
  web/generator/generate_codes.cpp web/generator/generate_practice_markup.cpp
  web/exports/page_properties.cpp web/exports/working_json.cpp web/exports/practice_json.cpp
  tests/web/oracle_cli.cpp)
clang-tidy -quiet "${web_sources[@]}" -- -std=c++20 -I. -I"$build/generated" \
    -DFMT_HEADER_ONLY=1 >"$build/clang-tidy-web.log" 2>&1 || {
    grep -E "(warning|error):" "$build/clang-tidy-web.log" | sort -u
    echo "clang-tidy found problems in the page's C++ (the whole log: $build/clang-tidy-web.log)"
    exit 1
}
echo "clang-tidy: clean"

echo "cppcheck..."
# Its Qt and GoogleTest libraries teach it the macros; the moc files that the
# tests include stop at an #error without Qt's headers, which it does not read.
for db in "${databases[@]}"; do
    cppcheck --project="$db/compile_commands.json" -i "$db" --library=qt --library=googletest \
        --enable=warning,performance,portability --inline-suppr --error-exitcode=1 \
        --suppress=missingIncludeSystem '--suppress=preprocessorErrorDirective:*.moc' \
        -j "$(nproc)" --quiet
done
cppcheck --std=c++20 -I. -I"$build/generated" --enable=warning,performance,portability \
    --inline-suppr --error-exitcode=1 --suppress=missingIncludeSystem --quiet \
    web/*/*.cpp tests/web/oracle_cli.cpp
echo "cppcheck: clean"
