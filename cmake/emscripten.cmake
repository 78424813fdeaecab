# Building with Emscripten (emcmake cmake ...): the engine and its tests as
# WebAssembly, the tests run under Node.js. scripts/test-wasm.sh builds and
# runs them.

# The engine reports run-time errors by throwing, so exceptions are switched
# on when compiling and when linking; without them a throw aborts the program.
# The page (TOBARIN_BUILD_WEB) uses WebAssembly's own exceptions, which need no
# JavaScript support code; the tests under Node.js keep those that Emscripten
# emulates in JavaScript.
# The page is also optimized across the whole program at link time, which
# leaves out what nothing calls.
if(TOBARIN_BUILD_WEB)
  add_compile_options(-fwasm-exceptions -flto)
  add_link_options(-fwasm-exceptions -flto)
else()
  add_compile_options(-fexceptions)
  add_link_options(-fexceptions)
endif()

# emcmake runs the tests with `node --experimental-wasm-threads`; Node.js 20
# refuses that flag (threads are always on there), so plain node runs them.
if(CMAKE_CROSSCOMPILING_EMULATOR MATCHES "--experimental-wasm-threads")
  list(REMOVE_ITEM CMAKE_CROSSCOMPILING_EMULATOR --experimental-wasm-threads)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CROSSCOMPILING_EMULATOR}" CACHE FILEPATH
    "The program that runs the WebAssembly tests" FORCE)
endif()

# Linking with optimization runs Emscripten's JavaScript optimizer, which needs
# the acorn module. Debian installs it under /usr/share/nodejs, where node does
# not look unless NODE_PATH says so; the linker is started with that folder on
# NODE_PATH.
find_path(TOBARIN_NODE_MODULES acorn/package.json
  PATHS /usr/share/nodejs /usr/lib/nodejs /usr/lib/node_modules /usr/local/lib/node_modules
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(TOBARIN_NODE_MODULES)
  set(tobarin_node_path "${TOBARIN_NODE_MODULES}")
  if(DEFINED ENV{NODE_PATH})
    string(APPEND tobarin_node_path ":$ENV{NODE_PATH}")
  endif()
  set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env "NODE_PATH=${tobarin_node_path}")
endif()

# The toolchain looks for headers and packages only inside Emscripten's own
# system root, and the host's include folder cannot be put on the search path
# whole, as its C library headers would hide the system root's. {fmt} and
# fast_float are used header-only, so only their header folders are linked into
# a folder of the build, behind targets named as their CMake packages name them.
set(tobarin_host_headers ${PROJECT_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${tobarin_host_headers})
foreach(header fmt/format.h fast_float/fast_float.h)
  cmake_path(GET header PARENT_PATH folder)
  find_path(TOBARIN_${folder}_INCLUDE_DIR ${header}
    PATHS /usr/include /usr/local/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  file(CREATE_LINK ${TOBARIN_${folder}_INCLUDE_DIR}/${folder} ${tobarin_host_headers}/${folder}
    SYMBOLIC)
endforeach()
add_library(fmt::fmt-header-only INTERFACE IMPORTED GLOBAL)
target_include_directories(fmt::fmt-header-only INTERFACE ${tobarin_host_headers})
# The engine never formats by locale; a fixed thousands separator keeps
# std::locale, and with it most of the C++ library's locale code, out of the
# module.
target_compile_definitions(fmt::fmt-header-only INTERFACE FMT_HEADER_ONLY=1
  FMT_STATIC_THOUSANDS_SEPARATOR=44)
add_library(FastFloat::fast_float INTERFACE IMPORTED GLOBAL)
target_include_directories(FastFloat::fast_float INTERFACE ${tobarin_host_headers})
