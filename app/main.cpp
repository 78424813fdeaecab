#include "ui/form1.h"
#include "engine/version.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tobarin"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(tobarin::version::Major)
                                            .arg(tobarin::version::Minor)
                                            .arg(tobarin::version::Revision));
    QApplication::setDesktopFileName(QStringLiteral("org.tobarin.Tobarin"));

    tobarin::Form1 form;
    form.show();
    return QApplication::exec();
}
