// Builds the window and runs one calculation, from a program outside the
// project: the controls found by their object names, Calculate run through the
// window's own event.
#include "ui/form1.h"

#include <cstdio>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>

#include "form/definition.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    tobarin::Form1 form;
    qobject_cast<QLineEdit *>(form.control("Text1", 1))->setText(QStringLiteral("1"));
    qobject_cast<QLineEdit *>(form.control("Text1", 0))->setText(QStringLiteral("2"));
    qobject_cast<QLineEdit *>(form.control("Text2", 1))->setText(QStringLiteral("1"));
    qobject_cast<QLineEdit *>(form.control("Text2", 0))->setText(QStringLiteral("3"));
    form.raiseEvent(tobarin::Command1, tobarin::Event::Click);
    const QString answer = qobject_cast<QLabel *>(form.control("Label1", 1))->text()
        + QLatin1Char('/') + qobject_cast<QLabel *>(form.control("Label1", 0))->text();
    std::printf("1/2 + 1/3 = %s\n", qPrintable(answer));
    return answer == QLatin1String("5/6") ? 0 : 1;
}
