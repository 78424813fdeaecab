// The markup of practice (練習), which takes the place of the window
// 「途中式と答え合わせ」 beside the calculator on the page, from its definition,
// and the place of the worksheet its sets print as.

#include "engine/practice/round.h"
#include "engine/practice/set_code.h"
#include "engine/practice/units.h"
#include "engine/results/result_code.h"

#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "form/practice_definition.h"
#include "web/generator/generate_page.h"

namespace tobarin::web {

std::string practiceAnswerSelector(const WorkingControlDefinition &row)
{
    switch (row.kind) {
    case WorkingKind::CheckBox:
        return "[data-practice-for=\"" + std::string(row.name) + "\"]";
    case WorkingKind::TextBox:
        return "input[data-practice=\"" + std::string(row.name) + "\"]";
    default:
        return "[data-practice=\"" + std::string(row.name) + "\"]";
    }
}

namespace {

class PracticeMarkup {
public:
    explicit PracticeMarkup(std::ostream &out)
        : m_out(out)
    {
    }

    // The controls of a container, in the order of the keyboard, less one
    // written elsewhere.
    void children(std::string_view container, std::string_view except = {})
    {
        for (const PracticeControlDefinition &row : PracticeControls) {
            if (onPage(row) && row.container == container && row.name != except) {
                control(row);
            }
        }
    }

    void control(const PracticeControlDefinition &row)
    {
        const std::string id = " data-practice=\"" + escaped(row.name) + "\"";
        const std::string caption = escaped(row.caption);
        const std::string name = row.accessibleName == row.caption
            ? std::string()
            : " aria-label=\"" + escaped(row.accessibleName) + "\"";
        const std::string tip
            = row.toolTip.empty() ? std::string() : " title=\"" + escaped(row.toolTip) + "\"";
        // A field with its caption before it, which names it.
        const auto captioned = [&](std::string_view field) {
            m_out << "<label class=\"field\"><span>" << caption << "</span>" << field
                  << "</label>\n";
        };
        switch (row.kind) {
        case PracticeKind::Part:
            // The first stage's parts are shown from the start.
            m_out << "<div class=\"practice-part\"" << id << name
                  << (PracticeParts.front().part == row.name ? "" : " hidden") << ">\n";
            children(row.name);
            m_out << "</div>\n";
            return;
        case PracticeKind::Group:
            m_out << "<fieldset class=\"panel-group\"" << id << "><legend>" << caption
                  << "</legend>\n";
            children(row.name);
            m_out << "</fieldset>\n";
            return;
        case PracticeKind::TypedAnswer: {
            // The group of the window 「途中式と答え合わせ」, its controls and all.
            const WorkingControlDefinition &group = workingControl(row.name);
            m_out << "<fieldset class=\"panel-group\"" << id << "><legend>"
                  << escaped(group.caption) << "</legend>\n<div class=\"row\">";
            // The line first, hidden until a problem takes its answer so.
            m_out << R"(<input type="text" data-practice=")" << escaped(PracticeAnswerLine.name)
                  << R"(" aria-label=")" << escaped(PracticeAnswerLine.accessibleName)
                  << R"(" autocomplete="off" autocapitalize="off" spellcheck="false" hidden>)";
            for (const WorkingControlDefinition &answer : WorkingControls) {
                if (answer.container == group.name) {
                    answerControl(answer);
                }
            }
            m_out << "</div>\n</fieldset>\n";
            return;
        }
        case PracticeKind::Choice:
            captioned("<select" + id + tip + ">" + options(row.name) + "</select>");
            return;
        case PracticeKind::Number:
            captioned("<input type=\"number\"" + id + R"( min="1" max=")"
                + std::to_string(practice::MostProblems) + "\" value=\""
                + std::to_string(practice::DefaultCount) + R"(" inputmode="numeric">)");
            return;
        case PracticeKind::PupilNumber:
            // Empty for none.
            captioned("<input type=\"number\"" + id + tip + R"( min="1" max=")"
                + std::to_string(results::MostNumber) + R"(" inputmode="numeric">)");
            return;
        case PracticeKind::QrCode:
            m_out << "<div class=\"" << cssName(row.name) << "\"" << id << name
                  << " role=\"img\"></div>\n";
            return;
        case PracticeKind::TextBox:
            // A code, text to type and paste.
            m_out << "<input type=\"text\"" << id << name << tip << " placeholder=\"" << caption
                  << R"(" autocomplete="off" autocapitalize="off" spellcheck="false">)"
                  << "\n";
            return;
        case PracticeKind::Button:
            m_out << "<button type=\"button\"" << id << name << tip << ">" << caption
                  << "</button>\n";
            return;
        case PracticeKind::Status:
            m_out << "<p class=\"" << cssName(row.name) << "\"" << id << " role=\"status\">"
                  << caption << "</p>\n";
            return;
        case PracticeKind::Message:
            m_out << "<div class=\"code-message\"" << id << name
                  << " role=\"alert\" hidden></div>\n";
            return;
        case PracticeKind::Code:
            m_out << "<p class=\"set-code\">" << caption << " <code" << id << name << tip
                  << "></code></p>\n";
            return;
        case PracticeKind::Progress:
            m_out << "<ol class=\"progress\"" << id << name << "></ol>\n";
            return;
        case PracticeKind::Problem:
            m_out << "<div class=\"problem\"" << id << "></div>\n";
            return;
        case PracticeKind::Working:
            m_out << "<ol class=\"working\"" << id << name << " hidden></ol>\n";
            return;
        case PracticeKind::MissedList:
            m_out << "<ol class=\"missed\"" << id << name << "></ol>\n";
            return;
        case PracticeKind::Record:
            m_out << "<div class=\"record\"" << id << name << "></div>\n";
            return;
        }
    }

private:
    // A control of the typed answer, as the window 「途中式と答え合わせ」 has it.
    void answerControl(const WorkingControlDefinition &row)
    {
        const std::string id = " data-practice=\"" + escaped(row.name) + "\"";
        const std::string caption = escaped(row.caption);
        const std::string name = row.accessibleName == row.caption
            ? std::string()
            : " aria-label=\"" + escaped(row.accessibleName) + "\"";
        switch (row.kind) {
        case WorkingKind::TextBox:
            m_out << "<input type=\"text\"" << id << name << " placeholder=\"" << caption
                  << R"(" inputmode="numeric" autocomplete="off" autocapitalize="off")"
                  << R"( spellcheck="false">)";
            return;
        case WorkingKind::CheckBox:
            m_out << "<label data-practice-for=\"" << escaped(row.name)
                  << R"("><input type="checkbox")" << id << name << "><span>" << caption
                  << "</span></label>";
            return;
        case WorkingKind::Line:
            m_out << "<span class=\"answer-bar\"" << id << "></span>";
            return;
        case WorkingKind::Button:
            m_out << "<button type=\"button\"" << id << name << ">" << caption << "</button>\n";
            return;
        case WorkingKind::Status:
            m_out << "<p class=\"" << cssName(row.name) << "\"" << id << " role=\"status\"></p>\n";
            return;
        case WorkingKind::Group:
        case WorkingKind::Working:
        case WorkingKind::ToggleButton:
        case WorkingKind::OptionButton:
            break;
        }
        throw std::logic_error("a control the typed answer does not have");
    }

    // The units by their titles, and the levels; the default chosen.
    static std::string options(std::string_view choice)
    {
        std::string list;
        if (choice == "Unit") {
            for (const practice::UnitInfo &unit : practice::units()) {
                list += "<option value=\"" + escaped(unit.id) + "\">" + escaped(unit.title)
                    + "</option>";
            }
            return list;
        }
        for (int level = practice::LowestLevel; level <= practice::HighestLevel; ++level) {
            list += "<option value=\"" + std::to_string(level) + "\""
                + (level == practice::DefaultLevel ? " selected" : "") + ">"
                + escaped(LevelCaptions.at(static_cast<std::size_t>(level - 1))) + "</option>";
        }
        return list;
    }

    // "ProblemNumber" as a class: "problem-number".
    static std::string cssName(std::string_view name)
    {
        std::string css;
        for (const char c : name) {
            if (c >= 'A' && c <= 'Z') {
                css += css.empty() ? "" : "-";
                css += static_cast<char>(c - 'A' + 'a');
            } else {
                css += c;
            }
        }
        return css;
    }

    std::ostream &m_out;
};

static_assert(practiceControl("Unit").kind == PracticeKind::Choice
    && practiceControl("Level").kind == PracticeKind::Choice);

}  // namespace

// Practice, hidden until it is opened: its heading with the button back to the
// window 「途中式と答え合わせ」, then its parts (web/page/practice-panel.js
// shows each in its stages, fills them and hands the engine what is chosen and
// typed). After the page's main part, the worksheet that its sets print as,
// which only print shows.
void writePracticePanel(std::ostream &out)
{
    out << "<section class=\"panel practice\" data-practice-panel "
           "aria-labelledby=\"practice-title\" "
           "hidden>\n<div class=\"panel-head\"><h2 id=\"practice-title\">"
        << escaped(PracticeTitle) << "</h2>";
    PracticeMarkup markup(out);
    constexpr std::string_view Back = practiceControl("Back").name;
    markup.control(practiceControl(Back));
    out << "</div>\n";
    markup.children("", Back);
    out << "</section>\n";
}

void writeSheetPlace(std::ostream &out)
{
    out << R"(<div class="sheet" data-practice=")" << escaped(SheetPlace)
        << "\" aria-hidden=\"true\"></div>\n";
}

}  // namespace tobarin::web
