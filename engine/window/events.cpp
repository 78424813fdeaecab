#include "engine/window/events.h"

#include "engine/number/runtime_error.h"
#include "engine/window/answer_forms.h"
#include "engine/window/calculate.h"
#include "engine/window/handlers.h"

#include <string>

namespace tobarin {

namespace {

void run(ControlProperties &form, Handler handler, std::int16_t index)
{
    switch (handler) {
    case Handler::Command1_Click:
        return Command1_Click(form);
    case Handler::Command2_Click:
        return Command2_Click(form);
    case Handler::Command3_Click:
        return Command3_Click(form);
    case Handler::Check1_Click:
        return Check1_Click(form, index);
    case Handler::Option1_Click:
        return Option1_Click(form, index);
    case Handler::Option2_Click:
        return Option2_Click(form, index);
    case Handler::Text1_GotFocus:
        return Text1_GotFocus(form, index);
    case Handler::Text2_GotFocus:
        return Text2_GotFocus(form, index);
    case Handler::Text1_LostFocus:
        return Text1_LostFocus(form, index);
    case Handler::Text2_LostFocus:
        return Text2_LostFocus(form, index);
    case Handler::FileExit_Click:
        return FileExit_Click(form);
    case Handler::FileBer_Click:
        return FileBer_Click(form);
    }
}

}  // namespace

std::optional<PendingReport> raiseEvent(ControlProperties &form, ControlId control, Event event)
{
    const Binding *binding = bindingOf(control, event);
    if (!binding) {
        return std::nullopt;
    }
    try {
        run(form, binding->handler, static_cast<std::int16_t>(control.index()));
    } catch (const RuntimeError &error) {
        return PendingReport {error.number(), binding->report};
    }
    return std::nullopt;
}

void reportRuntimeError(ControlProperties &form, int number)
{
    const RuntimeError error(number);
    const std::string text
        = "実行時エラー " + std::to_string(number) + "\r" + std::string(error.description());
    form.msgBox(text, MsgBoxCritical, WindowTitle);
}

}  // namespace tobarin
