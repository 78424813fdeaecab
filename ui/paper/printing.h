#pragma once

#include <functional>

#include <QString>

class QPagedPaintDevice;
class QWidget;

// Printing on paper needs Qt Print Support, which the window loads only when
// a sheet is printed: the print dialog lives in a module of its own,
// tobarin-print.so, beside the window's module, so that opening the window
// does not load it.
namespace tobarin {

enum class PrintOutcome {
    Cancelled,
    Printed,
    Failed,
};

// Draws the pages on the printer; false when it could not be painted on.
using DrawOnPaper = std::function<bool(QPagedPaintDevice &)>;

// The module's entry: the print dialog for `documentName` on A4 portrait
// paper, then, once it is accepted, `draw` on the printer chosen.
inline constexpr char PrintEntry[] = "tobarin_print";
using PrintThroughDialog
    = PrintOutcome (*)(QWidget *parent, const QString &documentName, const DrawOnPaper &draw);

// Where the module is. By default beside the binary that holds this code,
// which is the window's module when the program runs.
void setPrintModule(const QString &path);

// Loads the module, once, and prints through it. Failed with the module's
// path in `error` when it cannot be loaded (the system's words on why go to
// Qt's warnings); Failed with `error` empty when the printer could not be
// drawn on.
[[nodiscard]] PrintOutcome printOnPaper(
    QWidget *parent, const QString &documentName, const DrawOnPaper &draw, QString &error);

}  // namespace tobarin
