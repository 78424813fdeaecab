#pragma once

#include "engine/wide.h"

#include <array>
#include <optional>
#include <string>

#include "form/control_properties.h"
#include "form/memory_form.h"

namespace tobarin {

// An operand as a user types it: the texts of its three fields, indexed like
// Text1 and Text2 (0 denominator, 1 numerator, 2 integer part), and whether
// its sign box is ticked. An answer a pupil types has the same shape.
struct TypedOperand {
    std::array<std::string, 3> fields;
    bool negative = false;

    friend bool operator==(const TypedOperand &, const TypedOperand &) = default;
};

// A problem as the window holds it: two operands and the operation
// (0 +, 1 -, 2 ×, 3 ÷).
struct Problem {
    TypedOperand first;
    TypedOperand second;
    int operation = 0;

    friend bool operator==(const Problem &, const Problem &) = default;
};

// Types the problem into the window's fields, ticks its sign boxes and
// selects its operation button, as a user would, without raising any event.
void enterProblem(MemoryForm &form, const Problem &problem);

// The problem as a window's fields, sign boxes and operation buttons hold it
// (the last selected operation button; 0 when none is).
[[nodiscard]] Problem problemIn(const ControlProperties &form);

// The answer as the labels show it, read left to right: "-" directly before
// a negative answer, the integer part, one blank, numerator "/" denominator:
// "2 5/12", "-1/6", "3", "0", "29/12"; empty when there is no answer.
[[nodiscard]] std::string answerText(const ControlProperties &form);

// The value of the answer the labels show, as one fraction: the numerator
// carries the sign, the denominator is positive (1 for a whole number). The
// labels' numbers are taken as they stand, so 2 5/12 is 29/12. Nothing when
// there is no answer, or when a label holds anything but digits.
struct AnswerValue {
    wide::Int128 num;
    wide::Int128 den;

    friend bool operator==(const AnswerValue &, const AnswerValue &) = default;
};
[[nodiscard]] std::optional<AnswerValue> answerValue(const ControlProperties &form);

// The answer as an improper fraction, in the form of answerText: "29/12" for
// 2 5/12, "-1/6", "3"; empty when answerValue has nothing.
[[nodiscard]] std::string improperAnswerText(const ControlProperties &form);

}  // namespace tobarin
