# Sourced by scripts/test.sh and scripts/sanitize.sh: the CMake options of a
# build under AddressSanitizer and UndefinedBehaviorSanitizer, and the run-time
# options its tests run with. $root must be the source folder.
#
# -O1 and line tables only (-g1): the sanitizers' usual build, reports with
# their files and lines, and a build much quicker than -O2 with full debug
# information.
sanitizer_cmake_options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOBARIN_SANITIZE=ON
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG" "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG")

# halt_on_error and the compile flag -fno-sanitize-recover=all: the first
# report ends the program; exitcode: with status 1, also when the report comes
# from the leak check at exit. Leaks that lie wholly inside third-party
# libraries, if any ever need it, are listed in scripts/lsan.supp.
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=0:exitcode=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:strict_string_checks=1
LSAN_OPTIONS=print_suppressions=0:exitcode=1
if [ -f "$root/scripts/lsan.supp" ]; then
  LSAN_OPTIONS+=:suppressions=$root/scripts/lsan.supp
fi
export LSAN_OPTIONS
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
