#pragma once

#include "engine/number/written_number.h"
#include "engine/window/problem.h"

#include <string_view>

// A problem written as one line of text (UTF-8), for the command line, and an
// operand as one number, for a paste into the fields. Each number is read by
// the one reader of numbers (readNumber, engine/number/written_number.h):
//
//   OPERAND  a number that is not a decimal; its parts go, in ASCII digits,
//            into the integer-part, numerator and denominator fields, a part
//            not written leaving its field empty, and a minus ticks the sign
//            box. The problem line of a working reads back: "1/2 - (-1/3)".
//   EXPR     OPERAND OP OPERAND, OP one of + - * / × ÷ ＋ － − ＊ ／.
//
// Blanks may stand around OP too. A sign stands only at the start of a number
// or right after its "(", so a "+" or "-" after a number is the operation and
// one after the operation is the next number's sign: "1/2 - -1/3",
// "１／２＋－３／４". A "/" with a blank beside it, or one not between two
// numbers, is the operation; where a "/" with none could be the operation as
// well as the bar of a fraction ("2/3/9"), the expression is ambiguous and
// not read.
namespace tobarin {

[[nodiscard]] Parsed<TypedOperand> parseOperand(std::string_view text);
[[nodiscard]] Parsed<Problem> parseProblem(std::string_view text);

}  // namespace tobarin
