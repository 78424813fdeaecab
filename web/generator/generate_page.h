#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "form/definition.h"
#include "form/practice_definition.h"
#include "form/working_definition.h"

// The parts of the program that writes the browser page from the window's
// definition (web/generator/generate_page.cpp runs them): the markup, the styles and
// the codes module, and what more than one of them needs.
namespace tobarin::web {

// Markup (generate_markup.cpp). Text for HTML, with &, <, > and " escaped.
[[nodiscard]] std::string escaped(std::string_view text);
// The element that carries a control's geometry, as a CSS selector.
[[nodiscard]] std::string selector(const ControlDefinition &row);
// The page: the head, the calculator's window and the window 「途中式と答え合わせ」,
// and with the engine the message box and the notice after Quit; assets is the path of
// the site's files from the page. Gives the window's controls in the order
// written, where asked.
void writePage(std::ostream &out, bool withEngine, std::string_view assets,
    std::vector<const ControlDefinition *> *written);
// Whether the tab stops in the order written are the window's tab order.
[[nodiscard]] bool tabOrderHolds(const std::vector<const ControlDefinition *> &written);

// The working window's markup (generate_working_markup.cpp).
void writeWorkingWindow(std::ostream &out);
// The element of a working window's control that stands in its grid's cell.
[[nodiscard]] std::string workingSelector(const WorkingControlDefinition &row);

// Practice in the working window's place, and the worksheet its sets print as
// (generate_practice_markup.cpp).
void writePracticePanel(std::ostream &out);
void writeSheetPlace(std::ostream &out);
// The element of a control of practice's typed answer that stands in its
// grid's cell.
[[nodiscard]] std::string practiceAnswerSelector(const WorkingControlDefinition &row);

// Styles (generate_styles.cpp): the media query of a phone held upright, and
// the rules written after the page's own: each control's place, size, font
// and stacking, on a phone too, and the working window's grids and sizes.
[[nodiscard]] std::string phoneQuery();
void writeStyles(std::ostream &out);
// The rules of practice and its worksheet, written after practice's own
// stylesheet (practice.css, which the page links when practice first opens).
void writePracticeStyles(std::ostream &out);

// The codes module, codes.js (generate_codes.cpp).
void writeCodesModule(std::ostream &out);
// Practice's codes and markup, practice-codes.js (generate_codes.cpp).
void writePracticeModule(std::ostream &out);

}  // namespace tobarin::web
