#pragma once

#include "engine/practice/generator.h"
#include "ui/paper/worksheet_file.h"

#include <QString>

class QPagedPaintDevice;

// A practice set's worksheet (プリント), for a teacher to print and pupils to
// answer on paper, drawn by the same typesetter as the working window so that
// the sheet and the screen agree.
//
// The pages, portrait, nothing nearer than 10 mm to the paper's edge:
// - the problems, 20 a page in two columns of ten, numbered (1), (2)… down
//   the left column and then the right, fractions stacked, each with room to
//   write its answer; above them the unit's title and level and blanks for
//   名前 and 点数 (／N), at the foot the set's code and the page's number,
//   and, given an address, a QR code of it followed by "#practice=CODE";
// - with the key, the same pages again with the answers filled in, in the
//   form the unit asks for;
// - with the working, each problem's working as a textbook writes it, as
//   many as fit on a page in two columns, none split across pages.
namespace tobarin {

// Draws the sheet onto a paged device, a QPdfWriter or a QPrinter from
// QPrintDialog, on the page size the device has (A4 for the PDF), starting
// each page after the first with newPage(). Gives the number of pages drawn,
// or 0 when the device could not be painted on.
int drawWorksheet(
    QPagedPaintDevice &device, const practice::PracticeSet &set, const WorksheetOptions &options);

// Saves the sheet as an A4 PDF with its fonts embedded to the file named by
// the bytes of `path`, whole or not at all (writeWhole, ui/system/kept_file.h): a
// failed run neither leaves a partial file nor spoils an existing one, and
// what is not a regular file is not replaced. Gives the number of pages, or
// 0 with `error` naming the path and the cause.
int saveWorksheetPdf(const std::string &path, const practice::PracticeSet &set,
    const WorksheetOptions &options, QString &error);

}  // namespace tobarin
