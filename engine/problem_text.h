#pragma once

#include "engine/problem.h"

#include <optional>
#include <string>
#include <string_view>

// Problems and numbers written as one line of text (UTF-8), for the command
// line and for pasting:
//
//   OPERAND  an optional "-" (the sign box ticked), then W, N/D, W N/D or WとN/D,
//            W, N and D strings of digits (ASCII or full-width ０-９); the
//            parts go, in ASCII digits, into the integer-part, numerator and
//            denominator fields, and a part not written leaves its field empty.
//   EXPR     OPERAND OP OPERAND, OP one of + - * / × ÷ ＋ － ＊ ／.
//
// Blanks (space, tab, the full-width space) may stand at either end and
// around OP. The "/" of a fraction has no blank beside it, so a "/" with a
// blank beside it is the operator; where a "/" with none could be the
// operator as well as the bar of a fraction ("2/3/9"), the expression is
// ambiguous and not read.
namespace tobarin {

// What a text reads as, or why it does not: a message in Japanese for the
// user, quoting the text.
template <typename T> struct Parsed {
    std::optional<T> value;
    std::string error;
};

[[nodiscard]] Parsed<Problem> parseProblem(std::string_view text);
[[nodiscard]] Parsed<TypedOperand> parseOperand(std::string_view text);

// The ASCII digits of a field text made of digits (ASCII or full-width) and
// blanks at either end; "" for a blank text; nothing for any other text.
[[nodiscard]] std::optional<std::string> fieldDigits(std::string_view text);

}  // namespace tobarin
