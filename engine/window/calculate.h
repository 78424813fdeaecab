#pragma once

#include <string_view>

#include "form/control_properties.h"

namespace tobarin {

// What Calculate says of a zero denominator under a positive numerator.
inline constexpr std::string_view DenominatorMessage = "分母を１以上の整数にしてください。";

// Calculate (the Click handler of Command1). Reads the six entry fields
// Text1(0..2) and Text2(0..2) (denominator, numerator, integer part), the sign
// boxes Check1(0..1) and the operation buttons Option1(0..3); writes the answer
// reduced to lowest terms into Label1(0..3) (denominator, numerator, integer
// part, sign "-") and hides Line3 for a whole-number answer; ends with the
// mixed-number form (Option2_Click with index 0).
//
// The numbers in Label1(0..2) are never negative: the answer's sign stands in
// Label1(3) alone. A zero denominator under a positive numerator shows the
// message "分母を１以上の整数にしてください。" and writes nothing more.
//
// Throws RuntimeError 6 (overflow) or 11 (a division by an operand worth zero);
// the answer labels keep what was written before the error (they were
// emptied first).
void Command1_Click(ControlProperties &form);

}  // namespace tobarin
