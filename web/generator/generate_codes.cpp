// The codes module (codes.js): the codes that cross between the engine and
// the page's script, the controls' names, and what the scripts need of the
// phone's layout and of the window 「途中式と答え合わせ」, all written from the
// engine's and the definition's own data so that no script keeps a copy.

#include "engine/check/answer_check.h"
#include "engine/practice/round.h"
#include "engine/practice/sheet.h"
#include "engine/working/textbook.h"
#include "engine/working/working.h"

#include <array>
#include <initializer_list>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "form/control_properties.h"
#include "form/definition.h"
#include "form/phone_layout.h"
#include "form/practice_definition.h"
#include "form/working_definition.h"
#include "web/exports/page_properties.h"
#include "web/exports/practice_json.h"
#include "web/generator/generate_page.h"

namespace tobarin::web {

namespace {

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

// An object of texts, quoted, under the keys that entry gives with them for
// each of items.
template <typename Items, typename Entry>
void writeObject(std::ostream &out, std::string_view name, const Items &items, Entry entry)
{
    out << "export const " << name << " = Object.freeze({";
    const char *separator = " ";
    for (const auto &item : items) {
        const auto [key, text] = entry(item);
        out << separator << key << ": '" << text << "'";
        separator = ", ";
    }
    out << " });\n";
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
    // The same names by the rows the engine numbers the controls by, so that
    // the page finds its elements without asking the engine for each name.
    out << "export const Rows = Object.freeze([";
    for (int row = 0; row < RowCount; ++row) {
        out << (row ? ", '" : "'") << controlAt(row)->objectName() << "'";
    }
    out << "]);\n";
}

// What the script of the window 「途中式と答え合わせ」 needs of it: its
// controls' names (its 式 field's too), which of them holds each part of the
// typed answer (by Field code) and chooses each method (by Method code), how
// each verdict category is marked, and what the working shows before it is
// revealed.
void writeWorkingCodes(std::ostream &out)
{
    writeObject(out, "WorkingControl", WorkingControls, [](const WorkingControlDefinition &row) {
        return std::pair {row.name, row.name};
    });
    writeObject(out, "ExpressionControl", WorkingExpressionControls,
        [](const WorkingControlDefinition &row) {
            return std::pair {row.name, row.name};
        });
    writeObject(
        out, "AnswerFieldControl", AnswerFieldControls, [](const AnswerFieldControl &field) {
            return std::pair {code(field.field), field.control};
        });
    writeObject(out, "MethodControl", MethodControls, [](const MethodControl &method) {
        return std::pair {code(methodOf(method.method)), method.control};
    });
    constexpr std::array<VerdictCategory, 5> Categories {VerdictCategory::Correct,
        VerdictCategory::Close, VerdictCategory::Wrong, VerdictCategory::NoAnswer,
        VerdictCategory::Unreadable};
    writeObject(out, "VerdictMark", Categories, [](VerdictCategory category) {
        return std::pair {code(category), verdictLook(lookOf(category)).mark};
    });
    out << "export const Reveal = Object.freeze({ linesBefore: " << WorkingReveal.linesBefore
        << ", reportWithoutLines: " << (WorkingReveal.reportWithoutLines ? "true" : "false")
        << " });\n";
}

// What the script of practice needs: its controls' names, which parts each
// stage shows, which field holds each part of the typed answer (by Field
// code), the codes of what the engine asks of the page (PracticeInput), what
// the record and the panel say, and the worksheet's layout.
void writePracticeCodes(std::ostream &out)
{
    std::vector<std::string_view> names;
    for (const PracticeControlDefinition &row : PracticeControls) {
        if (onPage(row)) {
            names.push_back(row.name);
        }
    }
    names.push_back(PracticeAnswerLine.name);
    writeObject(out, "PracticeControl", names, [](std::string_view name) {
        return std::pair {name, name};
    });
    out << "export const FieldsBesideAnswerLine = Object.freeze([";
    for (const std::string_view name : FieldsBesideAnswerLine) {
        out << (name == FieldsBesideAnswerLine.front() ? "'" : ", '") << name << "'";
    }
    out << "]);\n";

    out << "export const PracticeParts = Object.freeze({";
    const char *separator = " ";
    for (const PracticePart &part : PracticeParts) {
        out << separator << part.part << ": Object.freeze([" << (part.choosing ? "true" : "false")
            << ", " << (part.answering ? "true" : "false") << ", "
            << (part.finished ? "true" : "false") << "])";
        separator = ", ";
    }
    out << " });\n";
    writeCodes<PracticeStage>(out, "PracticeStage",
        {{"Choosing", PracticeStage::Choosing}, {"Answering", PracticeStage::Answering},
            {"Finished", PracticeStage::Finished}});
    writeCodes<PracticeInput>(out, "PracticeInput",
        {{"Unit", PracticeInput::Unit}, {"Level", PracticeInput::Level},
            {"Count", PracticeInput::Count}, {"Code", PracticeInput::Code},
            {"KeptRecord", PracticeInput::KeptRecord}, {"AnswerLine", PracticeInput::AnswerLine}});
    writeObject(out, "TagCaption", TagCaptions, [](const TagCaption &tag) {
        return std::pair {"'" + std::string(tag.tag) + "'", tag.caption};
    });
    const PracticeTexts &text = PracticeText;
    const std::array<std::pair<std::string_view, std::string_view>, 15> texts {
        {{"noRecord", text.noRecord}, {"clearQuestion", text.clearQuestion},
            {"streakSpoken", text.streakSpoken}, {"streakDone", StreakDone},
            {"streakToGo", StreakToGo}, {"mastered", MasteredMark}, {"tagColumn", RecordColumns[0]},
            {"streakColumn", RecordColumns[1]}, {"boxTitle", PracticeTitle},
            {"storageRefused", practice::StorageRefused},
            {"recordNotSaved", practice::RecordNotSaved},
            {"recordUnreadKept", practice::RecordUnreadKept},
            {"lastCaption", practiceControl("NextProblem").lastCaption}, {"copied", text.copied},
            {"copyFailed", text.copyFailed}}};
    writeObject(out, "PracticeText", texts, [](const auto &entry) { return entry; });
    out << "export const InARow = " << practice::Record::InARow << ";\n";
    // The worksheet: each unit's problems a page, and the words of its header.
    out << "export const SheetProblemsAPage = Object.freeze({";
    separator = " ";
    for (const practice::UnitInfo &unit : practice::units()) {
        out << separator << "'" << unit.id
            << "': " << practice::sheetLayout(unit.unit).problemsAPage;
        separator = ", ";
    }
    out << " });\n";
    const practice::SheetWords &words = practice::sheetWords();
    const std::array<std::pair<std::string_view, std::string_view>, 9> sheetWords {
        {{"date", words.date}, {"classAndNumber", words.classAndNumber}, {"name", words.name},
            {"score", words.score}, {"outOf", words.outOf}, {"qrCaption", words.qrCaption},
            {"key", words.key}, {"working", words.working}, {"check", words.check}}};
    writeObject(out, "SheetWords", sheetWords, [](const auto &entry) { return entry; });
}

// A text as a JavaScript string literal: quotes, backslashes and line ends
// escaped.
std::string scriptString(std::string_view text)
{
    std::string literal = "'";
    for (const char c : text) {
        if (c == '\'' || c == '\\') {
            literal += '\\';
        }
        literal += c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    return literal + "'";
}

}  // namespace

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
    out << "export const FirstMethod = " << static_cast<int>(FirstMethod) << ";\n";
    writeCodes<VerdictCategory>(out, "VerdictCategory",
        {{"Correct", VerdictCategory::Correct}, {"Close", VerdictCategory::Close},
            {"Wrong", VerdictCategory::Wrong}, {"NoAnswer", VerdictCategory::NoAnswer},
            {"Unreadable", VerdictCategory::Unreadable}});
    writeWorkingCodes(out);
    out << "export const OpenPractice = '" << OpenPracticeButton.name << "';\n"
        << "export const PracticeAddress = '" << PracticeAddress << "';\n"
        << "export const SheetPlace = '" << SheetPlace << "';\n";
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

// What practice needs, beside codes.js, in a module of its own that comes
// with practice's script when practice is first opened (practice.js): its
// codes, and its markup, which the page puts in the working window's place.
void writePracticeModule(std::ostream &out)
{
    out << "// Written by generate_page: practice's codes and markup.\n\n";
    writePracticeCodes(out);
    std::ostringstream markup;
    writePracticePanel(markup);
    out << "export const PracticeMarkup = " << scriptString(markup.str()) << ";\n";
}

}  // namespace tobarin::web
