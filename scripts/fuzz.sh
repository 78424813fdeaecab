#!/usr/bin/env bash
# Builds the libFuzzer targets in build-fuzz (Clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for FUZZ_SECONDS seconds (60 by
# default) on a copy of its seed corpus in fuzz/corpus/<target>, so that the
# repository's corpus does not grow. Any finding fails the script; the input
# that caused it is kept in build-fuzz/findings/.
#
# A longer run by hand: FUZZ_SECONDS=3600 scripts/fuzz.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${FUZZ_SECONDS:-60}
build=${BUILD_DIR:-build-fuzz}
case $build in /*) ;; *) build=$root/$build ;; esac
targets=(textvalue_fuzz calculate_fuzz answer_forms_fuzz problem_text_fuzz)

# Clang with its sanitizer and libFuzzer run-time libraries, and the build
# tools. The run-time package carries Clang's major version in its name.
scripts/install-deps.sh clang
clang_major=$(clang -dumpversion | cut -d. -f1)
scripts/install-deps.sh --only "libclang-rt-$clang_major-dev"

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DTOBARIN_FUZZ=ON -DTOBARIN_BUILD_UI=OFF -DTOBARIN_BUILD_TESTS=OFF -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
cmake --build "$build" --target "${targets[@]}"

export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
findings=$build/findings
mkdir -p "$findings"
# As many targets at a time as the machine has cores, each for its time.
fuzz() {
  local target=$1 log=$build/$1.log status=0
  mkdir -p "$work/$target"
  cp "fuzz/corpus/$target/"* "$work/$target/"
  # Value profiling steers towards the boundaries the number checks compare with.
  "$build/fuzz/$target" "$work/$target" -max_total_time="$seconds" -print_final_stats=1 \
    -use_value_profile=1 -dict=fuzz/numbers.dict -timeout=20 \
    -artifact_prefix="$findings/$target-" >"$log" 2>&1 || status=$?
  echo "$status" >"$work/$target.status"
}
at_once=$(nproc)
running=()
for target in "${targets[@]}"; do
  echo "== $target: $seconds s (log: $build/$target.log)"
  fuzz "$target" &
  running+=($!)
  if [ ${#running[@]} -ge "$at_once" ]; then
    wait "${running[0]}"
    running=("${running[@]:1}")
  fi
done
wait

failed=()
summary=()
for target in "${targets[@]}"; do
  log=$build/$target.log
  status=$(cat "$work/$target.status")
  executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  summary+=("$target: ${executed:-?} inputs executed in $seconds s, exit status $status")
  if [ "$status" -ne 0 ]; then
    failed+=("$target")
    tail -n 60 "$log"
  fi
done

printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
  echo "Findings in: ${failed[*]} (inputs in $findings)"
  exit 1
fi
