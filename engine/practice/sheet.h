#pragma once

#include "engine/number/written_number.h"
#include "engine/practice/units.h"

#include <string>
#include <string_view>

// The worksheet (プリント) a practice set prints as, the same on every
// front-end: the desktop draws it into a PDF or onto a printer, the page
// prints it through styles written from it. A teacher hands out the pupils'
// sheet; its answer key is a document of its own.
namespace tobarin::practice {

// One page of the sheet: A4 upright, two columns of problems numbered down
// the first and then the second, none split across pages.
struct SheetLayout {
    // Nothing nearer the paper's edge than this, clear of the 10 mm at the
    // edge that many printers cannot reach.
    int marginMillimetres;
    int columns;
    int problemsAPage;
    // The digits of the problems at least this size, in points.
    int digitPoints;
    // At least this much room below each problem to work it out; 0 for
    // whatever the page leaves.
    int writeMillimetres;
    // The QR code's side with its quiet zone.
    int qrMillimetres;
};

// The younger pupils' units (4-like, 5-unlike, 5-mixed) get bigger digits and
// room to write below each problem, and so fewer problems a page.
[[nodiscard]] SheetLayout sheetLayout(Unit unit);

inline constexpr int PaperWidthMillimetres = 210;  // A4 upright
inline constexpr int SheetOneColumnProblems = 10;

// The layout of a sheet whose widest problem, drawn with its number and its
// "=", is that many millimetres wide: the unit's, or, where it is wider than
// half the width within the margins, one column of SheetOneColumnProblems a page.
[[nodiscard]] SheetLayout sheetLayout(Unit unit, double widestProblemMillimetres);

// The pupils' sheet's instruction line:
// 「つぎの計算をしましょう。約分できるときは約分しましょう。」, and for a unit
// that asks for improper fractions 「仮分数で答えましょう。」 after it.
[[nodiscard]] std::string sheetInstruction(Unit unit);

// The header's words, in the order they stand on the line under the title;
// the score's box is followed by "／" and the number of problems.
struct SheetWords {
    std::string_view date;  // 「　月　日」
    std::string_view classAndNumber;  // 「　年　組　番」
    std::string_view name;  // 「名前」
    std::string_view score;  // 「点数」
    std::string_view outOf;  // 「／」
    std::string_view qrCaption;  // under the QR code
    std::string_view key;  // after the title on the key's pages
    std::string_view working;  // and on the working's
    std::string_view check;  // beside each problem's 見直し box
};
[[nodiscard]] const SheetWords &sheetWords();

// An answer as the key writes it: in a unit that takes either form, a mixed
// number with its improper form after it, "1 1/6 (7/6)"; otherwise the one
// form, "3", "5/6", "-7/6".
[[nodiscard]] std::string keyText(Unit unit, const WrittenNumber &answer);
// Whether the key adds the improper form of this answer.
[[nodiscard]] bool keyShowsBothForms(Unit unit, const WrittenNumber &answer);

}  // namespace tobarin::practice
