#pragma once

#include "engine/wide.h"

#include <optional>
#include <string>

#include "form/control_properties.h"

// The answer as the window's labels show it, read in one place for everything
// that passes it on: the answer as text (copied, printed), its value, and the
// answer as a screen reader says it.
namespace tobarin {

// The captions of the answer labels: Label1(3) the sign ("-" or ""),
// Label1(2) the integer part, Label1(1) and Label1(0) the numerator and
// denominator. A fraction is shown only where both of its labels hold one.
struct ShownAnswer {
    std::string sign;
    std::string whole;
    std::string num;
    std::string den;

    [[nodiscard]] bool hasFraction() const { return !num.empty() && !den.empty(); }
    // No answer: nothing in the integer part and no fraction.
    [[nodiscard]] bool empty() const { return whole.empty() && !hasFraction(); }

    friend bool operator==(const ShownAnswer &, const ShownAnswer &) = default;
};

[[nodiscard]] ShownAnswer answerIn(const ControlProperties &form);

// The answer read left to right: "-" directly before a negative answer, the
// integer part, one blank, numerator "/" denominator: "2 5/12", "-1/6", "3",
// "0", "29/12"; empty when there is none.
[[nodiscard]] std::string answerText(const ShownAnswer &answer);

// The value of the answer as one fraction: the numerator carries the sign,
// the denominator is positive (1 for a whole number). The numbers are taken as
// they stand, so 2 5/12 is 29/12. Nothing when there is no answer, or when a
// caption holds anything but digits (at most wide::MostDigits of them).
struct AnswerValue {
    wide::Int128 num;
    wide::Int128 den;

    friend bool operator==(const AnswerValue &, const AnswerValue &) = default;
};
[[nodiscard]] std::optional<AnswerValue> answerValue(const ShownAnswer &answer);

// The answer as an improper fraction, in the form of answerText: "29/12" for
// 2 5/12, "-1/6", "3"; empty when answerValue has nothing.
[[nodiscard]] std::string improperAnswerText(const ShownAnswer &answer);

// The answer as a screen reader should say it: "答え マイナス 1 と 2分の1",
// "答え 6分の5", "答え 0"; empty when there is none.
[[nodiscard]] std::string spokenAnswer(const ShownAnswer &answer);

}  // namespace tobarin
