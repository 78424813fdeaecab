#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

#include "form/practice_words.h"
#include "form/working_definition.h"

// The desktop window 「練習」 as data. A pupil chooses a textbook unit, its
// level and how many problems, or opens a set by its code; answers the set one
// problem at a time, typing each answer as in the window 「途中式と答え合わせ」;
// is told a hint after a first miss and shown the working after a second; and
// sees the score at the end, and the record of what is mastered. Which
// controls there are, what they say, the order the keyboard visits them, where
// each stands and which of them each stage of practice shows are written here
// once.
namespace tobarin {

inline constexpr std::string_view PracticeWindowTitle = "練習";

enum class PracticeKind {
    Page,  // a part of the window, without a frame, shown in some stages only
    Group,  // a box of controls with a caption
    Label,  // a fixed text; it names the control after it for screen readers
    Choice,  // one of a list that drops down
    Number,  // a whole number, with arrows
    TextBox,
    CodeText,  // a text to read and copy, not to change
    Button,
    Status,  // a text that changes
    Problem,  // where the problem is drawn, stacked as in a textbook
    Working,  // where the working of a missed problem is drawn
    MissedList,  // the problems missed, each with its working
    RecordTable,  // the record of a unit, a row a tag
    // The group 自分の答え of the window 「途中式と答え合わせ」, its controls,
    // captions, tab order and grid taken from that window's definition.
    TypedAnswer,
};

struct PracticeControlDefinition {
    std::string_view name;  // the desktop's objectName
    PracticeKind kind;
    std::string_view container;  // a page's or group's name, or "" for the window itself
    std::string_view caption;  // of a button, label or group; an empty field's hint
    std::string_view accessibleName;  // what a screen reader calls the control
    std::string_view toolTip = {};
    std::string_view lastCaption = {};  // of 次の問題へ after the last problem
    Font font = Font::B;  // of the window's definition (form/definition.h)
};

// Containers come before their children. The controls that take the focus
// are in the order of the keyboard: choosing a set (the unit, level and count,
// then a code), the record; in a round the typed answer from its denominator,
// the working of a miss and the button that goes on; at the end what was
// missed and the two ways on; last the set's code.
// clang-format off
inline constexpr std::array<PracticeControlDefinition, 37> PracticeControls {{
//   name             kind                        container   caption                  accessible name
    {"Choosing",      PracticeKind::Page,         "",         "",                      "問題をえらぶ"},
    {"Choose",        PracticeKind::Group,        "Choosing", "問題をえらぶ",          "問題をえらぶ"},
    {"UnitLabel",     PracticeKind::Label,        "Choose",   "単元",                  "単元"},
    {"Unit",          PracticeKind::Choice,       "Choose",   "",                      "単元"},
    {"LevelLabel",    PracticeKind::Label,        "Choose",   "レベル",                "レベル"},
    {"Level",         PracticeKind::Choice,       "Choose",   "",                      "レベル",
        "3 は発展: 教科書より大きな数の問題です"},
    {"CountLabel",    PracticeKind::Label,        "Choose",   "問題の数",              "問題の数"},
    {"Count",         PracticeKind::Number,       "Choose",   "",                      "問題の数"},
    {"Start",         PracticeKind::Button,       "Choose",   "はじめる",              "練習をはじめる"},
    {"CodeLabel",     PracticeKind::Label,        "Choose",   "セットコード",          "セットコード"},
    {"CodeEntry",     PracticeKind::TextBox,      "Choose",   "p2:5-unlike:2:10:4821", "始めるセットのコード",
        "先生や友だちにもらったコードを入れると、同じ問題で練習できます"},
    {"StartCode",     PracticeKind::Button,       "Choose",   "コードで始める",        "セットコードの問題で始める"},
    {"CodeMessage",   PracticeKind::Status,       "Choose",   "",                      "セットコードについて"},
    {"Record",        PracticeKind::Group,        "Choosing", "記録",                  "記録"},
    {"RecordTable",   PracticeKind::RecordTable,  "Record",   "",                      "記録"},
    {"ClearRecord",   PracticeKind::Button,       "Record",   "記録を消す…",           "記録を消す"},
    {"Round",         PracticeKind::Page,         "",         "",                      "問題"},
    {"ProblemNumber", PracticeKind::Status,       "Round",    "",                      "問題の番号",
        {}, {}, Font::C},
    {"Problem",       PracticeKind::Problem,      "Round",    "",                      "問題"},
    {"Progress",      PracticeKind::Status,       "Round",    "",                      "何問目"},
    {"FormWanted",    PracticeKind::Status,       "Round",    "",                      "答えの形"},
    {"TypedAnswer",   PracticeKind::TypedAnswer,  "Round",    "",                      ""},
    {"Working",       PracticeKind::Working,      "Round",    "",                      "途中式"},
    {"NextProblem",   PracticeKind::Button,       "Round",    "次の問題へ",            "次の問題へ",
        {}, "結果を見る"},
    {"Result",        PracticeKind::Page,         "",         "",                      "結果"},
    {"Score",         PracticeKind::Status,       "Result",   "",                      "点数",
        {}, {}, Font::D},
    {"Time",          PracticeKind::Status,       "Result",   "",                      "かかった時間"},
    {"MissedHeading", PracticeKind::Status,       "Result",   "",                      "まちがえた問題"},
    {"MissedList",    PracticeKind::MissedList,   "Result",   "",                      "まちがえた問題と途中式"},
    {"Again",         PracticeKind::Button,       "Result",   "同じ問題をもう一度",    "同じ問題をもう一度"},
    {"ChooseAgain",   PracticeKind::Button,       "Result",   "ほかの問題をえらぶ",    "ほかの問題をえらぶ"},
    {"Set",           PracticeKind::Group,        "",         "セット",                "セット"},
    {"SetTitle",      PracticeKind::Status,       "Set",      "",                      "単元とレベル"},
    {"SetCodeLabel",  PracticeKind::Label,        "Set",      "セットコード",          "セットコード"},
    {"SetCode",       PracticeKind::CodeText,     "Set",      "",                      "このセットのコード",
        "このコードを入れると、ほかの人も同じ問題で練習できます"},
    {"PrintSheet",    PracticeKind::Button,       "Set",      "印刷…",                 "プリントを印刷"},
    {"SaveSheet",     PracticeKind::Button,       "Set",      "PDFに保存…",            "プリントをPDFに保存"},
}};
// clang-format on

[[nodiscard]] constexpr bool takesFocus(PracticeKind kind) noexcept
{
    return kind != PracticeKind::Page && kind != PracticeKind::Group && kind != PracticeKind::Label
        && kind != PracticeKind::Status && kind != PracticeKind::Problem;
}

// The row of a control of the window 「練習」; a name that is not one does not
// compile where the row is looked up in a constant expression.
[[nodiscard]] constexpr const PracticeControlDefinition &practiceControl(std::string_view name)
{
    return namedRow(PracticeControls, name, "no such control of the practice window");
}

// The stages of practice, and the pages each shows: choosing a set; answering
// its problems; the score at the end. The set's group stays from the start of
// a round to its end, so that its code can be given to others.
enum class PracticeStage { Choosing, Answering, Finished };

struct PracticePage {
    std::string_view page;  // a page or group of the window itself
    bool choosing;
    bool answering;
    bool finished;
};
inline constexpr std::array<PracticePage, 4> PracticePages {{
    {"Choosing", true, false, false},
    {"Set", false, true, true},
    {"Round", false, true, false},
    {"Result", false, false, true},
}};

[[nodiscard]] constexpr bool shownIn(const PracticePage &page, PracticeStage stage) noexcept
{
    switch (stage) {
    case PracticeStage::Choosing:
        return page.choosing;
    case PracticeStage::Answering:
        return page.answering;
    case PracticeStage::Finished:
        break;
    }
    return page.finished;
}

// Where the controls stand, in the grids of the window 「途中式と答え合わせ」
// (Cell, Grid). The window stands its pages one below another; each stage
// shows some of them. Choosing: the unit across, the level and the count
// below it, the start under the count; a code and its button below that, and
// what is wrong with a code under it all. The record's table over its button.
// A round: the problem's number, the problem and how far the round has come
// in a row; the form wanted, the typed answer, the working of a miss, and the
// button that goes on at the right. The end: the score, the time, what was
// missed and its working, the two ways on at the right. The set: its title
// across, its code below with the buttons that print the set as a worksheet
// and save it as a PDF file to its right.
// clang-format off
inline constexpr std::array<Cell, 4> PracticeWindowCells {{
    {"Choosing", 0, 0},
    {"Set",      1, 0},
    {"Round",    2, 0},
    {"Result",   3, 0},
}};
inline constexpr std::array<Cell, 2> ChoosingCells {{
    {"Choose", 0, 0},
    {"Record", 1, 0},
}};
inline constexpr std::array<Cell, 11> ChooseCells {{
    {"UnitLabel",   0, 0},
    {"Unit",        0, 1, 1, 3},
    {"LevelLabel",  1, 0},
    {"Level",       1, 1},
    {"CountLabel",  1, 2},
    {"Count",       1, 3},
    {"Start",       2, 3},
    {"CodeLabel",   3, 0},
    {"CodeEntry",   3, 1, 1, 2},
    {"StartCode",   3, 3},
    {"CodeMessage", 4, 0, 1, 4},
}};
inline constexpr std::array<Cell, 2> RecordCells {{
    {"RecordTable", 0, 0, 1, 2},
    {"ClearRecord", 1, 1},
}};
inline constexpr std::array<Cell, 7> RoundCells {{
    {"ProblemNumber", 0, 0, 1, 1, CellAlign::Middle},
    {"Problem",       0, 1},
    {"Progress",      0, 2, 1, 1, CellAlign::Middle},
    {"FormWanted",    1, 0, 1, 3},
    {"TypedAnswer",   2, 0, 1, 3},
    {"Working",       3, 0, 1, 3},
    {"NextProblem",   4, 2},
}};
inline constexpr std::array<Cell, 6> ResultCells {{
    {"Score",         0, 0, 1, 3},
    {"Time",          1, 0, 1, 3},
    {"MissedHeading", 2, 0, 1, 3},
    {"MissedList",    3, 0, 1, 3},
    {"Again",         4, 1},
    {"ChooseAgain",   4, 2},
}};
inline constexpr std::array<Cell, 5> SetCells {{
    {"SetTitle",     0, 0, 1, 5},
    {"SetCodeLabel", 1, 0, 1, 1, CellAlign::Middle},
    {"SetCode",      1, 1},
    {"PrintSheet",   1, 3},
    {"SaveSheet",    1, 4},
}};
// clang-format on

inline constexpr Grid PracticeWindowGrid {"", PracticeWindowCells, -1, 0};
inline constexpr std::array<Grid, 6> PracticeGrids {{
    {"Choosing", ChoosingCells, 1, 0},
    {"Choose", ChooseCells, -1, 1},
    {"Record", RecordCells, 0, 0},
    {"Round", RoundCells, 3, 1},
    {"Result", ResultCells, 3, 0},
    {"Set", SetCells, -1, 2},
}};

[[nodiscard]] constexpr const Grid &practiceGrid(std::string_view container)
{
    const auto *grid = std::find_if(PracticeGrids.begin(), PracticeGrids.end(),
        [container](const Grid &g) { return g.container == container; });
    if (grid == PracticeGrids.end()) {
        throw "a container of the practice window without a grid";
    }
    return *grid;
}

// Every control has exactly one cell, in its container's grid, and every cell
// is a control's; every page of a stage is a container of the window itself.
consteval bool eachPracticeControlHasOneCell()
{
    const auto gridOf = [](std::string_view container) -> const Grid & {
        return container.empty() ? PracticeWindowGrid : practiceGrid(container);
    };
    std::size_t cells = PracticeWindowGrid.cells.size();
    for (const Grid &grid : PracticeGrids) {
        cells += grid.cells.size();
        const PracticeKind kind = practiceControl(grid.container).kind;
        if (kind != PracticeKind::Page && kind != PracticeKind::Group) {
            throw "a grid of a control that holds none";
        }
    }
    for (const PracticeControlDefinition &row : PracticeControls) {
        const Grid &grid = gridOf(row.container);
        if (std::count_if(grid.cells.begin(), grid.cells.end(),
                [&row](const Cell &c) { return c.control == row.name; })
            != 1) {
            return false;
        }
    }
    for (const PracticePage &page : PracticePages) {
        if (!practiceControl(page.page).container.empty()) {
            return false;
        }
    }
    return cells == PracticeControls.size();
}
static_assert(eachPracticeControlHasOneCell());
static_assert(workingControl(practiceControl("TypedAnswer").name).kind == WorkingKind::Group);

// The desktop window 「途中式と答え合わせ」 opens practice with a button of its
// own below its typed answer, at the right. The page has practice in its panel
// instead, so the button is not among that window's controls for both.
inline constexpr WorkingControlDefinition WorkingPracticeButton {"OpenPractice",
    WorkingKind::Button, "", "練習…", "練習", Align::Left, {}, "教科書の単元ごとに練習します (F3)"};
inline constexpr Cell WorkingPracticeCell {"OpenPractice", 4, 2};

// What the window says.
struct PracticeTexts {
    std::string_view unreadableCode;  // before the reader's own words, which follow on a line
    std::string_view setTitle;  // %1 the unit's title, %2 its level's caption
    std::string_view progress;  // %1 the problem's number, %2 the set's size
    std::string_view problemNumber;  // %1 the problem's number
    std::string_view nextProblem;  // told after a right answer: %1 the problem's number
    std::string_view time;  // %1 the time taken
    std::string_view minutesSeconds;  // %1 minutes, %2 seconds
    std::string_view seconds;  // %1 seconds
    std::string_view missed;  // the heading of the problems missed
    std::string_view noneMissed;
    std::string_view clearQuestion;
    std::string_view clearYes;
    std::string_view clearNo;
    std::string_view recordOf;  // the table's accessible name: %1 the unit's title
    std::string_view streakSpoken;  // the marks as a screen reader says them: %1 the streak
    std::string_view saveTitle;  // the file dialog's title
    std::string_view pdfFiles;  // the file dialog's filter
    std::string_view saveFailed;  // before what went wrong, on a line of its own
    std::string_view printFailed;
};
inline constexpr PracticeTexts PracticeText {
    "セットコードが読めません。p2:単元:レベル:問題の数:番号 の形で書きます。",
    "%1　%2",
    "%1 / %2",
    "(%1)",
    "次は (%1)",
    "かかった時間: %1",
    "%1分%2秒",
    "%1秒",
    "まちがえた問題",
    "まちがえた問題はありません。",
    "すべての単元の練習の記録を消します。よろしいですか？",
    "消す",
    "消さない",
    "記録: %1",
    "続けて正解 %1回",
    "プリントをPDFに保存",
    "PDF (*.pdf)",
    "プリントを保存できませんでした。",
    "プリントを印刷できませんでした。",
};

}  // namespace tobarin
