#pragma once

#include "engine/problem/problem.h"
#include "engine/window/problem.h"
#include "engine/working/textbook.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "form/control_properties.h"
#include "form/definition.h"
#include "form/working_definition.h"

// The window's control properties in the browser. The engine runs as
// WebAssembly and the page's elements live in JavaScript, so each property is
// read or written by a call into the page's script (web/page/page-properties.js,
// the one module that knows both the elements and these calls). Controls cross
// that boundary as their row number in the window's definition.
namespace tobarin::web {

// Rows: the controls in the order of Controls, then the menu commands.
inline constexpr int RowCount = static_cast<int>(Controls.size() + MenuCommands.size());

[[nodiscard]] int rowOf(ControlId control) noexcept;

// A text read from the page by one of its imports (web/exports/page_imports.h) that
// take an index and a buffer.
[[nodiscard]] std::string readText(std::size_t (*read)(int, char *, std::size_t), int which);

// An answer typed into fields whose texts an import of the page reads by their
// Field codes, with its sign box ticked or not.
[[nodiscard]] TypedOperand typedAnswer(
    std::size_t (*field)(int, char *, std::size_t), bool negative);

// A problem whose working the panel draws: in the answer form shown, worked
// one way.
struct PanelProblem {
    Problem problem;
    AnswerForm form;
    Method method;

    friend bool operator==(const PanelProblem &, const PanelProblem &) = default;
};
// Whether `next` is the problem drawn, in the same form, worked the same way
// or not: the page keeps what it has revealed of a working drawn again so.
[[nodiscard]] bool sameProblem(const std::optional<PanelProblem> &drawn, const PanelProblem &next);

// How the window 「途中式と答え合わせ」 works sums and differences, as the pupil
// chose (the working of practice's missed problems too).
[[nodiscard]] Method chosenMethod();
// The method as the pupil chose it, or nothing where they never chose one.
[[nodiscard]] std::optional<Method> methodChosen();
// The way chosen until the pupil chooses another. The page's markup shows the
// working of the window's starting problem worked this way.
inline constexpr Method FirstMethod = Method::MakeImproper;
static_assert(MethodControls.front().method == MethodChoice::MakeImproper);

// The control of a row, or nothing for a row that does not exist.
[[nodiscard]] inline std::optional<ControlId> controlAt(int row) noexcept
{
    if (row < 0 || row >= RowCount) {
        return std::nullopt;
    }
    const auto index = static_cast<std::size_t>(row);
    if (index < Controls.size()) {
        return idOf(Controls[index]);
    }
    return idOf(MenuCommands[index - Controls.size()]);
}

class PageProperties final : public ControlProperties {
public:
    [[nodiscard]] std::string text(ControlId control) const override;
    void setText(ControlId control, std::string_view text) override;
    [[nodiscard]] std::string caption(ControlId control) const override;
    void setCaption(ControlId control, std::string_view caption) override;
    [[nodiscard]] int value(ControlId control) const override;
    [[nodiscard]] bool visible(ControlId control) const override;
    void setVisible(ControlId control, bool visible) override;
    // Opens the page's message box and returns at once: a browser cannot wait
    // for a click inside a call. Every handler shows a message box as its last
    // step, so nothing in the engine runs between the box opening and closing.
    void msgBox(std::string_view text, int style, std::string_view title) override;
    void unload() override;

    // Whether a caption of the answer was written since the last call; the
    // page then announces the whole answer once.
    [[nodiscard]] bool takeAnswerChanged() noexcept;

private:
    bool m_answerChanged = false;
};

}  // namespace tobarin::web
