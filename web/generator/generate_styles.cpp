// The styles written after the page's own in page.css: each control's place,
// size, font, alignment and stacking, from the definition's twips at 96 dpi
// (15 twips a CSS pixel, rounded like the desktop window rounds them); the
// phone's second geometry; and the working window's grids, verdict colours and sizes
// on a phone.

#include "engine/practice/sheet.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "form/definition.h"
#include "form/phone_layout.h"
#include "form/practice_definition.h"
#include "form/working_definition.h"
#include "web/generator/generate_page.h"

namespace tobarin::web {

namespace {

int pixels(int twips)
{
    return static_cast<int>(std::lround(twips / 15.0));
}

// The CSS font of a key: weight, size and the family list of its face.
std::string cssFont(Font key)
{
    const FontDefinition &font = fontDefinition(key);
    const std::string_view family = font.face == MsPMincho ? "var(--mincho)" : "var(--gothic)";
    std::ostringstream out;
    out << font.weight << " " << font.points << "pt " << family;
    return out.str();
}

std::string hexColour(std::uint32_t colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(colour));
    return text;
}

std::string cssAlign(Align align)
{
    switch (align) {
    case Align::Center:
        return "center";
    case Align::Right:
        return "right";
    case Align::Left:
        break;
    }
    return "left";
}

// The second geometry, for a phone held upright (form/phone_layout.h): each
// control's place and text size in design pixels, each one var(--u) long.
void writePhoneStyles(std::ostream &out)
{
    const auto units
        = [](int designPixels) { return "calc(" + std::to_string(designPixels) + " * var(--u))"; };
    out << "\n/* Where the screen is narrower than " << PhoneBelowWidth
        << " pixels: the window laid out for a phone. */\n"
        << ":root { --phone-client-width: " << PhoneClientWidth
        << "; --phone-client-height: " << PhoneClientHeight
        << "; --phone-menu-height: " << PhoneMenuHeight << "; }\n"
        << "@media " << phoneQuery() << " {\n"
        << "  [data-control=\"" << FormName << "\"] { width: " << units(PhoneClientWidth)
        << "; height: " << units(PhoneClientHeight) << "; }\n"
        << "  .menubar button { font-size: " << units(PhoneMenuTextPixels) << "; }\n";
    for (const ControlDefinition &row : Controls) {
        const PhonePlace *place = phonePlaceOf(row);
        const PixelBox box = placeOf(place->geometry, [](int design) { return design; });
        out << "  " << selector(row) << " { left: " << units(box.left)
            << "; top: " << units(box.top) << "; width: " << units(box.width) << "; ";
        if (row.kind != Kind::Line) {
            out << "height: " << units(box.height) << "; font-size: " << units(place->textPixels)
                << "; ";
        }
        out << "}\n";
    }
    out << "}\n";
}

void writeWindowStyles(std::ostream &out)
{
    out << "/* Written by generate_page from the window's definition: the client area and\n"
           "   each control's place, size, font, alignment and stacking. */\n"
        << "[data-control=\"" << FormName << "\"] { width: " << pixels(ClientWidth)
        << "px; height: " << pixels(ClientHeight) << "px; font: " << cssFont(Font::W) << "; }\n"
        << ":root { --client-width: " << pixels(ClientWidth)
        << "; --client-height: " << pixels(ClientHeight) << "; }\n";
    for (const ControlDefinition &row : Controls) {
        const PixelBox box = placeOf(row, pixels);
        out << selector(row) << " { left: " << box.left << "px; top: " << box.top
            << "px; width: " << box.width << "px; ";
        if (row.kind != Kind::Line) {
            out << "height: " << box.height << "px; font: " << cssFont(row.font) << "; ";
        }
        if (row.kind == Kind::Label || row.kind == Kind::TextBox) {
            out << "text-align: " << cssAlign(row.align) << "; ";
        }
        if (row.textColour) {
            out << "color: " << hexColour(*row.textColour) << "; ";
        }
        if (row.kind == Kind::CheckBox) {
            // It lies over its frame's edge and hides it, like a caption.
            out << "background: var(--face); ";
        }
        out << "z-index: " << stackLevel(row) << "; }\n";
    }
    writePhoneStyles(out);
}

// Where a control stands in its group's row: its place in a row of one line,
// or its area of the grid.
void writeCell(std::ostream &out, const Cell &cell, const std::string &selector, bool oneRow)
{
    out << ".row " << selector << " { ";
    if (oneRow) {
        out << "order: " << cell.column << "; ";
    } else {
        out << "grid-area: " << cell.row + 1 << " / " << cell.column + 1 << " / "
            << cell.row + cell.rowSpan + 1 << " / " << cell.column + cell.columnSpan + 1 << "; ";
    }
    if (cell.align == CellAlign::Middle) {
        out << "align-self: center; ";
    }
    out << "}\n";
}

// Where the controls of a group stand: a group of one row is a row that wraps
// where the page is too narrow, its controls in the order of their columns;
// any other a grid. group is the group's selector, cellOf gives a control's.
template <typename CellOf>
void writeGroupGrid(std::ostream &out, const Grid &grid, const std::string &group, CellOf cellOf)
{
    const bool oneRow = std::all_of(grid.cells.begin(), grid.cells.end(),
        [](const Cell &cell) { return cell.row == 0 && cell.rowSpan == 1; });
    out << group << " .row { ";
    if (oneRow) {
        out << "display: flex; flex-wrap: wrap; ";
    } else {
        out << "display: grid; grid-template-columns:";
        for (int column = 0; column < columnCount(grid); ++column) {
            out << (column == grid.stretchColumn ? " 1fr" : " auto");
        }
        out << "; ";
    }
    out << "gap: " << grid.pageRowGap << (grid.pageRowGap ? "px " : " ") << grid.pageColumnGap
        << "px; }\n";
    for (const Cell &cell : grid.cells) {
        writeCell(out, cell, cellOf(cell.control), oneRow);
    }
}

// Where the working window's controls stand in their groups, the verdict's
// colours, and the controls' sizes on a phone.
void writeWorkingWindowStyles(std::ostream &out)
{
    out << "\n/* The window 「途中式と答え合わせ」: each group's grid, and the verdict's colours. "
           "*/\n";
    for (const Grid &grid : GroupGrids) {
        writeGroupGrid(out, grid, "[data-panel=\"" + std::string(grid.container) + "\"]",
            [](std::string_view name) { return workingSelector(workingControl(name)); });
    }
    for (const VerdictLookDefinition &look : VerdictLooks) {
        if (look.colour) {
            out << ".verdict[data-verdict=\"" << look.mark
                << "\"] { color: " << hexColour(*look.colour) << "; }\n";
        }
    }
    const PhoneControlSizes &phone = PhoneWorkingSizes;
    out << "@media " << phoneQuery() << " {\n"
        << "  .panel button { min-height: " << phone.buttonHeight << "px; }\n"
        << "  .panel-group label { min-height: " << phone.choiceHeight << "px; }\n"
        << "  .panel-group label input { width: " << phone.choiceBox
        << "px; height: " << phone.choiceBox << "px; }\n"
        << "  .row input[type=\"text\"], .expression input { height: " << phone.fieldHeight
        << "px; font-size: " << phone.fieldTextPixels << "px; }\n"
        << "}\n";
}

// The worksheet a set prints as, and its answer key, laid out as the
// engine's sheetLayout says for each unit (engine/practice/sheet.h), as the
// desktop's PDF is: A4 upright within the one margin, each page the height of
// the paper within it, its problems in columns numbered down the first and
// then the next, at the unit's size with the room below each to write in;
// only the sheet is printed while there is one, and of it the key alone once
// asked for (data-print-key). The rest of its look is the page's own.
void writeSheetStyles(std::ostream &out)
{
    const int margin = practice::sheetLayout(practice::units().front().unit).marginMillimetres;
    out << "\n/* The worksheet, printed. */\n"
        << "@page { size: A4 portrait; margin: " << margin << "mm; }\n"
        << "@media print {\n"
        << "  html[data-sheet] body > :not(.sheet) { display: none !important; }\n"
        << "  html[data-sheet] .sheet { display: block; }\n"
        << "  html[data-print-key] .sheet-pupils, html:not([data-print-key]) .sheet-key "
           "{ display: none; }\n"
        // A little short of the room, so that rounding never spills a page.
        << "  .sheet-page { height: " << 297 - 2 * margin - 1 << "mm; }\n";
    for (const practice::UnitInfo &unit : practice::units()) {
        const practice::SheetLayout sheet = practice::sheetLayout(unit.unit);
        if (sheet.marginMillimetres != margin) {
            throw std::logic_error("the sheet's margin differs between units");
        }
        const std::string of = "  .sheet[data-unit=\"" + std::string(unit.id) + "\"] ";
        out << of << ".sheet-problems { grid-template-columns: repeat(" << sheet.columns
            << ", 1fr); grid-template-rows: repeat(" << sheet.problemsAPage / sheet.columns
            << ", 1fr); }\n"
            << of << ".sheet-problem { font-size: " << sheet.digitPoints
            << "pt; padding-bottom: " << sheet.writeMillimetres << "mm; }\n";
    }
    // A set whose widest problem is too wide for two columns (data-columns, as
    // the engine lays it out for the problems drawn).
    out << "  .sheet[data-columns=\"1\"] .sheet-problems { grid-template-columns: 1fr; "
           "grid-template-rows: repeat("
        << practice::SheetOneColumnProblems << ", 1fr); }\n";
    out << "  .sheet-qr { width: " << practice::sheetLayout(practice::Unit::Like4).qrMillimetres
        << "mm; height: " << practice::sheetLayout(practice::Unit::Like4).qrMillimetres << "mm; }\n"
        << "}\n";
}

}  // namespace

// The media query of a phone held upright: a viewport narrower than
// PhoneBelowWidth. The generated styles, the page's own styles and the
// page's scripts (through codes.js) all use this one.
std::string phoneQuery()
{
    return "(max-width: " + std::to_string(PhoneBelowWidth - 1) + ".98px)";
}

void writeStyles(std::ostream &out)
{
    writeWindowStyles(out);
    writeWorkingWindowStyles(out);
}

void writePracticeStyles(std::ostream &out)
{
    out << "\n/* Practice's typed answer, as the working window's. */\n";
    constexpr std::string_view answer = practiceControl("TypedAnswer").name;
    writeGroupGrid(out, groupGrid(answer), "[data-practice=\"" + std::string(answer) + "\"]",
        [](std::string_view name) { return practiceAnswerSelector(workingControl(name)); });
    // The line that stands in the place of the fields, where a problem takes its answer so.
    writeCell(out, PracticeAnswerLineCell, practiceAnswerSelector(PracticeAnswerLine), false);
    // As wide as its longest answer: an ASCII character is 1ch, a full-width one 2ch.
    int room = 0;
    for (const char c : AnswerLineRoom) {
        const auto byte = static_cast<unsigned char>(c);
        room += byte < 0x80 ? 1 : (byte >= 0xE0 ? 2 : 0);
    }
    out << ".row " << practiceAnswerSelector(PracticeAnswerLine) << " { min-width: calc(" << room
        << "ch + 1em); padding: 0 4px; text-align: left; }\n";
    const PhoneControlSizes &phone = PhoneWorkingSizes;
    out << "@media " << phoneQuery() << " {\n"
        << "  .panel select, .panel .field input, .panel input[data-practice=\"CodeEntry\"] "
           "{ min-height: "
        << phone.fieldHeight << "px; font-size: " << phone.fieldTextPixels << "px; }\n"
        << "}\n";
    writeSheetStyles(out);
}

}  // namespace tobarin::web
