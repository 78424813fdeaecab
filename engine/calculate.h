#pragma once

#include <cstdint>

#include "form/control_properties.h"

namespace tobarin {

class WorkingRecorder;

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
//
// Given a recorder, tells it each step as it is taken (engine/working.h), and
// the message or the run-time error that ends the calculation.
void Command1_Click(ControlProperties &form, WorkingRecorder *recorder = nullptr);

// The answer forms (the Click handler of Option2): index 0 splits an improper
// answer in Label1(0..2) into integer part and proper fraction, index 1 folds
// the integer part back into the numerator; any other index changes nothing.
// Label1(0), Label1(3) and Line3 are never touched. Throws RuntimeError 6 when a
// caption holds a number beyond the Currency range or folding leaves it.
// Given a recorder, tells it the rewritten answer, or the run-time error.
void Option2_Click(
    ControlProperties &form, std::int16_t index, WorkingRecorder *recorder = nullptr);

}  // namespace tobarin
