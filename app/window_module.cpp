#include "app/window_module.h"

#include "ui/system/kept_file.h"

#include <cstdio>
#include <dlfcn.h>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>

namespace tobarin {

namespace {

// The program's own folder, whatever folder it was started from.
std::filesystem::path programFolder()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : program.parent_path();
}

// The module's entry `name`, or null with what went wrong in `error`. The
// module stays loaded until the program ends.
template <typename Function> Function moduleEntry(const char *name, std::string &error)
{
    const std::string path = (programFolder() / TOBARIN_WINDOW_MODULE).lexically_normal().string();
    // Lazy binding: only the functions the window calls are looked up.
    void *module = dlopen(path.c_str(), RTLD_LAZY | RTLD_LOCAL);
    void *entry = module ? dlsym(module, name) : nullptr;
    if (!entry) {
        const char *why = dlerror();
        error = why ? why : path;
        return nullptr;
    }
    // POSIX guarantees that a function's address found by dlsym converts back.
    return reinterpret_cast<Function>(entry);  // NOLINT(*-reinterpret-cast)
}

// Reading the machine's font configuration (fontconfig's files and cache) is
// the largest single part of opening the window, a few milliseconds, and
// needs nothing of the window. It is read on a second thread while the
// window's libraries load and Qt connects to the display; Qt then finds it
// read. Fontconfig keeps one configuration per process, so the reading must
// be over before Qt asks for it, or both would read it.
std::jthread fontReader;

void startReadingFonts()
{
    // Loaded here, before the window's module (which needs it too): the two
    // loads would otherwise wait for each other.
    void *fontconfig = dlopen("libfontconfig.so.1", RTLD_NOW | RTLD_LOCAL);
    void *init = fontconfig ? dlsym(fontconfig, "FcInit") : nullptr;
    if (init) {
        using FcInit = int (*)();
        fontReader = std::jthread(reinterpret_cast<FcInit>(init));  // NOLINT(*-reinterpret-cast)
    }
}

void waitForFonts()
{
    if (fontReader.joinable()) {
        fontReader.join();
    }
}

}  // namespace

int runWindow(int argc, char **argv)
{
    startReadingFonts();
    std::string error;
    const auto window = moduleEntry<WindowMain>(WindowEntry, error);
    if (!window) {
        waitForFonts();
        std::fprintf(stderr, "tobarin: cannot load the window: %s\n", error.c_str());
        return 1;
    }
    return window(argc, argv, waitForFonts);
}

int writeWorksheetInModule(const practice::SetCode &code, const WorksheetOptions &options,
    const std::string &path, std::string &message)
{
    std::string error;
    const auto write = moduleEntry<WorksheetWriter>(WorksheetEntry, error);
    if (!write) {
        message
            = "cannot write '" + shownPath(path) + "': cannot load the window's drawing: " + error;
        return 1;
    }
    return write(code, options, path, message);
}

}  // namespace tobarin
