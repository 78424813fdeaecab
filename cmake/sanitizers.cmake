# AddressSanitizer and UndefinedBehaviorSanitizer for every target of the project.
#
# The flags ride on tobarin_warnings, which every target of the project links, so
# that no target is left uninstrumented. A static library passes them on to what
# links it, so every program is linked with the sanitizer run-time libraries too.
#
# TOBARIN_SANITIZE: the whole project, for running the tests.
# TOBARIN_FUZZ: the same checks, plus the coverage instrumentation that libFuzzer
# steers by (the fuzz targets themselves link libFuzzer, see fuzz/).
#
# -fno-sanitize-recover=all makes every finding end the program with a failure
# status, so that no report can scroll past unnoticed in a passing test.

add_library(tobarin_sanitizers INTERFACE)

if(TOBARIN_SANITIZE OR TOBARIN_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    message(FATAL_ERROR "TOBARIN_SANITIZE and TOBARIN_FUZZ need GCC or Clang")
  endif()
  set(tobarin_sanitize_checks address,undefined)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # Clang's "undefined" includes out-of-range float-to-integer casts; GCC's does not.
    string(APPEND tobarin_sanitize_checks ",float-cast-overflow")
  endif()
  set(tobarin_sanitize_compile ${tobarin_sanitize_checks})
  if(TOBARIN_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
      message(FATAL_ERROR "TOBARIN_FUZZ needs Clang (-DCMAKE_CXX_COMPILER=clang++)")
    endif()
    set(tobarin_sanitize_compile fuzzer-no-link,${tobarin_sanitize_checks})
  endif()
  target_compile_options(tobarin_sanitizers INTERFACE
    -fsanitize=${tobarin_sanitize_compile} -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(tobarin_sanitizers INTERFACE
    -fsanitize=${tobarin_sanitize_checks} -fno-sanitize-recover=all)
endif()

target_link_libraries(tobarin_warnings INTERFACE tobarin_sanitizers)
