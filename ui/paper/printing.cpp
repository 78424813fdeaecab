#include "ui/paper/printing.h"

#include "ui/system/module_loader.h"

#include <string>

#include <QFile>

namespace tobarin {

namespace {

QString &modulePath()
{
    static QString path;
    return path;
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
        // Beside the binary that holds this code: the window's module.
        const auto *here
            = reinterpret_cast<const void *>(&printOnPaper);  // NOLINT(*-reinterpret-cast)
        modulePath() = QFile::decodeName(QByteArray::fromStdString(folderOfCode(here)))
            + QStringLiteral("/tobarin-print.so");
    }
    // Loaded once and kept: the print dialog's library stays for the next sheet.
    std::string why;
    const auto print = moduleEntry<PrintThroughDialog>(
        QFile::encodeName(modulePath()).toStdString(), PrintEntry, why);
    if (!print) {
        qWarning("tobarin: cannot load the print dialog: %s", why.c_str());
        error = modulePath();
        return PrintOutcome::Failed;
    }
    error.clear();
    return print(parent, documentName, draw);
}

}  // namespace tobarin
