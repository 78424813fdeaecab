#pragma once

#include "engine/practice/set_code.h"
#include "engine/working/textbook.h"

#include <string>

// Writing a practice set's worksheet (プリント) to a PDF file, in std types
// only, so that a caller that links no Qt Gui (the command line) can reach
// it. The drawing itself is in ui/paper/worksheet.h.
namespace tobarin {

struct WorksheetOptions {
    bool key = false;  // answer key pages after the problems: the same layout, answers filled in
    bool working = false;  // then each problem's working, as a textbook writes it
    // Not empty: a QR code of this address followed by "#practice=" and the
    // set's code, which opens the same set on the page.
    std::string urlBase;
    Method method = Method::MakeImproper;  // how the working works sums of mixed numbers
};

// Writes the worksheet of the set `code` as an A4 PDF to the file named by
// the bytes of `path`, through a temporary file beside it that is renamed
// into place only once complete: a failed run leaves no file, an existing
// file is replaced only by a whole sheet, and what is not a regular file (a
// folder, a device, a FIFO, a loop of links) is not replaced at all. Gives 0
// and, in `message`, a line naming the file and its pages; or 1 and a
// message naming the path and what went wrong.
//
// Needs a QGuiApplication: when no Qt application exists it makes one for
// the call, on the offscreen platform whatever QT_QPA_PLATFORM says, so that
// no display is needed. A QCoreApplication that is not a QGuiApplication
// cannot draw, and gives 1.
[[nodiscard]] int writeWorksheet(const practice::SetCode &code, const WorksheetOptions &options,
    const std::string &path, std::string &message);

}  // namespace tobarin
