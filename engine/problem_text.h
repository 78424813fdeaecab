#pragma once

#include "engine/problem.h"

#include <optional>
#include <string>
#include <string_view>

// Problems and numbers written as one line of text (UTF-8): a problem for the
// command line, an answer to check, an operand pasted into a field. One reader
// reads every number, so that all of them take what a Japanese keyboard gives
// as well as ASCII.
//
//   NUMBER   an optional sign, then W, N/D, W N/D, WとN/D or a decimal W.F;
//            or the same in parentheses, the sign before or inside them:
//            "-5/4", "(-5/4)", "-(5/4)", "（－５／４）", "+3", "１．２５".
//            W, N, D and F are strings of digits, ASCII or full-width (０-９).
//            The sign is "-", "－", "−" or "ー" (the minus key with the input
//            method on) for minus, "+" or "＋" for plus; the
//            fraction bar is "/" or "／", with no blank beside it; the decimal
//            point "." or "．", with no blank beside it; parentheses "()" or
//            "（）". A decimal that does not end is a decimal followed by "…",
//            "‥", "⋯", a run of two or more points or middle dots ("0.333...",
//            "0.666・・・"), or by its repeating digits in parentheses ("2.41(6)").
//   OPERAND  a NUMBER that is not a decimal; its parts go, in ASCII digits,
//            into the integer-part, numerator and denominator fields, a part
//            not written leaving its field empty, and a minus ticks the sign
//            box. The problem line of a working reads back: "1/2 - (-1/3)".
//   EXPR     OPERAND OP OPERAND, OP one of + - * / × ÷ ＋ － − ＊ ／.
//
// Blanks (space, tab, the full-width space) may stand at either end, around
// OP and the parentheses. A sign stands only at the start of a number or
// right after its "(", so a "+" or "-" after a number is the operation and
// one after the operation is the next number's sign: "1/2 - -1/3",
// "１／２＋－３／４". A "/" with a blank beside it, or one not between two
// numbers, is the operation; where a "/" with none could be the operation as
// well as the bar of a fraction ("2/3/9"), the expression is ambiguous and
// not read.
namespace tobarin {

// What a text reads as, or why it does not: a message in Japanese for the
// user that names the character or the part that could not be read.
template <typename T> struct Parsed {
    std::optional<T> value;
    std::string error;
};

// A NUMBER as it was written, in ASCII digits, each part as long as it was
// written ("" when it was not). Parentheses and a plus sign leave no trace.
// Written by the reader: either decimals is empty, or whole and decimals
// both hold digits and num and den are empty; num and den are both written or
// neither.
struct WrittenNumber {
    bool negative = false;
    std::string whole;  // the integer part, or the digits before the point
    std::string num;
    std::string den;
    std::string decimals;  // the digits after the point
    bool unending = false;  // a decimal that does not end: "0.333..."

    [[nodiscard]] bool isDecimal() const { return !decimals.empty(); }

    friend bool operator==(const WrittenNumber &, const WrittenNumber &) = default;
};

[[nodiscard]] Parsed<WrittenNumber> readNumber(std::string_view text);
[[nodiscard]] Parsed<TypedOperand> parseOperand(std::string_view text);
[[nodiscard]] Parsed<Problem> parseProblem(std::string_view text);

// A text in the quotation marks 「」, as every message quotes what was typed.
[[nodiscard]] std::string quoted(std::string_view text);

// A number as the reader reads it back, in ASCII: "-2 5/12", "1.25",
// "0.333…".
[[nodiscard]] std::string writtenText(const WrittenNumber &number);

// The ASCII digits of a field text made of digits (ASCII or full-width) and
// blanks at either end; "" for a blank text; nothing for any other text.
[[nodiscard]] std::optional<std::string> fieldDigits(std::string_view text);

}  // namespace tobarin
