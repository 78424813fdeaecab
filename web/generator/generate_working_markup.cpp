// The markup of the window 「途中式と答え合わせ」, which stands beside the
// calculator's on the page, from its definition.

#include "engine/solve.h"
#include "engine/window/problem.h"
#include "engine/working/working.h"

#include <algorithm>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "form/memory_form.h"
#include "form/practice_definition.h"
#include "form/working_definition.h"
#include "web/exports/page_properties.h"
#include "web/generator/generate_page.h"

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

// The working of the window's starting problem, in the MathML that
// web/page/working-window.js draws a working in, so that the page shows it
// from the start without asking the engine: every element as drawWorking
// makes it, and hidden as that window hides it until it is revealed.
std::string element(std::string_view name, const std::string &content)
{
    return "<" + std::string(name) + ">" + content + "</" + std::string(name) + ">";
}

std::string numberMarkup(const WrittenNumber &number, bool parenthesised)
{
    std::string parts = number.negative ? element("mo", "−") : "";
    if (number.isDecimal()) {
        parts += element("mn", wide::decimalText(number.whole) + "." + number.decimals);
    } else if (number.hasWhole) {
        parts += element("mn", wide::decimalText(number.whole));
    }
    if (number.hasFraction) {
        parts += element("mfrac",
            element("mn", wide::decimalText(number.num))
                + element("mn", wide::decimalText(number.den)));
    }
    return parenthesised ? element("mrow", element("mo", "(") + parts + element("mo", ")")) : parts;
}

std::string factorsMarkup(const std::vector<Factor> &factors, bool numerator)
{
    std::string row;
    for (const Factor &factor : factors) {
        row += row.empty() ? "" : element("mo", "×");
        const std::string value = element("mn", wide::decimalText(factor.value));
        row += factor.was ? element(numerator ? "mover" : "munder",
                   "<mn class=\"struck\">" + wide::decimalText(*factor.was) + "</mn>" + value)
                          : value;
    }
    return element("mrow", row);
}

std::string signMarkup(Sign sign)
{
    return sign == Sign::None ? "" : element("mo", sign == Sign::Minus ? "−" : "+");
}

std::string lineMarkup(const Expression &line);

// Operand `index` of a line, in parentheses of its own where it is written so.
std::string operandMarkup(const Expression &line, std::size_t index)
{
    const Expression &part = line.operands[index];
    if (!enclosed(line, index)) {
        return lineMarkup(part);
    }
    return part.isNumber()
        ? numberMarkup(part.number, true)
        : element("mrow", element("mo", "(") + lineMarkup(part) + element("mo", ")"));
}

std::string lineMarkup(const Expression &line)
{
    switch (line.kind) {
    case Expression::Kind::Sum:
    case Expression::Kind::Product: {
        std::string markup;
        for (std::size_t i = 0; i < line.operands.size(); ++i) {
            markup
                += (i > 0 ? element("mo", std::string(drawnOperationText(line.operations[i - 1])))
                          : "")
                + operandMarkup(line, i);
        }
        return markup;
    }
    case Expression::Kind::Parentheses:
        return element("mrow", element("mo", "(") + operandMarkup(line, 0) + element("mo", ")"));
    case Expression::Kind::Power:
        return element("msup",
            element("mrow", operandMarkup(line, 0)) + element("mn", std::to_string(line.exponent)));
    case Expression::Kind::Signed:
        return signMarkup(line.sign) + operandMarkup(line, 0);
    case Expression::Kind::List: {
        std::string markup;
        for (std::size_t i = 0; i < line.operands.size(); ++i) {
            markup += (i > 0 ? element("mo", ",") : "") + operandMarkup(line, i);
        }
        return markup;
    }
    case Expression::Kind::Over:
        return element("mfrac",
            element("mrow", lineMarkup(line.operands[0]))
                + element("mrow", lineMarkup(line.operands[1])));
    case Expression::Kind::Conversion:
        return operandMarkup(line, 0) + element("mo", "→")
            + element("mtext", std::string(askedFormText(line.asked)));
    case Expression::Kind::Fraction: {
        const std::string top = factorsMarkup(line.numerator, true);
        return signMarkup(line.sign)
            + (line.denominator.empty()
                    ? top
                    : element("mfrac", top + factorsMarkup(line.denominator, false)));
    }
    case Expression::Kind::Number:
        break;
    }
    return numberMarkup(line.number, false);
}

// A step's text as its item's name: a run of blanks read as one.
std::string spokenStep(const Step &step)
{
    std::string spoken;
    for (const char c : stepText(step)) {
        if (c != ' ' || !spoken.ends_with(' ')) {
            spoken += c;
        }
    }
    return spoken;
}

void writeStartingWorking(std::ostream &out, std::string_view attributes)
{
    const MemoryForm starting;
    const Working working = solve(problemIn(starting), answerFormIn(starting), FirstMethod).working;
    out << "<ol class=\"working\"" << attributes << R"( tabindex="0" data-text=")"
        << escaped(workingText(working)) << "\">";
    const std::size_t shown = linesShown(working.steps.size(), false);
    for (std::size_t i = 0; i < working.steps.size(); ++i) {
        const Step &step = working.steps[i];
        out << "<li aria-label=\"" << escaped(spokenStep(step)) << '"'
            << (i < shown ? "" : " hidden") << "><math>" << (i ? element("mo", "=") : "")
            << lineMarkup(step.expression) << "</math><span class=\"note\">"
            << escaped(stepNote(step)) << "</span></li>";
    }
    out << "</ol>\n<p class=\"report\" data-panel=\"report\""
        << (reportShown(working.steps.size(), false) ? "" : " hidden") << ">"
        << escaped(working.report) << "</p>\n";
}

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
        writeStartingWorking(out, id + name);
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
        // The first way of working is chosen, the way the working is written.
        out << wrapper << R"(<input type="radio" name=")" << escaped(row.container) << '"' << id
            << name << (row.name == MethodControls.front().control ? " checked" : "")
            << R"( autocomplete="off"><span>)" << caption << "</span></label>";
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

// The 式 field's group (WorkingExpressionControls), its controls in the order
// of its grid: a field for a problem as the command line reads it, typed with
// any keyboard, and below it why what was entered could not be read, which
// the field names as its description.
void writeExpressionGroup(std::ostream &out)
{
    const WorkingControlDefinition &group = WorkingExpressionControls[0];
    out << R"(<fieldset class="panel-group expression" data-panel=")" << escaped(group.name)
        << "\"><legend>" << escaped(group.caption) << "</legend>\n";
    for (const Cell &cell : ExpressionCells) {
        const WorkingControlDefinition &row
            = namedRow(WorkingExpressionControls, cell.control, "no such control of the 式 field");
        if (row.kind == WorkingKind::TextBox) {
            out << R"(<input type="text" data-panel=")" << escaped(row.name) << R"(" aria-label=")"
                << escaped(row.accessibleName) << R"(" aria-describedby="expression-message")"
                << R"( enterkeyhint="enter" autocomplete="off" spellcheck="false">)";
        } else {
            out << R"(<p class="expression-message" id="expression-message" data-panel=")"
                << escaped(row.name) << R"(" role="status" aria-label=")"
                << escaped(row.accessibleName) << "\"></p>\n";
        }
    }
    out << "</fieldset>\n";
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
    // The 式 field above the rest, as on the desktop.
    writeExpressionGroup(out);
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
