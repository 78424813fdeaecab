#pragma once

#include "engine/number/written_number.h"

#include <optional>
#include <string>

#include "form/control_properties.h"

// The answer as the window's labels show it, for what passes on what is
// shown: a copy of the answer and the answer as a screen reader says it.
// Everything that needs the answer of a problem takes it from solve
// (engine/solve.h), never from the labels.
namespace tobarin {

// The answer in the labels: Label1(3) the sign ("-" or ""), Label1(2) the
// integer part, Label1(1) and Label1(0) the numerator and denominator, a
// fraction only where both of its labels hold one. Nothing when no answer is
// shown, or when a caption holds anything but digits (at most
// wide::MostDigits of them), which Calculate never writes.
[[nodiscard]] std::optional<WrittenNumber> answerIn(const ControlProperties &form);

// The answer as a screen reader should say it: "答え マイナス 1 と 2分の1",
// "答え 6分の5", "答え 0".
[[nodiscard]] std::string spokenAnswer(const WrittenNumber &answer);

}  // namespace tobarin
