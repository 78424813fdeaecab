#pragma once

#include "engine/problem/expression.h"
#include "engine/working/textbook.h"
#include "engine/working/working.h"

#include "form/definition.h"

namespace tobarin {

// The working of a problem of several terms (計算の順序), as 小6 and 中1
// textbooks write it, the whole expression on every line and one kind of step
// a line: the decimals made fractions (and reduced where that helps); the
// parentheses, the deepest first, all those of one depth in the same lines,
// each worked to its value with notes that begin かっこの中を or かっこの中の;
// the powers; then a product of three or more numbers worked as one fraction
// of its factors, cancelled across, or, in a sum, every product and quotient
// first, and the terms brought over one denominator and calculated, those of
// one sign gathered first where a total would fall below 0. Whenever the line
// has become two numbers and one operation, the two-number route
// (textbookWorking) goes on from there in the method chosen.
//
// For a problem that has an answer (no division by 0, every value within the
// exact range): its last line is the answer in the form asked for, every line
// equals it in value, and no line repeats an earlier one. Throws RuntimeError
// 6 where a line would need a number beyond 128 bits.
[[nodiscard]] Working severalTermsWorking(
    const Expression &problem, AnswerForm form, Method method);

}  // namespace tobarin
