#pragma once

#include <cstdint>

#include "form/control_properties.h"

namespace tobarin {

// The answer forms (the Click handler of Option2): index 0 splits an improper
// answer in Label1(0..2) into integer part and proper fraction, index 1 folds
// the integer part back into the numerator; any other index changes nothing.
// Label1(0), Label1(3) and Line3 are never touched. Throws RuntimeError 6 when a
// caption holds a number beyond the Currency range or folding leaves it.
void Option2_Click(ControlProperties &form, std::int16_t index);

}  // namespace tobarin
