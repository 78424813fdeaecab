#pragma once

#include <algorithm>
#include <array>
#include <string_view>

#include "form/definition.h"

// The window 「途中式と答え合わせ」 as data: on the desktop a window of its own
// beside the calculator, on the page a panel beside the window. Both are built
// from the rows below: the working of the problem in the calculator's fields,
// and the check of an answer a pupil types for it. Where each control stands
// is the front-end's business; which controls there are, what they say and the
// order the keyboard visits them are written here once.
namespace tobarin {

inline constexpr std::string_view WorkingWindowTitle = "途中式と答え合わせ";

enum class PanelKind {
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

struct PanelControlDefinition {
    std::string_view name;  // the desktop's objectName, the page's data-panel
    PanelKind kind;
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
inline constexpr std::array<PanelControlDefinition, 14> WorkingControls {{
//   name                 kind                     container      caption         accessible name
    {"ShowWorking",       PanelKind::ToggleButton, "",            "途中式を見る", "途中式を見る",             Align::Left, "途中式を隠す"},
    {"Working",           PanelKind::Working,      "",            "",             "途中式"},
    {"CopyWorking",       PanelKind::Button,       "",            "コピー",       "途中式をコピー",           Align::Left, {}, "途中式を文字でクリップボードにコピーします"},
    {"Method",            PanelKind::Group,        "",            "たし算・ひき算のしかた", "たし算・ひき算のしかた"},
    {"MethodImproper",    PanelKind::OptionButton, "Method",      "仮分数に直して", "仮分数に直して計算する"},
    {"MethodMixed",       PanelKind::OptionButton, "Method",      "帯分数のまま", "帯分数のまま計算する"},
    {"TypedAnswer",       PanelKind::Group,        "",            "自分の答え",   "自分の答え"},
    {"AnswerDenominator", PanelKind::TextBox,      "TypedAnswer", "分母",         "自分の答えの分母",         Align::Center},
    {"AnswerNumerator",   PanelKind::TextBox,      "TypedAnswer", "分子",         "自分の答えの分子",         Align::Center},
    {"AnswerWhole",       PanelKind::TextBox,      "TypedAnswer", "整数",         "自分の答えの整数部分",     Align::Right},
    {"AnswerNegative",    PanelKind::CheckBox,     "TypedAnswer", "マイナス",     "自分の答えをマイナスにする"},
    {"CheckAnswer",       PanelKind::Button,       "TypedAnswer", "答え合わせ",   "答え合わせ"},
    {"AnswerBar",         PanelKind::Line,         "TypedAnswer", "",             "自分の答えの分数の線"},
    {"Verdict",           PanelKind::Status,       "TypedAnswer", "",             "答え合わせの結果"},
}};
// clang-format on

[[nodiscard]] constexpr bool takesFocus(PanelKind kind) noexcept
{
    return kind != PanelKind::Group && kind != PanelKind::Line && kind != PanelKind::Status;
}

// The row of a control of the window 「途中式と答え合わせ」; a name that is
// not one does not compile where the row is looked up in a constant expression.
[[nodiscard]] constexpr const PanelControlDefinition &workingControl(std::string_view name)
{
    const auto *row = std::find_if(WorkingControls.begin(), WorkingControls.end(),
        [name](const PanelControlDefinition &r) { return r.name == name; });
    if (row == WorkingControls.end()) {
        throw "no such control of the working window";
    }
    return *row;
}

}  // namespace tobarin
