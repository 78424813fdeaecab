// The print module's entry (see ui/paper/printing.h): the only code that uses Qt
// Print Support, loaded when a sheet is first printed.
#include "ui/paper/printing.h"

#include <string_view>
#include <type_traits>

#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>

extern "C" __attribute__((visibility("default"))) tobarin::PrintOutcome tobarin_print(
    QWidget *parent, const QString &documentName, const tobarin::DrawOnPaper &draw)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(documentName);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return tobarin::PrintOutcome::Cancelled;
    }
    return draw(printer) ? tobarin::PrintOutcome::Printed : tobarin::PrintOutcome::Failed;
}

// The entry's name and type are the ones the window looks up.
static_assert(std::string_view(tobarin::PrintEntry) == "tobarin_print");
static_assert(std::is_same_v<decltype(&tobarin_print), tobarin::PrintThroughDialog>);
