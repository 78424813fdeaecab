// The markup of the window 「途中式と答え合わせ」, which stands beside the
// calculator's on the page, from its definition.

#include <algorithm>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "form/practice_panel.h"
#include "form/working_definition.h"
#include "web/generate_page.h"

namespace tobarin::web {

// The element of a working window's control that stands in its grid's cell: the
// wrapping label of a check box or an option button, the control otherwise.
std::string workingSelector(const WorkingControlDefinition &row)
{
    switch (row.kind) {
    case WorkingKind::CheckBox:
    case WorkingKind::OptionButton:
        return "[data-panel-for=\"" + std::string(row.name) + "\"]";
    case WorkingKind::TextBox:
        return "input[data-panel=\"" + std::string(row.name) + "\"]";
    default:
        return "[data-panel=\"" + std::string(row.name) + "\"]";
    }
}

namespace {

// A control of the window 「途中式と答え合わせ」 (form/working_definition.h).
void writeWorkingControl(std::ostream &out, const WorkingControlDefinition &row)
{
    const std::string id = " data-panel=\"" + escaped(row.name) + "\"";
    const std::string caption = escaped(row.caption);
    const std::string name = row.accessibleName == row.caption
        ? std::string()
        : " aria-label=\"" + escaped(row.accessibleName) + "\"";
    const std::string tip
        = row.toolTip.empty() ? std::string() : " title=\"" + escaped(row.toolTip) + "\"";
    const std::string wrapper = "<label data-panel-for=\"" + escaped(row.name) + "\">";
    switch (row.kind) {
    case WorkingKind::Group:
        break;  // written by writeWorkingWindow, around its children
    case WorkingKind::Working:
        // The problem is drawn at once; the steps when they are asked for.
        out << "<ol class=\"working\"" << id << name << " tabindex=\"0\"></ol>\n"
            << "<p class=\"report\" data-panel=\"report\"></p>\n";
        return;
    case WorkingKind::Button:
        out << "<button type=\"button\"" << id << name << tip << ">" << caption << "</button>";
        return;
    case WorkingKind::ToggleButton:
        out << "<button type=\"button\"" << id << name << tip << " data-pressed-caption=\""
            << escaped(row.pressedCaption) << "\">" << caption << "</button>";
        return;
    case WorkingKind::CheckBox:
        // Not restored by the browser on a reload, as the window's are not.
        out << wrapper << R"(<input type="checkbox")" << id << name
            << R"( autocomplete="off"><span>)" << caption << "</span></label>";
        return;
    case WorkingKind::OptionButton:
        // The buttons of a group share its name, which makes them one group.
        out << wrapper << R"(<input type="radio" name=")" << escaped(row.container) << '"' << id
            << name << R"( autocomplete="off"><span>)" << caption << "</span></label>";
        return;
    case WorkingKind::TextBox:
        out << R"(<input type="text")" << id << name << R"( placeholder=")" << caption
            << R"(" inputmode="numeric" autocomplete="off" spellcheck="false">)";
        return;
    case WorkingKind::Line:
        out << "<span class=\"answer-bar\"" << id << "></span>";
        return;
    case WorkingKind::Status:
        out << "<p class=\"verdict\"" << id << " role=\"status\"></p>\n";
        return;
    }
}

constexpr std::string_view CheckCaption = workingControl("CheckAnswer").caption;
constexpr std::string_view TypedAnswer = workingControl("TypedAnswer").name;
constexpr std::string_view CopyWorking = workingControl("CopyWorking").name;

}  // namespace

// The window 「途中式と答え合わせ」 beside the calculator, built from its
// rows: its own controls one below another in the order of their rows on the
// page, each group's in the keyboard's order, which is the order of the rows
// (web/page/working-window.js fills it and hands it to the engine).
void writeWorkingWindow(std::ostream &out)
{
    // Its heading, with the button that puts practice in its place.
    out << "<section class=\"panel\" aria-labelledby=\"panel-title\">\n"
        << R"(<div class="panel-head"><h2 id="panel-title">)" << escaped(WorkingWindowTitle)
        << "</h2>";
    writeWorkingControl(out, OpenPracticeButton);
    out << "</div>\n";
    std::vector<Cell> cells(PageWindowGrid.cells.begin(), PageWindowGrid.cells.end());
    std::stable_sort(
        cells.begin(), cells.end(), [](const Cell &a, const Cell &b) { return a.row < b.row; });
    for (const Cell &cell : cells) {
        const WorkingControlDefinition &row = workingControl(cell.control);
        if (row.kind != WorkingKind::Group) {
            writeWorkingControl(out, row);
            if (row.name == CopyWorking) {
                out << "\n<p class=\"copied\" data-panel=\"copied\" role=\"status\"></p>";
            }
            out << (row.kind == WorkingKind::Button || row.kind == WorkingKind::ToggleButton ? "\n"
                                                                                             : "");
            continue;
        }
        // A group: its caption, then its controls in its grid; the typed
        // answer with a word on what to do.
        out << R"(<fieldset class="panel-group" data-panel=")" << escaped(row.name) << "\">"
            << "<legend>" << escaped(row.caption) << "</legend>\n";
        if (row.name == TypedAnswer) {
            out << "<p class=\"hint\">問題の答えを自分で計算して書き、「" << escaped(CheckCaption)
                << "」を押してください。</p>\n";
        }
        out << "<div class=\"row\">";
        for (const WorkingControlDefinition &child : WorkingControls) {
            if (child.container == row.name) {
                writeWorkingControl(out, child);
            }
        }
        out << "</div>\n</fieldset>\n";
    }
    out << "</section>\n";
}

}  // namespace tobarin::web
