#include "app/window_module.h"

#include "ui/system/kept_file.h"
#include "ui/system/module_loader.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

namespace tobarin {

namespace {

// The window module's entry `name`, or null with what went wrong in `error`.
// Lazy binding: only the functions the window calls are looked up.
template <typename Function> Function windowEntry(const char *name, std::string &error)
{
    const std::filesystem::path path
        = std::filesystem::path(programFolder()) / TOBARIN_WINDOW_MODULE;
    return moduleEntry<Function>(path.lexically_normal().string(), name, error);
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
    using FcInit = int (*)();
    std::string error;
    if (const auto init = moduleEntry<FcInit>("libfontconfig.so.1", "FcInit", error, Lookup::Now)) {
        fontReader = std::jthread(init);
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
    const auto window = windowEntry<WindowMain>(WindowEntry, error);
    if (!window) {
        waitForFonts();
        std::fprintf(stderr, "tobarin: cannot load the window: %s\n", error.c_str());
        return 1;
    }
    return window(argc, argv, waitForFonts);
}

int writeWorksheetInModule(const practice::SetCode &code, const WorksheetOptions &options,
    const WorksheetFiles &files, std::string &wrote, std::string &error)
{
    std::string cause;
    const auto write = windowEntry<WorksheetWriter>(WorksheetEntry, cause);
    if (!write) {
        error = "cannot write '" + shownPath(files.sheet.empty() ? files.key : files.sheet)
            + "': cannot load the window's drawing: " + cause;
        return 1;
    }
    return write(code, options, files, wrote, error);
}

}  // namespace tobarin
