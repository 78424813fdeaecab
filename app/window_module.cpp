#include "app/window_module.h"

#include <cstdio>
#include <dlfcn.h>
#include <filesystem>
#include <string>
#include <system_error>

namespace tobarin {

namespace {

// The program's own folder, whatever folder it was started from.
std::filesystem::path programFolder()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : program.parent_path();
}

}  // namespace

int runWindow(int argc, char **argv)
{
    const std::string path = (programFolder() / TOBARIN_WINDOW_MODULE).lexically_normal().string();
    // Lazy binding: only the functions the window calls are looked up.
    void *module = dlopen(path.c_str(), RTLD_LAZY | RTLD_LOCAL);
    void *entry = module ? dlsym(module, WindowEntry) : nullptr;
    if (!entry) {
        std::fprintf(stderr, "tobarin: cannot load the window: %s\n", dlerror());
        return 1;
    }
    // POSIX guarantees that a function's address found by dlsym converts back.
    // The module stays loaded until the program ends.
    return reinterpret_cast<WindowMain>(entry)(argc, argv);  // NOLINT(*-reinterpret-cast)
}

}  // namespace tobarin
