// The window module's entry (see window_module.h): the desktop window as the
// program opens it when started without command-line options.
#include "app/window_module.h"
#include "engine/version.h"
#include "ui/form1.h"
#include "ui/paper/worksheet_file.h"
#include "ui/shared/window_style.h"

#include <string_view>
#include <type_traits>

#include <QApplication>

extern "C" __attribute__((visibility("default"))) int tobarin_window_main(
    int argc, char **argv, void (*waitForFonts)())
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tobarin"));
    QApplication::setApplicationVersion(QString::fromLatin1(tobarin::version::Text));
    QApplication::setDesktopFileName(QStringLiteral("org.tobarin.Tobarin"));
    tobarin::useWindowStyle();
    waitForFonts();

    tobarin::Form1 form;
    form.show();
    return QApplication::exec();
}

// Worksheets are drawn with the window's typesetter, so they are written here.
extern "C" __attribute__((visibility("default"))) int tobarin_write_worksheet(
    const tobarin::practice::SetCode &code, const tobarin::WorksheetOptions &options,
    const tobarin::WorksheetFiles &files, std::string &wrote, std::string &error)
{
    return tobarin::writeWorksheet(code, options, files, wrote, error);
}

// The entries' names and type are the ones the program looks up.
static_assert(std::string_view(tobarin::WindowEntry) == "tobarin_window_main");
static_assert(std::is_same_v<decltype(&tobarin_window_main), tobarin::WindowMain>);
static_assert(std::string_view(tobarin::WorksheetEntry) == "tobarin_write_worksheet");
static_assert(std::is_same_v<decltype(&tobarin_write_worksheet), tobarin::WorksheetWriter>);
