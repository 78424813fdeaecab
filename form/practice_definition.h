#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

#include "form/practice_words.h"
#include "form/working_definition.h"

// Practice (練習) as data: on the desktop a window of its own, on the page a
// part that takes the place of the window 「途中式と答え合わせ」 beside the
// calculator (opened from that window and by the page's address,
// #practice=CODE). Both are built from the data below. A pupil chooses a
// textbook unit, its level and how many problems, or opens a set by its code;
// answers the set one problem at a time, typing each answer as in the window
// 「途中式と答え合わせ」; is told a hint after a first miss and shown the
// working after a second; sees the score, the time and what was missed at
// the end; and keeps a record of what is mastered. The set prints as a
// worksheet. Which controls there are, what they say, the order the keyboard
// visits them, which of them each stage shows, where each stands on the
// desktop and the worksheet's layout are written here once; what practice
// tells the pupil as it goes (the prompts, verdicts, time and score) is the
// engine's (engine/practice/round.h).
namespace tobarin {

// The desktop window's title, the page's heading, and the title of the
// message boxes practice shows.
inline constexpr std::string_view PracticeTitle = "練習";

enum class PracticeKind {
    Part,  // a part of practice, without a frame, shown in some stages only
    Group,  // a box of controls with a caption
    Choice,  // one of a list; its caption names it beside it
    Number,  // a whole number; its caption names it beside it
    TextBox,  // its caption is the hint an empty field shows
    Button,
    Status,  // a text that changes, told to screen readers as it does
    Message,  // what is wrong with a code, told at once
    // A code, the set's or the result's, to read and copy; its caption names
    // it beside it.
    Code,
    // The pupil's 出席番号, 1 to MostNumber or none, asked once and kept; its
    // caption names it beside it.
    PupilNumber,
    QrCode,  // the QR code of the result code, to show to the teacher's camera
    // How far the set has come: the desktop says "2 / 10"; the page lists the
    // set's problems in order, one number each, the current one marked.
    Progress,
    Problem,  // where the problem is drawn, stacked as in a textbook
    Working,  // where the working of a missed problem is drawn
    MissedList,  // the problems missed, each with its working
    Record,  // the record of what is mastered, a row a tag
    // The group 自分の答え of the window 「途中式と答え合わせ」: its controls,
    // captions, tab order and grid are that window's (form/working_definition.h).
    TypedAnswer,
};

// Which front-ends have a control: most are on both.
enum class Front { Both, Desktop, Page };

struct PracticeControlDefinition {
    std::string_view name;  // the desktop's objectName, the page's data-practice
    PracticeKind kind;
    std::string_view container;  // a part's or group's name, or "" for practice itself
    std::string_view caption;  // of a button, group or field
    std::string_view accessibleName;  // what a screen reader calls the control
    std::string_view toolTip = {};
    std::string_view lastCaption = {};  // of 次の問題へ after the last problem
    Front front = Front::Both;
    Font font = Font::B;  // the desktop's, of the window's definition (form/definition.h)
};

// Containers come before their children, and the controls are in the order of
// the keyboard: back to the window 「途中式と答え合わせ」 (on the page, where
// practice takes its place); choosing a set (the 出席番号, the unit, level
// and count, then a code), the record; the set's title, its code, its
// printing (the pupils' sheet, and apart from it its answer key) and how far it has come; in a
// round the typed answer from its denominator, as in the calculator, the working of a miss and the
// button that goes on; at the end the score, the time, the result code with its copy button and QR
// code, what was missed and the two ways on.
// clang-format off
inline constexpr std::array<PracticeControlDefinition, 42> PracticeControls {{
//   name             kind                      container   caption                  accessible name
    {"Back",          PracticeKind::Button,     "",         "途中式と答え合わせ",    "途中式と答え合わせにもどる",
        {}, {}, Front::Page},
    {"Choosing",      PracticeKind::Part,       "",         "",                      "問題をえらぶ"},
    {"PupilNumber",   PracticeKind::PupilNumber, "Choosing", "出席番号",             "出席番号",
        "先生に言われたら、出席番号を入れます。入れなくてもかまいません"},
    {"Choose",        PracticeKind::Group,      "Choosing", "問題をえらぶ",          "問題をえらぶ"},
    {"Unit",          PracticeKind::Choice,     "Choose",   "単元",                  "単元"},
    {"Level",         PracticeKind::Choice,     "Choose",   "レベル",                "レベル",
        "3 は発展: 教科書より大きな数の問題です"},
    {"Count",         PracticeKind::Number,     "Choose",   "問題の数",              "問題の数"},
    {"Start",         PracticeKind::Button,     "Choose",   "はじめる",              "練習をはじめる"},
    {"OpenCode",      PracticeKind::Group,      "Choosing", "セットコードで始める",  "セットコードで始める"},
    {"CodeEntry",     PracticeKind::TextBox,    "OpenCode", "p2:5-unlike:2:10:4821", "始めるセットのコード",
        "先生や友だちにもらったコードを入れると、同じ問題で練習できます"},
    {"StartCode",     PracticeKind::Button,     "OpenCode", "コードで始める",        "セットコードの問題で始める"},
    {"CodeMessage",   PracticeKind::Message,    "Choosing", "",                      "セットコードについて"},
    {"Record",        PracticeKind::Group,      "Choosing", "記録",                  "記録"},
    {"RecordTables",  PracticeKind::Record,     "Record",   "",                      "単元ごとの記録"},
    {"ClearRecord",   PracticeKind::Button,     "Record",   "記録を消す…",           "記録を消す"},
    {"ClassResults",  PracticeKind::Button,     "Choosing", "クラスの結果",          "クラスの結果",
        "児童の結果コードを読んで、セットごとの表にします", {}, Front::Desktop},
    {"Set",           PracticeKind::Part,       "",         "",                      "セット"},
    {"SetTitle",      PracticeKind::Status,     "Set",      "",                      "単元とレベル"},
    {"SetCode",       PracticeKind::Code,       "Set",      "セットコード",          "このセットのコード",
        "このコードを入れると、ほかの人も同じ問題で練習できます"},
    {"PrintSheet",    PracticeKind::Button,     "Set",      "印刷…",                 "プリントを印刷",
        "このセットをプリントにして印刷します"},
    {"SaveSheet",     PracticeKind::Button,     "Set",      "PDFに保存…",            "プリントをPDFに保存",
        {}, {}, Front::Desktop},
    {"PrintKey",      PracticeKind::Button,     "Set",      "解答を印刷…",           "解答を印刷",
        "このセットのプリントの解答を、プリントとは別に印刷します"},
    {"SaveKey",       PracticeKind::Button,     "Set",      "解答をPDFに保存…",      "解答をPDFに保存",
        {}, {}, Front::Desktop},
    {"Progress",      PracticeKind::Progress,   "Set",      "",                      "セットの問題"},
    {"Round",         PracticeKind::Part,       "",         "",                      "問題"},
    {"ProblemNumber", PracticeKind::Status,     "Round",    "",                      "問題の番号",
        {}, {}, Front::Both, Font::C},
    {"Problem",       PracticeKind::Problem,    "Round",    "",                      "問題"},
    {"FormWanted",    PracticeKind::Status,     "Round",    "",                      "答えの形"},
    {"TypedAnswer",   PracticeKind::TypedAnswer, "Round",   "",                      ""},
    {"Working",       PracticeKind::Working,    "Round",    "",                      "途中式"},
    {"NextProblem",   PracticeKind::Button,     "Round",    "次の問題へ",            "次の問題へ",
        {}, "結果を見る"},
    {"Result",        PracticeKind::Part,       "",         "",                      "結果"},
    {"Score",         PracticeKind::Status,     "Result",   "",                      "点数",
        {}, {}, Front::Both, Font::D},
    {"Time",          PracticeKind::Status,     "Result",   "",                      "かかった時間"},
    {"ResultCode",    PracticeKind::Code,       "Result",   "結果コード",            "結果コード",
        "先生にわたすコードです。コピーするか、QRコードを見せます"},
    {"CopyResult",    PracticeKind::Button,     "Result",   "コピー",                "結果コードをコピー"},
    {"Copied",        PracticeKind::Status,     "Result",   "",                      "コピーできたか"},
    {"ResultQr",      PracticeKind::QrCode,     "Result",   "",                      "結果コードのQRコード"},
    {"MissedHeading", PracticeKind::Status,     "Result",   "",                      "まちがえた問題"},
    {"Missed",        PracticeKind::MissedList, "Result",   "",                      "まちがえた問題と途中式"},
    {"Again",         PracticeKind::Button,     "Result",   "同じ問題をもう一度",    "同じ問題をもう一度"},
    {"ChooseAgain",   PracticeKind::Button,     "Result",   "ほかの問題をえらぶ",    "ほかの問題をえらぶ"},
}};
// clang-format on

[[nodiscard]] constexpr bool onDesktop(const PracticeControlDefinition &row) noexcept
{
    return row.front != Front::Page;
}
[[nodiscard]] constexpr bool onPage(const PracticeControlDefinition &row) noexcept
{
    return row.front != Front::Desktop;
}

[[nodiscard]] constexpr bool takesFocus(PracticeKind kind) noexcept
{
    return kind != PracticeKind::Part && kind != PracticeKind::Group && kind != PracticeKind::Status
        && kind != PracticeKind::Message && kind != PracticeKind::Progress
        && kind != PracticeKind::Problem && kind != PracticeKind::QrCode;
}

// A choice, a number and the set's code are named by their caption beside
// them: on the page in the same label, on the desktop in a label of its own
// before them, named after the control with "Label" after it ("UnitLabel"),
// which has a cell of its own in the desktop's grids.
[[nodiscard]] constexpr bool captionedBeside(const PracticeControlDefinition &row) noexcept
{
    return !row.caption.empty()
        && (row.kind == PracticeKind::Choice || row.kind == PracticeKind::Number
            || row.kind == PracticeKind::Code || row.kind == PracticeKind::PupilNumber);
}
inline constexpr std::string_view LabelSuffix = "Label";
[[nodiscard]] constexpr bool isLabelOf(std::string_view label, std::string_view control) noexcept
{
    return label.size() == control.size() + LabelSuffix.size() && label.starts_with(control)
        && label.ends_with(LabelSuffix);
}

// The row of a practice control; a name that is not one does not compile
// where the row is looked up in a constant expression.
[[nodiscard]] constexpr const PracticeControlDefinition &practiceControl(std::string_view name)
{
    return namedRow(PracticeControls, name, "no such practice control");
}

// The stages of practice, and the parts each shows: choosing a set; answering
// its problems; the score at the end. The set's part stays from the start of
// a round to its end, so that its code can be given to others and the set
// printed.
enum class PracticeStage { Choosing, Answering, Finished };

struct PracticePart {
    std::string_view part;  // a part of practice itself
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

[[nodiscard]] constexpr bool shownIn(const PracticePart &part, PracticeStage stage) noexcept
{
    switch (stage) {
    case PracticeStage::Choosing:
        return part.choosing;
    case PracticeStage::Answering:
        return part.answering;
    case PracticeStage::Finished:
        break;
    }
    return part.finished;
}

// Where the controls stand on the desktop, in the grids of the window
// 「途中式と答え合わせ」 (Cell, Grid); the page stands them one after another
// in their order, as its styles arrange them. The window stands its parts one
// below another; each stage shows some of them. Choosing: the 出席番号 at the
// top, then the unit across, the level and the count below it, the start
// under the count; a code and its button in a box below; what is wrong with a code under it; the
// record's table over its button; below them the button that opens the class's results (the
// desktop's window 「クラスの結果」). The set: its title across, its code below with how far the
// set has come, and the buttons that print the set as a worksheet and save it as a PDF file to the
// right, those of its answer key under them. A round: the problem's number and the problem in a
// row; the form wanted, the typed answer, the working of a miss, and the button that goes on at the
// right. The end: the score, the time, the result code with コピー beside it and what the copy did
// below, its QR code at the right of them; what was missed and its working, the two ways on at the
// right.
// clang-format off
inline constexpr std::array<Cell, 4> PracticeWindowCells {{
    {"Choosing", 0, 0},
    {"Set",      1, 0},
    {"Round",    2, 0},
    {"Result",   3, 0},
}};
inline constexpr std::array<Cell, 7> ChoosingCells {{
    {"PupilNumberLabel", 0, 0, 1, 1, CellAlign::Middle},
    {"PupilNumber",      0, 1},
    {"Choose",           1, 0, 1, 3},
    {"OpenCode",         2, 0, 1, 3},
    {"CodeMessage",      3, 0, 1, 3},
    {"Record",           4, 0, 1, 3},
    {"ClassResults",     5, 0, 1, 3},
}};
inline constexpr std::array<Cell, 7> ChooseCells {{
    {"UnitLabel",  0, 0},
    {"Unit",       0, 1, 1, 3},
    {"LevelLabel", 1, 0},
    {"Level",      1, 1},
    {"CountLabel", 1, 2},
    {"Count",      1, 3},
    {"Start",      2, 3},
}};
inline constexpr std::array<Cell, 2> OpenCodeCells {{
    {"CodeEntry", 0, 0},
    {"StartCode", 0, 1},
}};
inline constexpr std::array<Cell, 2> RecordCells {{
    {"RecordTables", 0, 0, 1, 2},
    {"ClearRecord",  1, 1},
}};
inline constexpr std::array<Cell, 8> SetCells {{
    {"SetTitle",     0, 0, 1, 5},
    {"SetCodeLabel", 1, 0, 1, 1, CellAlign::Middle},
    {"SetCode",      1, 1},
    {"Progress",     1, 2, 1, 1, CellAlign::Middle},
    {"PrintSheet",   1, 3},
    {"SaveSheet",    1, 4},
    {"PrintKey",     2, 3},
    {"SaveKey",      2, 4},
}};
inline constexpr std::array<Cell, 6> RoundCells {{
    {"ProblemNumber", 0, 0, 1, 1, CellAlign::Middle},
    {"Problem",       0, 1, 1, 2},
    {"FormWanted",    1, 0, 1, 3},
    {"TypedAnswer",   2, 0, 1, 3},
    {"Working",       3, 0, 1, 3},
    {"NextProblem",   4, 2},
}};
inline constexpr std::array<Cell, 11> ResultCells {{
    {"Score",           0, 0, 1, 4},
    {"Time",            1, 0, 1, 4},
    {"ResultCodeLabel", 2, 0, 1, 1, CellAlign::Middle},
    {"ResultCode",      2, 1},
    {"CopyResult",      2, 2},
    {"Copied",          3, 0, 1, 4},
    {"ResultQr",        0, 4, 4, 2},
    {"MissedHeading",   4, 0, 1, 6},
    {"Missed",          5, 0, 1, 6},
    {"Again",           6, 4},
    {"ChooseAgain",     6, 5},
}};
// clang-format on

inline constexpr Grid PracticeWindowGrid {"", PracticeWindowCells, -1, 0};
inline constexpr std::array<Grid, 7> PracticeGrids {{
    {"Choosing", ChoosingCells, 4, 2},
    {"Choose", ChooseCells, -1, 1},
    {"OpenCode", OpenCodeCells, -1, 0},
    {"Record", RecordCells, 0, 0},
    {"Set", SetCells, -1, 2},
    {"Round", RoundCells, 3, 1},
    {"Result", ResultCells, 5, 3},
}};

[[nodiscard]] constexpr const Grid &practiceGrid(std::string_view container)
{
    const auto *grid = std::find_if(PracticeGrids.begin(), PracticeGrids.end(),
        [container](const Grid &g) { return g.container == container; });
    if (grid == PracticeGrids.end()) {
        throw "a container of practice without a grid";
    }
    return *grid;
}

// On the desktop every control has exactly one cell, in its container's grid,
// and so has the label of each captioned beside it; every cell is one of
// these; a control of the page alone has none. Every part of a stage is a
// part of practice itself.
consteval bool eachPracticeControlHasOneCell()
{
    const auto gridOf = [](std::string_view container) -> const Grid & {
        return container.empty() ? PracticeWindowGrid : practiceGrid(container);
    };
    const auto cellsOf = [](const Grid &grid, auto named) {
        return std::count_if(grid.cells.begin(), grid.cells.end(), named);
    };
    std::size_t cells = PracticeWindowGrid.cells.size();
    for (const Grid &grid : PracticeGrids) {
        cells += grid.cells.size();
        const PracticeKind kind = practiceControl(grid.container).kind;
        if (kind != PracticeKind::Part && kind != PracticeKind::Group) {
            throw "a grid of a control that holds none";
        }
    }
    std::size_t placed = 0;
    for (const PracticeControlDefinition &row : PracticeControls) {
        const Grid &grid = gridOf(row.container);
        const auto own = cellsOf(grid, [&row](const Cell &c) { return c.control == row.name; });
        const auto label
            = cellsOf(grid, [&row](const Cell &c) { return isLabelOf(c.control, row.name); });
        if (own != (onDesktop(row) ? 1 : 0)
            || label != (onDesktop(row) && captionedBeside(row) ? 1 : 0)) {
            return false;
        }
        placed += static_cast<std::size_t>(own + label);
    }
    for (const PracticePart &part : PracticeParts) {
        if (practiceControl(part.part).kind != PracticeKind::Part
            || !practiceControl(part.part).container.empty()) {
            return false;
        }
    }
    return cells == placed;
}
static_assert(eachPracticeControlHasOneCell());
static_assert(workingControl(practiceControl("TypedAnswer").name).kind == WorkingKind::Group);

// A problem whose answer the fraction fields cannot hold (通分's fractions, a
// decimal) is answered on one line, which stands in the group 自分の答え in
// the place of the sign box, the integer part and the fraction, while those
// are hidden; the hint its empty field shows is the problem's.
inline constexpr WorkingControlDefinition PracticeAnswerLine {
    "AnswerLine", WorkingKind::TextBox, "TypedAnswer", "", "自分の答え"};
inline constexpr Cell PracticeAnswerLineCell {"AnswerLine", 0, 0, 3, 3, CellAlign::Middle};
// The line is wide enough for two fractions of three digits, and narrow
// enough to stand beside 答え合わせ on a phone; a longer answer scrolls in it.
inline constexpr std::string_view AnswerLineRoom = "000/000、000/000";
inline constexpr std::array<std::string_view, 5> FieldsBesideAnswerLine {
    "AnswerNegative", "AnswerWhole", "AnswerNumerator", "AnswerBar", "AnswerDenominator"};
static_assert(std::all_of(
    FieldsBesideAnswerLine.begin(), FieldsBesideAnswerLine.end(), [](std::string_view name) {
        const Cell *cell = std::find_if(TypedAnswerCells.begin(), TypedAnswerCells.end(),
            [name](const Cell &c) { return c.control == name; });
        return workingControl(name).container == PracticeAnswerLine.container
            && cell != TypedAnswerCells.end()
            && cell->column + cell->columnSpan <= PracticeAnswerLineCell.columnSpan
            && cell->row + cell->rowSpan <= PracticeAnswerLineCell.rowSpan;
    }));

// The button of the window 「途中式と答え合わせ」 that opens practice. On the
// desktop it opens the window 「練習」 and stands below the typed answer, at
// the right; F3 opens it too. On the page practice takes that window's place.
inline constexpr WorkingControlDefinition WorkingPracticeButton {"OpenPractice",
    WorkingKind::Button, "", "練習…", "練習", Align::Left, {}, "教科書の単元ごとに練習します (F3)"};
inline constexpr Cell WorkingPracticeCell {"OpenPractice", 5, 2};
inline constexpr WorkingControlDefinition OpenPracticeButton {"OpenPractice", WorkingKind::Button,
    "", "練習", "練習する", Align::Left, {}, "教科書の単元ごとに練習します"};

// What the page's address holds to open a set: #practice=CODE.
inline constexpr std::string_view PracticeAddress = "#practice=";

// What practice's own controls and questions say; %1 stands for what the
// comment names.
struct PracticeTexts {
    std::string_view clearQuestion;  // before the record is cleared
    std::string_view clearYes;  // the desktop's buttons of that question
    std::string_view clearNo;
    std::string_view recordOf;  // the desktop's table, for screen readers: %1 the unit's title
    std::string_view noRecord;  // the page's record, before any unit is practised
    std::string_view streakSpoken;  // the marks as a screen reader says them: %1 the streak
    std::string_view saveTitle;  // the desktop's file dialog's title
    std::string_view saveKeyTitle;  // and its title for the answer key
    std::string_view keyFileSuffix;  // after the set's code in the key's file name
    std::string_view pdfFiles;  // and its filter
    std::string_view saveFailed;  // before what went wrong, on a line of its own
    std::string_view printFailed;  // likewise
    std::string_view printModuleMissing;  // %1 the path of the print dialog's module
    std::string_view noNumber;  // the desktop's 出席番号 when none is given
    std::string_view copied;  // after コピー put the result code on the clipboard
    // When it could not: the code is selected instead, for the pupil to copy.
    std::string_view copyFailed;
};
inline constexpr PracticeTexts PracticeText {
    "すべての単元の練習の記録を消します。よろしいですか？",
    "消す",
    "消さない",
    "記録: %1",
    "まだ記録はありません。",
    "続けて正解 %1回",
    "プリントをPDFに保存",
    "解答をPDFに保存",
    "-解答",
    "PDF (*.pdf)",
    "プリントを保存できませんでした。",
    "プリントを印刷できませんでした。",
    "印刷に使う部品「%1」を読みこめません。",
    "なし",
    "コピーしました。",
    "コピーできませんでした。選んであるコードを、自分でコピーしてください。",
};

// The element the worksheet (or its answer key) is drawn in to print (its
// data-practice), after the page's main part. Its layout and words are the
// engine's (engine/practice/sheet.h), which the desktop's sheet follows too.
inline constexpr std::string_view SheetPlace = "Sheet";

}  // namespace tobarin
