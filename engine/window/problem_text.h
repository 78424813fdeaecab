#pragma once

#include "engine/number/written_number.h"
#include "engine/window/problem.h"

#include <string_view>

// An operand as one number, for a paste into the window's fields: a number
// that is not a decimal, read by the one reader of numbers (readNumber,
// engine/number/written_number.h); its parts go, in ASCII digits, into the
// integer-part, numerator and denominator fields, a part not written leaving
// its field empty, and a minus ticks the sign box. A problem is read by
// readProblem (engine/problem/problem.h).
namespace tobarin {

[[nodiscard]] Parsed<TypedOperand> parseOperand(std::string_view text);

}  // namespace tobarin
