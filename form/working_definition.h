#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "form/definition.h"

// The window 「途中式と答え合わせ」 as data: on the desktop a window of its own
// beside the calculator, on the page a part of the page beside the window.
// Both are built from the data below: the working of the problem in the
// calculator's fields, and the check of an answer a pupil types for it. Which
// controls there are, what they say, the order the keyboard visits them, where
// each stands, how a verdict is coloured and what the working shows before it
// is asked for are written here once.
namespace tobarin {

inline constexpr std::string_view WorkingWindowTitle = "途中式と答え合わせ";

enum class WorkingKind {
    Group,  // a box of controls with a caption
    Working,  // where the working is drawn
    Button,
    ToggleButton,  // pressed or not, with a caption for each
    CheckBox,
    OptionButton,  // one of a group's, exactly one of which is selected
    TextBox,
    Line,  // the bar of the typed fraction
    Status,  // a text that changes, told to screen readers as it does
};

struct WorkingControlDefinition {
    std::string_view name;  // the desktop's objectName, the page's data-panel
    WorkingKind kind;
    std::string_view container;  // a group's name, or "" for the window itself
    std::string_view caption;  // of a button, check box or group; an empty field's hint
    std::string_view accessibleName;  // what a screen reader calls the control
    Align align = Align::Left;  // of a field's text
    std::string_view pressedCaption = {};  // of a toggle button while it is pressed
    std::string_view toolTip = {};
};

// Containers come before their children; the controls that take the focus
// are in the order of the keyboard: the working's, how its sums and
// differences are worked (kept between runs), then the typed answer from its
// denominator, as in the calculator, and round again. The typed answer's
// denominator has the focus first.
// clang-format off
inline constexpr std::array<WorkingControlDefinition, 14> WorkingControls {{
//   name                 kind                       container      caption         accessible name
    {"ShowWorking",       WorkingKind::ToggleButton, "",            "途中式を見る", "途中式を見る",             Align::Left, "途中式を隠す"},
    {"Working",           WorkingKind::Working,      "",            "",             "途中式"},
    {"CopyWorking",       WorkingKind::Button,       "",            "コピー",       "途中式をコピー",           Align::Left, {}, "途中式を文字でクリップボードにコピーします"},
    {"Method",            WorkingKind::Group,        "",            "たし算・ひき算のしかた", "たし算・ひき算のしかた"},
    {"MethodImproper",    WorkingKind::OptionButton, "Method",      "仮分数に直して", "仮分数に直して計算する"},
    {"MethodMixed",       WorkingKind::OptionButton, "Method",      "帯分数のまま", "帯分数のまま計算する"},
    {"TypedAnswer",       WorkingKind::Group,        "",            "自分の答え",   "自分の答え"},
    {"AnswerDenominator", WorkingKind::TextBox,      "TypedAnswer", "分母",         "自分の答えの分母",         Align::Center},
    {"AnswerNumerator",   WorkingKind::TextBox,      "TypedAnswer", "分子",         "自分の答えの分子",         Align::Center},
    {"AnswerWhole",       WorkingKind::TextBox,      "TypedAnswer", "整数",         "自分の答えの整数部分",     Align::Right},
    {"AnswerNegative",    WorkingKind::CheckBox,     "TypedAnswer", "マイナス",     "自分の答えをマイナスにする"},
    {"CheckAnswer",       WorkingKind::Button,       "TypedAnswer", "答え合わせ",   "答え合わせ"},
    {"AnswerBar",         WorkingKind::Line,         "TypedAnswer", "",             "自分の答えの分数の線"},
    {"Verdict",           WorkingKind::Status,       "TypedAnswer", "",             "答え合わせの結果"},
}};
// clang-format on

[[nodiscard]] constexpr bool takesFocus(WorkingKind kind) noexcept
{
    return kind != WorkingKind::Group && kind != WorkingKind::Line && kind != WorkingKind::Status;
}

// The row of a control of the window 「途中式と答え合わせ」; a name that is
// not one does not compile where the row is looked up in a constant expression.
[[nodiscard]] constexpr const WorkingControlDefinition &workingControl(std::string_view name)
{
    return namedRow(WorkingControls, name, "no such control of the working window");
}

// Where the controls stand. Each container (the window itself, or a group)
// lays out its controls in a grid of rows and columns counted from 0. A control
// fills its cell as far as it can grow, or stands in the middle of the cell's
// height.
enum class CellAlign { Fill, Middle };

struct Cell {
    std::string_view control;  // a name of WorkingControls
    int row;
    int column;
    int rowSpan = 1;
    int columnSpan = 1;
    CellAlign align = CellAlign::Fill;
};

struct Grid {
    std::string_view container;  // a group's name, or "" for the window itself
    std::span<const Cell> cells;
    int stretchRow = -1;  // the row that takes the spare height, or -1
    int stretchColumn = -1;  // the column that takes the spare width, or -1
    // The page's room between rows and between columns, in CSS pixels; the
    // desktop takes its style's.
    int pageRowGap = 0;
    int pageColumnGap = 0;
};

// The window's own controls differ between the front-ends. The desktop window
// draws the working on top, with its two buttons in a row below it, apart;
// the page stands everything one below another in the order of the rows, the
// button that shows the working above it and the one that copies it below.
// clang-format off
// Row 0 of the desktop window holds the 式 field (WorkingExpressionCell).
inline constexpr std::array<Cell, 5> DesktopWindowCells {{
    {"Working",     1, 0, 1, 3},
    {"ShowWorking", 2, 0},
    {"CopyWorking", 2, 2},
    {"Method",      3, 0, 1, 3},
    {"TypedAnswer", 4, 0, 1, 3},
}};
inline constexpr std::array<Cell, 5> PageWindowCells {{
    {"ShowWorking", 0, 0},
    {"Working",     1, 0},
    {"CopyWorking", 2, 0},
    {"Method",      3, 0},
    {"TypedAnswer", 4, 0},
}};
// The groups are the same in both. The methods side by side; the typed
// answer as the calculator's operands stand, the sign box and the integer part
// beside numerator over bar over denominator, then the button, and the
// verdict below all of them.
inline constexpr std::array<Cell, 2> MethodCells {{
    {"MethodImproper", 0, 0},
    {"MethodMixed",    0, 1},
}};
inline constexpr std::array<Cell, 7> TypedAnswerCells {{
    {"AnswerNegative",    0, 0, 3, 1, CellAlign::Middle},
    {"AnswerWhole",       0, 1, 3, 1, CellAlign::Middle},
    {"AnswerNumerator",   0, 2},
    {"AnswerBar",         1, 2},
    {"AnswerDenominator", 2, 2},
    {"CheckAnswer",       0, 3, 3, 1, CellAlign::Middle},
    {"Verdict",           3, 0, 1, 5},
}};
// clang-format on

inline constexpr Grid DesktopWindowGrid {"", DesktopWindowCells, 1, 1};
inline constexpr Grid PageWindowGrid {"", PageWindowCells};
inline constexpr std::array<Grid, 2> GroupGrids {{
    {"Method", MethodCells, -1, 2, 0, 18},
    {"TypedAnswer", TypedAnswerCells, -1, 4, 4, 10},
}};

// The 式 field, above the working on the desktop: a problem typed there (as
// the command line reads one) and entered is drawn, worked and checked in
// place of the calculator's; emptied, the window follows the calculator's
// fields again. Below the field, what cannot be read and where.
// clang-format off
inline constexpr std::array<WorkingControlDefinition, 3> WorkingExpressionControls {{
    {"Expression",        WorkingKind::Group,   "",           "式", "式"},
    {"ExpressionEntry",   WorkingKind::TextBox, "Expression", "",   "式"},
    {"ExpressionMessage", WorkingKind::Status,  "Expression", "",   "式を読めなかったわけ"},
}};
inline constexpr Cell WorkingExpressionCell {"Expression", 0, 0, 1, 3};
inline constexpr std::array<Cell, 2> ExpressionCells {{
    {"ExpressionEntry",   0, 0},
    {"ExpressionMessage", 1, 0},
}};
// clang-format on
inline constexpr Grid ExpressionGrid {"Expression", ExpressionCells, -1, 0};

// The number of columns of a grid, its stretching column included.
[[nodiscard]] constexpr int columnCount(const Grid &grid)
{
    int columns = grid.stretchColumn + 1;
    for (const Cell &cell : grid.cells) {
        columns = std::max(columns, cell.column + cell.columnSpan);
    }
    return columns;
}

// The grid of a group.
[[nodiscard]] constexpr const Grid &groupGrid(std::string_view group)
{
    const auto *grid = std::find_if(GroupGrids.begin(), GroupGrids.end(),
        [group](const Grid &g) { return g.container == group; });
    if (grid == GroupGrids.end()) {
        throw "a group without a grid";
    }
    return *grid;
}

// In each arrangement every control has exactly one cell, in its container's
// grid, and every cell is a control's.
consteval bool eachControlHasOneCell(const Grid &windowGrid)
{
    const auto gridOf = [&windowGrid](std::string_view container) -> const Grid & {
        return container.empty() ? windowGrid : groupGrid(container);
    };
    std::size_t cells = windowGrid.cells.size();
    for (const Grid &grid : GroupGrids) {
        cells += grid.cells.size();
        if (workingControl(grid.container).kind != WorkingKind::Group) {
            throw "a grid of a control that is not a group";
        }
    }
    for (const WorkingControlDefinition &row : WorkingControls) {
        const Grid &grid = gridOf(row.container);
        if (std::count_if(grid.cells.begin(), grid.cells.end(),
                [&row](const Cell &c) { return c.control == row.name; })
            != 1) {
            return false;
        }
    }
    return cells == WorkingControls.size();
}
static_assert(eachControlHasOneCell(DesktopWindowGrid));
static_assert(eachControlHasOneCell(PageWindowGrid));

// On a phone held upright the page makes the controls big enough for a
// finger, in CSS pixels.
struct PhoneControlSizes {
    int buttonHeight;  // the least height of a button
    int choiceHeight;  // the least height of a check box or option button with its caption
    int choiceBox;  // the side of its box
    int fieldHeight;  // a text field's height
    int fieldTextPixels;  // and the size of its text
};
inline constexpr PhoneControlSizes PhoneWorkingSizes {44, 44, 24, 40, 18};

// What a verdict says of the typed answer, named for the front-ends (which
// map their checker's categories to these): right in either form; the right
// value, not finished; wrong; no answer exists for the problem; nothing
// readable was typed.
enum class VerdictLook { Correct, Close, Wrong, NoAnswer, Unreadable };

struct VerdictLookDefinition {
    VerdictLook look;
    std::string_view mark;  // the page's data-verdict
    std::optional<std::uint32_t> colour;  // 0xRRGGBB; the text's own colour otherwise
};

inline constexpr std::array<VerdictLookDefinition, 5> VerdictLooks {{
    {VerdictLook::Correct, "correct", 0x007A00},
    {VerdictLook::Close, "close", 0xA05000},
    {VerdictLook::Wrong, "wrong", 0xC00000},
    {VerdictLook::NoAnswer, "none", std::nullopt},
    {VerdictLook::Unreadable, "unreadable", std::nullopt},
}};

[[nodiscard]] constexpr const VerdictLookDefinition &verdictLook(VerdictLook look)
{
    return *std::find_if(VerdictLooks.begin(), VerdictLooks.end(),
        [look](const VerdictLookDefinition &d) { return d.look == look; });
}

// The look of a checker's verdict category, whose members are named as
// VerdictLook's are (the engine's VerdictCategory).
template <typename Category> [[nodiscard]] constexpr VerdictLook lookOf(Category category)
{
    switch (category) {
    case Category::Correct:
        return VerdictLook::Correct;
    case Category::Close:
        return VerdictLook::Close;
    case Category::Wrong:
        return VerdictLook::Wrong;
    case Category::NoAnswer:
        return VerdictLook::NoAnswer;
    case Category::Unreadable:
        break;
    }
    return VerdictLook::Unreadable;
}

// What the working shows before 途中式を見る is pressed, so that a pupil can
// check an answer before seeing the right one: its first lines (the problem)
// alone. A report that follows no line at all (fields that cannot even be
// read) gives no answer away and is shown all the same. Once revealed, every
// line and the report.
struct RevealRule {
    std::size_t linesBefore;  // lines shown before the working is revealed
    bool reportWithoutLines;  // a report with no line before it is shown at once
};
inline constexpr RevealRule WorkingReveal {1, true};

[[nodiscard]] constexpr std::size_t linesShown(std::size_t lines, bool revealed) noexcept
{
    return revealed ? lines : std::min(lines, WorkingReveal.linesBefore);
}
[[nodiscard]] constexpr bool reportShown(std::size_t lines, bool revealed) noexcept
{
    return revealed || (WorkingReveal.reportWithoutLines && lines == 0);
}

// The desktop draws the notes beside the steps of its working in this colour.
inline constexpr std::uint32_t WorkingNoteBlue = 0x0000FF;

// Which typed answer field holds which part of the answer.
struct AnswerFieldControl {
    Field field;
    std::string_view control;
};
inline constexpr std::array<AnswerFieldControl, 3> AnswerFieldControls {{
    {Field::Denominator, "AnswerDenominator"},
    {Field::Numerator, "AnswerNumerator"},
    {Field::Whole, "AnswerWhole"},
}};

// How sums and differences are worked, and the option button that chooses it;
// the first is chosen until the pupil chooses another.
enum class MethodChoice { MakeImproper, KeepMixed };
struct MethodControl {
    MethodChoice method;
    std::string_view control;
};
inline constexpr std::array<MethodControl, 2> MethodControls {{
    {MethodChoice::MakeImproper, "MethodImproper"},
    {MethodChoice::KeepMixed, "MethodMixed"},
}};

static_assert(std::all_of(
    AnswerFieldControls.begin(), AnswerFieldControls.end(), [](const AnswerFieldControl &c) {
        return workingControl(c.control).kind == WorkingKind::TextBox;
    }));
static_assert(std::all_of(MethodControls.begin(), MethodControls.end(), [](const MethodControl &c) {
    return workingControl(c.control).kind == WorkingKind::OptionButton;
}));

}  // namespace tobarin
