#pragma once

#include "engine/practice/set_code.h"
#include "engine/working/textbook.h"

#include <string>

// Writing a practice set's worksheet (プリント) to a PDF file, in std types
// only, so that a caller that links no Qt Gui (the command line) can reach
// it. The drawing itself is in ui/paper/worksheet.h.
namespace tobarin {

// A set prints as two documents: the pupils' sheet, and its answer key, which
// is never in the pupils' file.
struct WorksheetOptions {
    // The answer key: the pupils' pages with the answers filled in, and no
    // QR code; otherwise the pupils' sheet.
    bool key = false;
    bool working = false;  // of the key: then each problem's working, as a textbook writes it
    bool boxes = false;  // a box for the answer after each "=", and a 見直し box by each problem
    // Not empty: on the pupils' sheet a QR code of this address followed by
    // "#practice=" and the set's code, which opens the same set on the page.
    std::string urlBase;
    Method method = Method::MakeImproper;  // how the working works sums of mixed numbers
};

// The files a set's sheet is written to: the pupils' sheet's and the
// answer key's, each named by its bytes; an empty name writes no such file.
struct WorksheetFiles {
    std::string sheet;
    std::string key;
};

// Writes the pupils' sheet and the answer key of the set `code` (the key with
// its working where `options` asks for it; options.key is not read) as A4
// PDFs, the sheet first, each through a temporary file beside it that is
// renamed into place only once complete: a failed run leaves no file, an
// existing file is replaced only by a whole sheet, and what is not a regular
// file (a folder, a device, a FIFO, a loop of links) is not replaced at all.
// Gives 0 and, in `wrote`, a line for each file naming it and its pages; or 1
// with, in `error`, a message naming the path and what went wrong, and in
// `wrote` the lines of the files written before it. A file that fails stops
// the files after it.
//
// Needs a QGuiApplication: when no Qt application exists it makes one for
// the call, on the offscreen platform whatever QT_QPA_PLATFORM says, so that
// no display is needed. A QCoreApplication that is not a QGuiApplication
// cannot draw, and gives 1.
[[nodiscard]] int writeWorksheet(const practice::SetCode &code, const WorksheetOptions &options,
    const WorksheetFiles &files, std::string &wrote, std::string &error);

}  // namespace tobarin
