#include "ui/system/module_loader.h"

#include <dlfcn.h>
#include <filesystem>
#include <system_error>

namespace tobarin {

void *moduleSymbol(const std::string &path, const char *name, std::string &error, Lookup lookup)
{
    void *module
        = dlopen(path.c_str(), (lookup == Lookup::Now ? RTLD_NOW : RTLD_LAZY) | RTLD_LOCAL);
    void *entry = module ? dlsym(module, name) : nullptr;
    if (!entry) {
        const char *why = dlerror();
        error = why ? why : path;
    }
    return entry;
}

std::string programFolder()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.parent_path().string();
}

std::string folderOfCode(const void *address)
{
    Dl_info info {};
    if (dladdr(address, &info) == 0 || info.dli_fname == nullptr) {
        return {};
    }
    std::error_code error;
    const std::filesystem::path binary = std::filesystem::absolute(info.dli_fname, error);
    return error ? std::string() : binary.parent_path().string();
}

}  // namespace tobarin
