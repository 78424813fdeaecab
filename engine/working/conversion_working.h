#pragma once

#include "engine/problem/conversion.h"
#include "engine/working/working.h"

#include "form/definition.h"

namespace tobarin {

// The working of a conversion problem, as a textbook writes it: the problem
// line, then each step to the answer, which the last line holds (a number, or
// for 通分 the fractions over one denominator as a List). The answer form
// matters only to "→ 分数": the mixed form ends with 帯分数に直す. The
// conversion is one conversionRefusal lets through.
[[nodiscard]] Working conversionWorking(const Conversion &conversion, AnswerForm form);

}  // namespace tobarin
