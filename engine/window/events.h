#pragma once

#include <optional>

#include "form/control_properties.h"
#include "form/definition.h"

namespace tobarin {

// A run-time error that abandoned a handler, for the front-end to report at
// the time its binding gives (at once, or once the focus has finished moving).
struct PendingReport {
    int number;
    Report when;
};

// Runs the handler that the window's definition binds to an event of a
// control, with the element's index for a control array; an event with no
// binding does nothing. A run-time error abandons the handler, leaving what it
// had written, and is returned rather than thrown.
[[nodiscard]] std::optional<PendingReport> raiseEvent(
    ControlProperties &form, ControlId control, Event event);

// The report of a run-time error: a critical message box with the window's
// title ("Tobarin") and the lines "実行時エラー N" and the error's description.
void reportRuntimeError(ControlProperties &form, int number);

}  // namespace tobarin
