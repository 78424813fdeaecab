#include "ui/paper/worksheet_file.h"

#include "engine/practice/generator.h"
#include "ui/paper/worksheet.h"
#include "ui/system/kept_file.h"

#include <optional>

#include <QGuiApplication>

namespace tobarin {

namespace {

QtMessageHandler previousHandler = nullptr;

// Where the platform was chosen here for want of a display, Qt's remark while
// it starts that the session has no XDG_RUNTIME_DIR concerns no file, and
// would be the only line on the error stream of a run that went well.
void startingHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: "))) {
        return;
    }
    previousHandler(type, context, message);
}

}  // namespace

int writeWorksheet(const practice::SetCode &code, const WorksheetOptions &options,
    const WorksheetFiles &files, std::string &wrote, std::string &error)
{
    wrote.clear();
    error.clear();
    const std::string &named = files.sheet.empty() ? files.key : files.sheet;
    // Drawing text needs a QGuiApplication, but never a display: the
    // offscreen platform serves as well as any for a file, whatever platform
    // the environment names for windows.
    int argc = 1;
    char name[] = "tobarin";
    char *argv[] = {name, nullptr};
    std::optional<QGuiApplication> application;
    if (QCoreApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        previousHandler = qInstallMessageHandler(startingHandler);
        application.emplace(argc, argv);
        qInstallMessageHandler(previousHandler);
    } else if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) == nullptr) {
        error = "cannot write '" + shownPath(named) + "': the sheet is drawn in a QGuiApplication";
        return 1;
    }

    const practice::PracticeSet set = practice::practiceSet(code);
    for (const bool key : {false, true}) {
        const std::string &path = key ? files.key : files.sheet;
        if (path.empty()) {
            continue;
        }
        WorksheetOptions drawn = options;
        drawn.key = key;
        QString failure;
        const int pages = saveWorksheetPdf(path, set, drawn, failure);
        if (pages == 0) {
            error = failure.toStdString();
            return 1;
        }
        wrote += (wrote.empty() ? "" : "\n") + std::string("wrote ") + shownPath(path) + ": "
            + std::to_string(pages) + (pages == 1 ? " page" : " pages")
            + (key ? ", the answer key of set " : ", set ") + practice::setCodeText(code);
    }
    return 0;
}

}  // namespace tobarin
