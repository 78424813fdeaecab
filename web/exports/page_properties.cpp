#include "web/exports/page_properties.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "web/exports/page_imports.h"

namespace tobarin::web {

std::string readText(std::size_t (*read)(int, char *, std::size_t), int which)
{
    std::string text(32, '\0');  // the entry fields hold a few characters
    std::size_t length = read(which, text.data(), text.size());
    if (length > text.size()) {
        text.resize(length);
        length = read(which, text.data(), text.size());
    }
    text.resize(std::min(length, text.size()));
    return text;
}

TypedOperand typedAnswer(std::size_t (*field)(int, char *, std::size_t), bool negative)
{
    TypedOperand typed;
    for (const Field each : Fields) {
        typed.field(each) = readText(field, static_cast<int>(each));
    }
    typed.negative = negative;
    return typed;
}

bool sameProblem(const std::optional<PanelProblem> &drawn, const PanelProblem &next)
{
    return drawn && drawn->problem == next.problem && drawn->form == next.form;
}

Method chosenMethod()
{
    return pageWorkingMethod() == static_cast<int>(Method::KeepMixed) ? Method::KeepMixed
                                                                      : Method::MakeImproper;
}

std::optional<Method> methodChosen()
{
    if (pageWorkingMethodChosen() == 0) {
        return std::nullopt;
    }
    return chosenMethod();
}

int rowOf(ControlId control) noexcept
{
    if (const ControlDefinition *row = definitionOf(control)) {
        return static_cast<int>(row - Controls.data());
    }
    const auto *command = std::find_if(MenuCommands.begin(), MenuCommands.end(),
        [control](const MenuCommandDefinition &c) { return c.name == control.name(); });
    return static_cast<int>(Controls.size()) + static_cast<int>(command - MenuCommands.begin());
}

std::string PageProperties::text(ControlId control) const
{
    return readText(pageText, rowOf(control));
}

void PageProperties::setText(ControlId control, std::string_view text)
{
    pageSetText(rowOf(control), text.data(), text.size());
}

std::string PageProperties::caption(ControlId control) const
{
    return readText(pageCaption, rowOf(control));
}

void PageProperties::setCaption(ControlId control, std::string_view caption)
{
    pageSetCaption(rowOf(control), caption.data(), caption.size());
    if (const ControlDefinition *row = definitionOf(control); row && row->answerPart) {
        m_answerChanged = true;
    }
}

int PageProperties::value(ControlId control) const
{
    return pageValue(rowOf(control));
}

bool PageProperties::visible(ControlId control) const
{
    return pageVisible(rowOf(control)) != 0;
}

void PageProperties::setVisible(ControlId control, bool visible)
{
    pageSetVisible(rowOf(control), visible ? 1 : 0);
}

void PageProperties::msgBox(std::string_view text, int style, std::string_view title)
{
    pageMsgBox(text.data(), text.size(), style, title.data(), title.size());
}

void PageProperties::unload()
{
    pageUnload();
}

bool PageProperties::takeAnswerChanged() noexcept
{
    return std::exchange(m_answerChanged, false);
}

}  // namespace tobarin::web
