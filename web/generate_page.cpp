// Writes the browser page's window from the window's definition: the markup
// of the menu bar, of every control and of the panel 「途中式と答え合わせ」
// (index.html), each control's place, size, font and stacking (page.css, after
// the page's own styles read from PAGE_CSS), the codes the engine and the
// page's script pass between them (codes.js), and the same layout without the
// engine for the start-up benchmark (static.html). Run at build time:
//
//   generate_page DIST_DIR BENCH_DIR PAGE_CSS
//
// Positions are the definition's twips at 96 dpi (15 twips a CSS pixel),
// rounded like the desktop window rounds them.

#include "engine/check/answer_check.h"
#include "engine/working/textbook.h"
#include "engine/working/working.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "form/control_properties.h"
#include "form/definition.h"
#include "form/phone_layout.h"
#include "form/working_definition.h"

namespace {

using namespace tobarin;

int pixels(int twips)
{
    return static_cast<int>(std::lround(twips / 15.0));
}

std::string escaped(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string objectName(const ControlDefinition &row)
{
    return idOf(row).objectName();
}

// The rows whose container is `container` ("" for the client area).
std::vector<const ControlDefinition *> childrenOf(std::string_view container)
{
    std::vector<const ControlDefinition *> children;
    for (const ControlDefinition &row : Controls) {
        if (row.container == container) {
            children.push_back(&row);
        }
    }
    return children;
}

// The smallest tab index of a control that takes the focus, in the row or
// among a frame's children; none for a row without one.
int firstTabStop(const ControlDefinition &row)
{
    constexpr int None = 1 << 20;
    int first = takesFocus(row.kind) ? row.tabIndex : None;
    if (row.kind == Kind::Frame) {
        for (const ControlDefinition *child : childrenOf(row.name)) {
            first = std::min(first, firstTabStop(*child));
        }
    }
    return first;
}

// The browser moves the focus in document order, so the elements of each
// container are written in the order of their tab stops; the stacking order
// comes from z-index, not from the order of the markup.
std::vector<const ControlDefinition *> inTabOrder(std::string_view container)
{
    std::vector<const ControlDefinition *> children = childrenOf(container);
    std::stable_sort(children.begin(), children.end(),
        [](const ControlDefinition *a, const ControlDefinition *b) {
            return firstTabStop(*a) < firstTabStop(*b);
        });
    return children;
}

// The label that names a control for assistive technology, where its caption
// does not already say it.
std::string nameAttribute(const ControlDefinition &row)
{
    if (row.accessibleName == row.caption && row.kind != Kind::Label) {
        return {};
    }
    return " aria-label=\"" + escaped(row.accessibleName) + "\"";
}

class Markup {
public:
    explicit Markup(std::ostream &out)
        : m_out(out)
    {
    }

    void controls(std::string_view container, int depth)
    {
        for (const ControlDefinition *row : inTabOrder(container)) {
            control(*row, depth);
        }
    }

    // Every window control in the order the markup holds them.
    [[nodiscard]] const std::vector<const ControlDefinition *> &written() const
    {
        return m_written;
    }

private:
    void control(const ControlDefinition &row, int depth)
    {
        m_written.push_back(&row);
        const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
        const std::string id = " data-control=\"" + escaped(objectName(row)) + "\"";
        const std::string caption = escaped(row.caption);
        const std::string name = nameAttribute(row);
        switch (row.kind) {
        case Kind::Frame:
            m_out << indent << "<fieldset" << id << name << ">";
            if (!row.caption.empty()) {
                m_out << "<legend>" << caption << "</legend>";
            }
            m_out << "\n";
            controls(row.name, depth + 1);
            m_out << indent << "</fieldset>\n";
            return;
        case Kind::OptionButton:
        case Kind::CheckBox: {
            const bool option = row.kind == Kind::OptionButton;
            m_out << indent << "<label data-for=\"" << escaped(objectName(row))
                  << "\"><input type=\"" << (option ? "radio" : "checkbox") << "\"" << id << name;
            if (option) {
                m_out << " name=\"" << escaped(row.container) << "\"";
            }
            m_out << (row.selected ? " checked" : "") << "><span>" << caption
                  << "</span></label>\n";
            return;
        }
        case Kind::Label:
            // Text only: its textContent is the caption.
            m_out << indent << "<span role=\"group\"" << id << name
                  << (row.fit == TextFit::Shrink ? " data-fit=\"shrink\"" : "") << ">" << caption
                  << "</span>\n";
            return;
        case Kind::TextBox:
            // The typing limit is kept by the script, not by maxlength alone:
            // a longer text that the program writes must stay whole, and a
            // paste that does not fit is refused whole.
            m_out << indent << "<input type=\"text\"" << id << name << " maxlength=\""
                  << row.typingLimit
                  << "\" inputmode=\"numeric\" autocomplete=\"off\" spellcheck=\"false\">\n";
            return;
        case Kind::Line:
            m_out << indent << "<hr" << id << name << ">\n";
            return;
        case Kind::CommandButton:
            m_out << indent << "<button type=\"button\"" << id << name << ">" << caption
                  << "</button>\n";
            return;
        }
    }

    std::ostream &m_out;
    std::vector<const ControlDefinition *> m_written;
};

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

// The element that carries a control's geometry: the wrapping label of a
// check box or an option button, the control itself otherwise.
std::string selector(const ControlDefinition &row)
{
    const bool wrapped = row.kind == Kind::OptionButton || row.kind == Kind::CheckBox;
    return std::string(wrapped ? "[data-for=\"" : "[data-control=\"") + objectName(row) + "\"]";
}

// The media query of a phone held upright: a viewport narrower than
// PhoneBelowWidth. The generated styles, the page's own styles and the
// page's scripts (through codes.js) all use this one.
std::string phoneQuery()
{
    return "(max-width: " + std::to_string(PhoneBelowWidth - 1) + ".98px)";
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

void writeStyles(std::ostream &out)
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

// The element of a panel control that stands in its grid's cell: the
// wrapping label of a check box or an option button, the control otherwise.
std::string panelSelector(const PanelControlDefinition &row)
{
    switch (row.kind) {
    case PanelKind::CheckBox:
    case PanelKind::OptionButton:
        return "[data-panel-for=\"" + std::string(row.name) + "\"]";
    case PanelKind::TextBox:
        return "input[data-panel=\"" + std::string(row.name) + "\"]";
    default:
        return "[data-panel=\"" + std::string(row.name) + "\"]";
    }
}

// A control of the panel 「途中式と答え合わせ」 (form/working_definition.h).
void writePanelControl(std::ostream &out, const PanelControlDefinition &row)
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
    case PanelKind::Group:
        break;  // written by writePanel, around its children
    case PanelKind::Working:
        // The problem is drawn at once; the steps when they are asked for.
        out << "<ol class=\"working\"" << id << name << " tabindex=\"0\"></ol>\n"
            << "<p class=\"report\" data-panel=\"report\"></p>\n";
        return;
    case PanelKind::Button:
        out << "<button type=\"button\"" << id << name << tip << ">" << caption << "</button>";
        return;
    case PanelKind::ToggleButton:
        out << "<button type=\"button\"" << id << name << tip << " data-pressed-caption=\""
            << escaped(row.pressedCaption) << "\">" << caption << "</button>";
        return;
    case PanelKind::CheckBox:
        out << wrapper << R"(<input type="checkbox")" << id << name << "><span>" << caption
            << "</span></label>";
        return;
    case PanelKind::OptionButton:
        // The buttons of a group share its name, which makes them one group.
        out << wrapper << R"(<input type="radio" name=")" << escaped(row.container) << '"' << id
            << name << "><span>" << caption << "</span></label>";
        return;
    case PanelKind::TextBox:
        out << R"(<input type="text")" << id << name << R"( placeholder=")" << caption
            << R"(" inputmode="numeric" autocomplete="off" spellcheck="false">)";
        return;
    case PanelKind::Line:
        out << "<span class=\"answer-bar\"" << id << "></span>";
        return;
    case PanelKind::Status:
        out << "<p class=\"verdict\"" << id << " role=\"status\"></p>\n";
        return;
    }
}

constexpr std::string_view CheckCaption = workingControl("CheckAnswer").caption;
constexpr std::string_view TypedAnswer = workingControl("TypedAnswer").name;
constexpr std::string_view CopyWorking = workingControl("CopyWorking").name;

// The panel beside the window, built from the rows of the window
// 「途中式と答え合わせ」: its own controls one below another in the order of
// their rows on the page, each group's in the keyboard's order, which is the
// order of the rows (web/page/panel.js fills it and hands it to the engine).
void writePanel(std::ostream &out)
{
    out << "<section class=\"panel\" aria-labelledby=\"panel-title\">\n"
        << "<h2 id=\"panel-title\">" << escaped(WorkingWindowTitle) << "</h2>\n";
    std::vector<Cell> cells(PageWindowGrid.cells.begin(), PageWindowGrid.cells.end());
    std::stable_sort(
        cells.begin(), cells.end(), [](const Cell &a, const Cell &b) { return a.row < b.row; });
    for (const Cell &cell : cells) {
        const PanelControlDefinition &row = workingControl(cell.control);
        if (row.kind != PanelKind::Group) {
            writePanelControl(out, row);
            if (row.name == CopyWorking) {
                out << "\n<p class=\"copied\" data-panel=\"copied\" role=\"status\"></p>";
            }
            out << (row.kind == PanelKind::Button || row.kind == PanelKind::ToggleButton ? "\n"
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
        for (const PanelControlDefinition &child : WorkingControls) {
            if (child.container == row.name) {
                writePanelControl(out, child);
            }
        }
        out << "</div>\n</fieldset>\n";
    }
    out << "</section>\n";
}

// Where the panel's controls stand in their groups, the verdict's colours, and the controls' sizes
// on a phone. A group of one row is a row that wraps where the page is too narrow; the controls
// come in the order of their columns.
void writePanelStyles(std::ostream &out)
{
    out << "\n/* The panel 「途中式と答え合わせ」: each group's grid, and the verdict's colours. "
           "*/\n";
    for (const Grid &grid : GroupGrids) {
        const bool oneRow = std::all_of(grid.cells.begin(), grid.cells.end(),
            [](const Cell &cell) { return cell.row == 0 && cell.rowSpan == 1; });
        out << "[data-panel=\"" << grid.container << "\"] .row { ";
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
            const PanelControlDefinition &row = workingControl(cell.control);
            out << ".row " << panelSelector(row) << " { ";
            if (oneRow) {
                out << "order: " << cell.column << "; ";
            } else {
                out << "grid-area: " << cell.row + 1 << " / " << cell.column + 1 << " / "
                    << cell.row + cell.rowSpan + 1 << " / " << cell.column + cell.columnSpan + 1
                    << "; ";
            }
            if (cell.align == CellAlign::Middle) {
                out << "align-self: center; ";
            }
            out << "}\n";
        }
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
        << "  .row input[type=\"text\"] { height: " << phone.fieldHeight
        << "px; font-size: " << phone.fieldTextPixels << "px; }\n"
        << "}\n";
}

// One enumeration as a frozen object of its names and codes.
template <typename Code>
void writeCodes(std::ostream &out, std::string_view name,
    std::initializer_list<std::pair<std::string_view, Code>> codes)
{
    out << "export const " << name << " = Object.freeze({";
    bool first = true;
    for (const auto &[key, code] : codes) {
        out << (first ? " " : ", ") << key << ": " << static_cast<int>(code);
        first = false;
    }
    out << " });\n";
}

// An object of names and texts, quoted; keys as they are.
void writeObject(std::ostream &out, std::string_view name,
    const std::vector<std::pair<std::string, std::string_view>> &entries)
{
    out << "export const " << name << " = Object.freeze({";
    bool first = true;
    for (const auto &[key, text] : entries) {
        out << (first ? " " : ", ") << key << ": '" << text << "'";
        first = false;
    }
    out << " });\n";
}

VerdictLook lookOf(VerdictCategory category)
{
    switch (category) {
    case VerdictCategory::Correct:
        return VerdictLook::Correct;
    case VerdictCategory::Close:
        return VerdictLook::Close;
    case VerdictCategory::Wrong:
        return VerdictLook::Wrong;
    case VerdictCategory::NoAnswer:
        return VerdictLook::NoAnswer;
    case VerdictCategory::Unreadable:
        break;
    }
    return VerdictLook::Unreadable;
}

Method methodOf(MethodChoice choice)
{
    return choice == MethodChoice::KeepMixed ? Method::KeepMixed : Method::MakeImproper;
}

std::string code(auto value)
{
    return std::to_string(static_cast<int>(value));
}

// The object names of the window's controls, by the names of
// form/definition.h: a single control's name, an array's names by index.
void writeControlNames(std::ostream &out)
{
    out << "export const Control = Object.freeze({";
    const char *separator = " ";
    for (const ControlArray array : ControlArrays) {
        out << separator << array.name() << ": Object.freeze([";
        for (int index = 0; index < array.size(); ++index) {
            out << (index ? ", '" : "'") << array[index].objectName() << "'";
        }
        out << "])";
        separator = ", ";
    }
    for (const ControlId single : SingleControls) {
        out << separator << single.name() << ": '" << single.objectName() << "'";
    }
    out << " });\n"
        << "export const FormName = '" << FormName << "';\n";
}

// What the panel's script needs of the window 「途中式と答え合わせ」: its
// controls' names, which of them holds each part of the typed answer (by
// Field code) and chooses each method (by Method code), how each verdict
// category is marked, and what the working shows before it is revealed.
void writeWorkingCodes(std::ostream &out)
{
    std::vector<std::pair<std::string, std::string_view>> names;
    for (const PanelControlDefinition &row : WorkingControls) {
        names.emplace_back(row.name, row.name);
    }
    writeObject(out, "WorkingControl", names);
    std::vector<std::pair<std::string, std::string_view>> fields;
    for (const AnswerFieldControl &field : AnswerFieldControls) {
        fields.emplace_back(code(field.field), field.control);
    }
    writeObject(out, "AnswerFieldControl", fields);
    std::vector<std::pair<std::string, std::string_view>> methods;
    for (const MethodControl &method : MethodControls) {
        methods.emplace_back(code(methodOf(method.method)), method.control);
    }
    writeObject(out, "MethodControl", methods);
    std::vector<std::pair<std::string, std::string_view>> marks;
    for (const VerdictCategory category : {VerdictCategory::Correct, VerdictCategory::Close,
             VerdictCategory::Wrong, VerdictCategory::NoAnswer, VerdictCategory::Unreadable}) {
        marks.emplace_back(code(category), verdictLook(lookOf(category)).mark);
    }
    writeObject(out, "VerdictMark", marks);
    out << "export const Reveal = Object.freeze({ linesBefore: " << WorkingReveal.linesBefore
        << ", reportWithoutLines: " << (WorkingReveal.reportWithoutLines ? "true" : "false")
        << " });\n";
}

// The codes that cross between the engine and the page's script, written
// from the engine's own enumerations so that no script keeps a copy.
void writeCodesModule(std::ostream &out)
{
    out << "// Written by generate_page: the codes the engine and the page's script pass\n"
           "// between them, as the engine defines them.\n\n";
    writeCodes<Event>(out, "Event",
        {{"Click", Event::Click}, {"GotFocus", Event::GotFocus}, {"LostFocus", Event::LostFocus}});
    writeCodes<Operation>(out, "Operation",
        {{"Add", Operation::Add}, {"Subtract", Operation::Subtract},
            {"Multiply", Operation::Multiply}, {"Divide", Operation::Divide}});
    writeCodes<Field>(out, "Field",
        {{"Denominator", Field::Denominator}, {"Numerator", Field::Numerator},
            {"Whole", Field::Whole}});
    writeCodes<int>(
        out, "MsgBoxStyle", {{"Critical", MsgBoxCritical}, {"Information", MsgBoxInformation}});
    writeCodes<Method>(
        out, "Method", {{"MakeImproper", Method::MakeImproper}, {"KeepMixed", Method::KeepMixed}});
    writeCodes<VerdictCategory>(out, "VerdictCategory",
        {{"Correct", VerdictCategory::Correct}, {"Close", VerdictCategory::Close},
            {"Wrong", VerdictCategory::Wrong}, {"NoAnswer", VerdictCategory::NoAnswer},
            {"Unreadable", VerdictCategory::Unreadable}});
    writeWorkingCodes(out);
    writeControlNames(out);
    out << "// Where the page is laid out for a phone.\n"
        << "export const PhoneQuery = '" << phoneQuery() << "';\n";
    // The elements kept in sight while the operands are typed on a phone.
    out << "export const InSightWhileTyping = Object.freeze([";
    bool first = true;
    for (const ControlDefinition &row : Controls) {
        if (phonePlaceOf(row)->inSightWhileTyping) {
            out << (first ? "" : ", ") << "'" << selector(row) << "'";
            first = false;
        }
    }
    out << "]);\n";
    // How a drawn working writes each operation, by its code.
    out << "export const OperationSign = Object.freeze({";
    for (const Operation operation : Operations) {
        out << (operation == Operation::Add ? " " : ", ") << static_cast<int>(operation) << ": '"
            << drawnOperationText(operation) << "'";
    }
    out << " });\n";
}

// The part of the page around the window: the head, then the menu bar and the
// client area, then the message box and the notice shown after Quit.
void writePage(std::ostream &out, bool withEngine, std::string_view assets,
    std::vector<const ControlDefinition *> *written)
{
    const std::string a(assets);
    out << "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
        << "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        // Nothing from another origin, and no inline script or style.
        << "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'self'; "
           "script-src 'self' 'wasm-unsafe-eval'; style-src 'self'; object-src 'none'; "
           "base-uri 'none'; form-action 'none'\">\n"
        << "<title>" << escaped(WindowTitle) << "</title>\n"
        << "<meta name=\"description\" content=\"分数の計算機: 帯分数の四則計算\">\n"
        << "<meta name=\"theme-color\" content=\"#f0f0f0\">\n";
    if (withEngine) {
        out << "<link rel=\"manifest\" href=\"manifest.webmanifest\">\n"
            << "<link rel=\"icon\" href=\"icons/tobarin.svg\" type=\"image/svg+xml\">\n"
            << "<link rel=\"apple-touch-icon\" href=\"icons/tobarin-180.png\">\n";
    }
    out << R"(<link rel="preload" href=")" << a
        << "fonts/tobarin-gothic.woff2\" as=\"font\" type=\"font/woff2\" crossorigin>\n"
        << R"(<link rel="stylesheet" href=")" << a << "page.css\">\n";
    if (withEngine) {
        // The engine's module on its own and first: it starts compiling the
        // WebAssembly as soon as it arrives, before the page has been parsed.
        // (No preload of tobarin.wasm: WebKit does not hand a preload to
        // fetch() and would download it twice.)
        out << "<script type=\"module\" async src=\"engine.js\"></script>\n";
        for (const char *module :
            {"codes.js", "page-properties.js", "window-events.js", "message-box.js", "panel.js"}) {
            out << R"(<link rel="modulepreload" href=")" << module << "\">\n";
        }
        out << "<script type=\"module\" src=\"main.js\"></script>\n";
    } else {
        out << "<script type=\"module\" src=\"web-static-ready.js\"></script>\n";
    }
    out << "</head>\n<body>\n"
        // The window's title, which the page draws no title bar for.
        << "<h1 class=\"window-title\">" << escaped(WindowTitle)
        << "</h1>\n"
        // Inert until the engine has loaded: nothing typed or clicked is lost.
        << "<main class=\"desk\" inert>\n<div class=\"stage\">\n<div class=\"window\">\n"
        << "<div class=\"menubar\" role=\"menubar\" aria-label=\"メニュー\">";
    bool first = true;
    for (const MenuCommandDefinition &command : MenuCommands) {
        // One tab stop for the menu bar; the arrow keys move along it.
        out << R"(<button type="button" role="menuitem" data-control=")"
            << escaped(idOf(command).objectName()) << "\"" << (first ? "" : " tabindex=\"-1\"")
            << ">" << escaped(command.caption) << "</button>";
        first = false;
    }
    out << "</div>\n<div class=\"client\" data-control=\"" << FormName
        << "\" role=\"group\" aria-label=\"" << escaped(WindowTitle) << "\">\n";
    Markup markup(out);
    markup.controls("", 1);
    if (written) {
        *written = markup.written();
    }
    out << "</div>\n</div>\n</div>\n";
    writePanel(out);
    out << "</main>\n";
    if (withEngine) {
        out << "<div class=\"ended\" id=\"ended\" hidden><p>終了しました</p>"
               "<p><a href=\"./\">もう一度始める</a></p></div>\n"
            << "<p class=\"announce\" id=\"announce\" role=\"status\" aria-label=\"答え\"></p>\n"
            << "<dialog data-control=\"MsgBox\" aria-labelledby=\"msgbox-title\" "
               "aria-describedby=\"msgbox-text\">\n"
            << "<p class=\"msgbox-title\" data-part=\"title\" id=\"msgbox-title\"></p>\n"
            << "<div class=\"msgbox-body\"><span class=\"msgbox-icon\" aria-hidden=\"true\"></span>"
               "<p class=\"msgbox-text\" data-part=\"text\" id=\"msgbox-text\"></p></div>\n"
            << "<div class=\"msgbox-buttons\"><button type=\"button\" data-part=\"ok\">OK</button>"
               "</div>\n</dialog>\n";
    }
    out << "</body>\n</html>\n";
}

// The tab stops the markup gives, in document order, must be the window's
// tab order; only a layout whose frames hold consecutive stops allows that.
bool tabOrderHolds(const std::vector<const ControlDefinition *> &written)
{
    int previous = -1;
    for (const ControlDefinition *row : written) {
        if (takesFocus(row->kind)) {
            if (row->tabIndex <= previous) {
                return false;
            }
            previous = row->tabIndex;
        }
    }
    return true;
}

bool writeFile(const std::string &path, const std::string &contents)
{
    std::ofstream file(path, std::ios::binary);
    file << contents;
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::cerr << "usage: generate_page DIST_DIR BENCH_DIR PAGE_CSS\n";
        return 2;
    }
    const std::string dist = argv[1];
    const std::string bench = argv[2];
    // The page's own styles come first in its one stylesheet, then those
    // written here: one file fewer to fetch before the page can be drawn.
    std::ifstream pageStyles(argv[3]);
    if (!pageStyles) {
        std::cerr << "generate_page: cannot read " << argv[3] << "\n";
        return 1;
    }

    std::ostringstream page;
    std::vector<const ControlDefinition *> written;
    writePage(page, true, "", &written);
    if (!tabOrderHolds(written)) {
        std::cerr << "generate_page: document order cannot give the window's tab order\n";
        return 1;
    }
    std::ostringstream styles;
    styles << pageStyles.rdbuf() << "\n";
    if (styles.str().find("@media " + phoneQuery() + " {") == std::string::npos) {
        std::cerr << "generate_page: " << argv[3] << " has no rules @media " << phoneQuery()
                  << " for a phone\n";
        return 1;
    }
    writeStyles(styles);
    writePanelStyles(styles);
    std::ostringstream staticPage;
    writePage(staticPage, false, "../dist/", nullptr);
    std::ostringstream codes;
    writeCodesModule(codes);

    const bool ok = writeFile(dist + "/index.html", page.str())
        && writeFile(dist + "/page.css", styles.str()) && writeFile(dist + "/codes.js", codes.str())
        && writeFile(bench + "/static.html", staticPage.str());
    if (!ok) {
        std::cerr << "generate_page: cannot write the page\n";
        return 1;
    }
    return 0;
}
