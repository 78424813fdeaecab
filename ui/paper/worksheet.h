#pragma once

#include "engine/practice/generator.h"
#include "ui/paper/worksheet_file.h"

#include <QString>

class QPagedPaintDevice;

// A practice set's worksheet (プリント), for a teacher to print and pupils to
// answer on paper, drawn by the same typesetter as the working window so that
// the sheet and the screen agree.
//
// The pages, A4 upright, as practice::sheetLayout gives them for the unit:
// nothing nearer the paper's edge than its margin; the problems in two
// columns numbered (1), (2)… down the left column and then the right (in one
// column of 10 where a problem is wider than half the page within the margins),
// fractions stacked with a mixed number's integer part as tall as its
// fraction, at the unit's size and with room below each to work it out;
// at the foot the set's code and the page's number.
// - The pupils' sheet: above the problems the unit's title and level; a
//   line of 「　月　日」「　年　組　番」「名前」 and the score's box (／N);
//   the unit's instruction; given an address, on the first page a QR code
//   of it followed by "#practice=CODE", captioned; given boxes, a box for
//   each answer and a 見直し box by it.
// - The key, a document of its own: the same pages with the answers filled
//   in, both forms where the unit takes either; given the working, then
//   each problem's working as a textbook writes it, as many as fit on a page
//   in two columns, none split across pages.
namespace tobarin {

// Draws the sheet onto a paged device, a QPdfWriter or a QPrinter from
// QPrintDialog, on the page size the device has (A4 for the PDF), starting
// each page after the first with newPage(). Gives the number of pages drawn,
// or 0 when the device could not be painted on.
int drawWorksheet(
    QPagedPaintDevice &device, const practice::PracticeSet &set, const WorksheetOptions &options);

// Saves the sheet (or its key) as an A4 PDF with its fonts embedded to the file named by
// the bytes of `path`, whole or not at all (writeWhole, ui/system/kept_file.h): a
// failed run neither leaves a partial file nor spoils an existing one, and
// what is not a regular file is not replaced. Gives the number of pages, or
// 0 with `error` naming the path and the cause.
int saveWorksheetPdf(const std::string &path, const practice::PracticeSet &set,
    const WorksheetOptions &options, QString &error);

}  // namespace tobarin
