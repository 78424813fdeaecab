#include "ui/paper/printing.h"

#include <dlfcn.h>

#include <QFileInfo>

namespace tobarin {

namespace {

QString &modulePath()
{
    static QString path;
    return path;
}

// The folder of the binary that holds this code.
QString folderOfThisCode()
{
    Dl_info info {};
    const auto *here = reinterpret_cast<void *>(&folderOfThisCode);  // NOLINT(*-reinterpret-cast)
    if (dladdr(here, &info) == 0 || info.dli_fname == nullptr) {
        return {};
    }
    return QFileInfo(QFile::decodeName(info.dli_fname)).absolutePath();
}

}  // namespace

void setPrintModule(const QString &path)
{
    modulePath() = path;
}

PrintOutcome printOnPaper(
    QWidget *parent, const QString &documentName, const DrawOnPaper &draw, QString &error)
{
    if (modulePath().isEmpty()) {
        modulePath() = folderOfThisCode() + QStringLiteral("/tobarin-print.so");
    }
    // Loaded once and kept: the print dialog's library stays for the next sheet.
    void *module = dlopen(QFile::encodeName(modulePath()).constData(), RTLD_LAZY | RTLD_LOCAL);
    void *entry = module ? dlsym(module, PrintEntry) : nullptr;
    if (!entry) {
        const char *why = dlerror();
        error = why ? QString::fromLocal8Bit(why) : modulePath();
        return PrintOutcome::Failed;
    }
    // POSIX guarantees that a function's address found by dlsym converts back.
    const auto print = reinterpret_cast<PrintThroughDialog>(entry);  // NOLINT(*-reinterpret-cast)
    error.clear();
    return print(parent, documentName, draw);
}

}  // namespace tobarin
