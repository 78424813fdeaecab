#pragma once

#include <string>

#include "form/control_properties.h"
#include "form/definition.h"
#include "form/memory_form.h"

namespace tobarin {

// An operand as a user types it into the window: the texts of its three
// fields, whatever they hold ("12", "", "abc", "1e5"), and whether its sign
// box is ticked. Calculate reads the texts as the window does.
struct TypedOperand {
    std::string den;
    std::string num;
    std::string whole;
    bool negative = false;

    // The field's text, by the index of Text1 and Text2.
    [[nodiscard]] const std::string &field(Field which) const;
    [[nodiscard]] std::string &field(Field which);

    friend bool operator==(const TypedOperand &, const TypedOperand &) = default;
};

// A problem as the window's fields hold it: two operands and the operation.
struct TypedProblem {
    TypedOperand first;
    TypedOperand second;
    Operation operation = Operation::Add;

    friend bool operator==(const TypedProblem &, const TypedProblem &) = default;
};

// Types the problem into the window's fields, ticks its sign boxes and
// selects its operation button, as a user would, without raising any event.
void enterProblem(MemoryForm &form, const TypedProblem &problem);

// The problem as a window's fields, sign boxes and operation buttons hold it
// (the last selected operation button; addition when none is).
[[nodiscard]] TypedProblem fieldsIn(const ControlProperties &form);

// The answer's form as the window's Option2 buttons choose it.
[[nodiscard]] AnswerForm answerFormIn(const ControlProperties &form);

}  // namespace tobarin
