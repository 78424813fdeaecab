#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

#include "form/practice_words.h"
#include "form/working_definition.h"

// The page's practice (練習) as data: a part of the page that takes the place
// of the window 「途中式と答え合わせ」 beside the calculator, opened from that
// window and by the page's address (#practice=CODE). A pupil chooses a
// textbook unit, its level and how many problems, or opens a set by its code;
// answers the set one problem at a time, typing each answer as in the window
// 「途中式と答え合わせ」; is told a hint after a first miss and shown the
// working after a second; sees the score, the time and what was missed at
// the end; and keeps a record of what is mastered. The set prints as a
// worksheet. Which controls there are, what they say, which of them each
// stage shows and the worksheet's layout are written here once.
namespace tobarin {

inline constexpr std::string_view PracticePanelTitle = "練習";

enum class PracticeKind {
    Part,  // a part of the panel shown in some stages only
    Group,  // a box of controls with a caption
    Choice,  // one of a list
    Number,  // a whole number
    TextBox,
    CheckBox,
    Line,  // the bar of the typed fraction
    Button,
    Status,  // a text that changes, told to screen readers as it does
    Message,  // a message that needs attention: what is wrong with a code
    Code,  // the set's code, to read and copy
    Progress,  // the set's problems in order, one number each
    Problem,  // where the problem is drawn, stacked as in a textbook
    Working,  // where the working of a missed problem is drawn
    MissedList,  // the problems missed, each with its working
    Record,  // the record of each unit practised, a table a unit
};

struct PracticeControlDefinition {
    std::string_view name;  // the page's data-practice
    PracticeKind kind;
    std::string_view container;  // a part's or group's name, or "" for the panel itself
    std::string_view caption;  // of a button, group or field; an empty text field's hint
    std::string_view accessibleName;  // what a screen reader calls the control
    std::string_view toolTip = {};
};

// Containers come before their children, and the controls are in the order of
// the keyboard: back to the window 「途中式と答え合わせ」; choosing a set (the
// unit, level and count, then a code), the record; the set's title, code and
// its printing, the problems in order; in a round the typed answer from its
// denominator, as in the calculator, the working of a miss and the button
// that goes on; at the end the score, what was missed and the ways on.
// clang-format off
inline constexpr std::array<PracticeControlDefinition, 40> PracticeControls {{
//   name                 kind                        container      caption                   accessible name
    {"Back",              PracticeKind::Button,       "",            "途中式と答え合わせ",     "途中式と答え合わせにもどる"},
    {"Choosing",          PracticeKind::Part,         "",            "",                       "問題をえらぶ"},
    {"Choose",            PracticeKind::Group,        "Choosing",    "問題をえらぶ",           "問題をえらぶ"},
    {"Unit",              PracticeKind::Choice,       "Choose",      "単元",                   "単元"},
    {"Level",             PracticeKind::Choice,       "Choose",      "レベル",                 "レベル",
        "3 は発展: 教科書より大きな数の問題です"},
    {"Count",             PracticeKind::Number,       "Choose",      "問題の数",               "問題の数"},
    {"Start",             PracticeKind::Button,       "Choose",      "はじめる",               "練習をはじめる"},
    {"OpenCode",          PracticeKind::Group,        "Choosing",    "セットコードで始める",   "セットコードで始める"},
    {"CodeEntry",         PracticeKind::TextBox,      "OpenCode",    "p2:5-unlike:2:10:4821",  "始めるセットのコード",
        "先生や友だちにもらったコードを入れると、同じ問題で練習できます"},
    {"StartCode",         PracticeKind::Button,       "OpenCode",    "コードで始める",         "セットコードの問題で始める"},
    {"CodeMessage",       PracticeKind::Message,      "Choosing",    "",                       "セットコードについて"},
    {"Record",            PracticeKind::Group,        "Choosing",    "記録",                   "記録"},
    {"RecordTables",      PracticeKind::Record,       "Record",      "",                       "単元ごとの記録"},
    {"ClearRecord",       PracticeKind::Button,       "Record",      "記録を消す",             "記録を消す"},
    {"Set",               PracticeKind::Part,         "",            "",                       "セット"},
    {"SetTitle",          PracticeKind::Status,       "Set",         "",                       "単元とレベル"},
    {"SetCode",           PracticeKind::Code,         "Set",         "セットコード",           "このセットのコード",
        "このコードを入れると、ほかの人も同じ問題で練習できます"},
    {"PrintSheet",        PracticeKind::Button,       "Set",         "印刷",                   "プリントを印刷",
        "このセットをプリントにして印刷します"},
    {"Progress",          PracticeKind::Progress,     "Set",         "",                       "セットの問題"},
    {"Round",             PracticeKind::Part,         "",            "",                       "問題"},
    {"ProblemNumber",     PracticeKind::Status,       "Round",       "",                       "問題の番号"},
    {"Problem",           PracticeKind::Problem,      "Round",       "",                       "問題"},
    {"FormWanted",        PracticeKind::Status,       "Round",       "",                       "答えの形"},
    {"TypedAnswer",       PracticeKind::Group,        "Round",       "答え",                   "答え"},
    {"AnswerDenominator", PracticeKind::TextBox,      "TypedAnswer", "分母",                   "答えの分母"},
    {"AnswerNumerator",   PracticeKind::TextBox,      "TypedAnswer", "分子",                   "答えの分子"},
    {"AnswerWhole",       PracticeKind::TextBox,      "TypedAnswer", "整数",                   "答えの整数部分"},
    {"AnswerNegative",    PracticeKind::CheckBox,     "TypedAnswer", "マイナス",               "答えをマイナスにする"},
    {"CheckAnswer",       PracticeKind::Button,       "TypedAnswer", "答え合わせ",             "答え合わせ"},
    {"AnswerBar",         PracticeKind::Line,         "TypedAnswer", "",                       "答えの分数の線"},
    {"Verdict",           PracticeKind::Status,       "TypedAnswer", "",                       "答え合わせの結果"},
    {"Working",           PracticeKind::Working,      "Round",       "",                       "途中式"},
    {"NextProblem",       PracticeKind::Button,       "Round",       "次の問題へ",             "次の問題へ"},
    {"Result",            PracticeKind::Part,         "",            "",                       "結果"},
    {"Score",             PracticeKind::Status,       "Result",      "",                       "点数"},
    {"Time",              PracticeKind::Status,       "Result",      "",                       "かかった時間"},
    {"MissedHeading",     PracticeKind::Status,       "Result",      "",                       "まちがえた問題"},
    {"Missed",            PracticeKind::MissedList,   "Result",      "",                       "まちがえた問題と途中式"},
    {"Again",             PracticeKind::Button,       "Result",      "同じ問題をもう一度",     "同じ問題をもう一度"},
    {"ChooseAgain",       PracticeKind::Button,       "Result",      "ほかの問題をえらぶ",     "ほかの問題をえらぶ"},
}};
// clang-format on

// The row of a practice control; a name that is not one does not compile
// where the row is looked up in a constant expression.
[[nodiscard]] constexpr const PracticeControlDefinition &practiceControl(std::string_view name)
{
    return namedRow(PracticeControls, name, "no such practice control");
}

// What the page's address holds to open a set: #practice=CODE.
inline constexpr std::string_view PracticeAddress = "#practice=";

// The button of the window 「途中式と答え合わせ」 that puts practice in its place.
inline constexpr WorkingControlDefinition OpenPracticeButton {"OpenPractice", WorkingKind::Button,
    "", "練習", "練習する", Align::Left, {}, "教科書の単元ごとに練習します"};

// The stages of practice, and the parts each shows: choosing a set; answering
// its problems; the score at the end. The set's part stays from the start of
// a round to its end, so that its code can be given to others and the set
// printed.
enum class PracticeStage { Choosing, Answering, Finished };

struct PracticePart {
    std::string_view part;  // a part of the panel itself
    bool choosing;
    bool answering;
    bool finished;
};
inline constexpr std::array<PracticePart, 4> PracticeParts {{
    {"Choosing", true, false, false},
    {"Set", false, true, true},
    {"Round", false, true, false},
    {"Result", false, false, true},
}};

// The typed answer stands as the window 「途中式と答え合わせ」 has it: the sign box
// and the integer part beside numerator over bar over denominator, then the
// button, and the verdict below: the same cells.
inline constexpr auto PracticeAnswerCells = TypedAnswerCells;
inline constexpr Grid PracticeAnswerGrid {"TypedAnswer", PracticeAnswerCells, -1, 4, 4, 10};

// Which typed answer field holds which part of the answer.
inline constexpr std::array<AnswerFieldControl, 3> PracticeAnswerFields {{
    {Field::Denominator, "AnswerDenominator"},
    {Field::Numerator, "AnswerNumerator"},
    {Field::Whole, "AnswerWhole"},
}};

consteval bool practiceTablesAgree()
{
    for (const PracticePart &part : PracticeParts) {
        if (practiceControl(part.part).kind != PracticeKind::Part
            || !practiceControl(part.part).container.empty()) {
            return false;
        }
    }
    for (const Cell &cell : PracticeAnswerCells) {
        if (practiceControl(cell.control).container != PracticeAnswerGrid.container) {
            return false;
        }
    }
    return std::all_of(
        PracticeAnswerFields.begin(), PracticeAnswerFields.end(), [](const AnswerFieldControl &c) {
            return practiceControl(c.control).kind == PracticeKind::TextBox;
        });
}
static_assert(practiceTablesAgree());

// What the panel says; %1 and %2 stand for what the comment names.
struct PracticeTexts {
    std::string_view refusedCode;  // before the reader's own words: %1 the code as given
    std::string_view codeShape;  // how a code is written
    std::string_view unitsHeading;  // before the list of units
    std::string_view setTitle;  // %1 the unit's title, %2 its level's caption
    std::string_view problemNumber;  // %1 the problem's number, %2 the set's size
    std::string_view tryAgain;  // after a first miss
    std::string_view lastProblem;  // 次の問題へ's caption after the last problem
    std::string_view time;  // %1 the time taken
    std::string_view minutesSeconds;  // %1 minutes, %2 seconds (two digits)
    std::string_view seconds;  // %1 seconds
    std::string_view noneMissed;
    std::string_view noRecord;
    std::string_view clearQuestion;
    std::string_view streakSpoken;  // the marks as a screen reader says them: %1 the streak
    std::string_view boxTitle;  // of the message boxes practice shows
    std::string_view storageRefused;  // why the record was not kept, after the engine's words
};
inline constexpr PracticeTexts PracticeText {
    "セットコード「%1」では始められません。",
    "セットコードは p2:単元:レベル:問題の数:番号 の形で書きます（例: p2:5-unlike:2:10:4821）。",
    "単元は次のとおりです。",
    "%1　%2",
    "(%1)　全%2問",
    "もう一度やってみましょう。",
    "結果を見る",
    "かかった時間: %1",
    "%1分%2秒",
    "%1秒",
    "まちがえた問題はありません。",
    "まだ記録はありません。",
    "すべての単元の練習の記録を消します。よろしいですか？",
    "続けて正解 %1回",
    "練習",
    "このブラウザーの保存場所がいっぱいか、使えないようになっています。",
};

// The worksheet that 印刷 prints: A4 upright, its margins, the problems in
// two columns numbered down the first column and then the second, so many on
// each page; the title, the name and score blanks and the set's QR code at
// the head of the first page, the set's code at the foot of each.
struct SheetLayout {
    int marginMillimetres;
    int problemsAPage;
    int columns;
    int qrMillimetres;  // the side of the QR code, with its quiet zone
    std::string_view name;  // the caption of the name's blank
    std::string_view score;  // of the score's blank
};
inline constexpr SheetLayout PracticeSheet {12, 20, 2, 24, "名前", "点数"};
// The element the worksheet is drawn in (its data-practice), after the page's
// main part.
inline constexpr std::string_view SheetPlace = "Sheet";

}  // namespace tobarin
