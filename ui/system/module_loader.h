#pragma once

#include <string>

// Modules the program loads only when they are needed (the window, its print
// dialog) and libraries it reaches early (fontconfig): one loader for all of
// them, the command line's and the window's. Plain POSIX, no Qt. A module,
// once loaded, stays until the program ends.
namespace tobarin {

// How the functions a library calls are found: as each is first called
// (lazy; a module of the program's), or all at once as it loads.
enum class Lookup { Lazy, Now };

// The address of the entry `name` of the library at `path` (a path, or a
// library's name for the system to find), loading the library first where
// it is not yet loaded; or nullptr, with why not in `error` (the system's
// words, or the path).
[[nodiscard]] void *moduleSymbol(
    const std::string &path, const char *name, std::string &error, Lookup lookup = Lookup::Lazy);

// The entry `name` as a function of type Function, or nullptr as
// moduleSymbol gives it.
template <typename Function>
[[nodiscard]] Function moduleEntry(
    const std::string &path, const char *name, std::string &error, Lookup lookup = Lookup::Lazy)
{
    // POSIX guarantees that a function's address found by dlsym converts back.
    return reinterpret_cast<Function>(  // NOLINT(*-reinterpret-cast)
        moduleSymbol(path, name, error, lookup));
}

// The folder of the running program, whatever folder it was started from;
// "" where the system does not say.
[[nodiscard]] std::string programFolder();

// The folder of the binary, program or module, that holds the code at
// `address`; "" where the system does not say.
[[nodiscard]] std::string folderOfCode(const void *address);

}  // namespace tobarin
