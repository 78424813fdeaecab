#include "app/command_line.h"
#include "engine/version.h"
#include "ui/form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    if (tobarin::wantsCommandLine(argc, argv)) {
        return tobarin::runCommandLine(argc, argv);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tobarin"));
    QApplication::setApplicationVersion(QString::fromLatin1(tobarin::version::Text));
    QApplication::setDesktopFileName(QStringLiteral("org.tobarin.Tobarin"));

    tobarin::Form1 form;
    form.show();
    return QApplication::exec();
}
