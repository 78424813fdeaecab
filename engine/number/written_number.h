#pragma once

#include "engine/number/wide.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// A number as it is written, wherever it is written: in a line of a working,
// as the answer a window shows, in a problem, or as a pupil types an answer.
// With it the one reader of what pupils type, the one writer of a number's
// text, and its exact value.
namespace tobarin {

// An exact value: num / den in lowest terms, den > 0. Made only by
// fractionOf, which keeps that form; the arithmetic is exact and throws
// std::overflow_error where a result would leave 128 bits (never for the
// values of problems whose operands fit 32 bits, nor for answers pupils type,
// which have at most wide::MostDigits digits a part).
struct Fraction {
    wide::Int128 num = 0;
    wide::Int128 den = 1;

    [[nodiscard]] bool isWhole() const { return den == 1; }

    friend bool operator==(const Fraction &, const Fraction &) = default;
};

// num / den in lowest terms, the sign on the numerator; den ≠ 0.
[[nodiscard]] Fraction fractionOf(wide::Int128 num, wide::Int128 den);

[[nodiscard]] Fraction operator+(Fraction a, Fraction b);
[[nodiscard]] Fraction operator-(Fraction a, Fraction b);
[[nodiscard]] Fraction operator*(Fraction a, Fraction b);
// b ≠ 0.
[[nodiscard]] Fraction operator/(Fraction a, Fraction b);
[[nodiscard]] Fraction operator-(Fraction a);
[[nodiscard]] bool operator<(Fraction a, Fraction b);

// A number as written: an optional minus sign, then an integer part, a
// fraction, or both (a mixed number "2 5/12"); or a decimal ("1.25",
// "0.333…"). Each part is kept as it was written, so 2/4 is not 1/2, "0 5/4"
// keeps its integer part and "-0" its sign. The parts are magnitudes.
struct WrittenNumber {
    bool negative = false;
    bool hasWhole = true;
    wide::Int128 whole = 0;  // of a decimal, the digits before the point
    bool hasFraction = false;
    wide::Int128 num = 0;
    wide::Int128 den = 0;
    // Of a decimal, the digits after the point as written ("05" in 1.05);
    // empty for every other number.
    std::string decimals;
    bool unending = false;  // a decimal that does not end: "0.333...", "2.41(6)"

    [[nodiscard]] bool isDecimal() const { return !decimals.empty(); }
    [[nodiscard]] bool isMixed() const { return hasWhole && hasFraction; }

    friend bool operator==(const WrittenNumber &, const WrittenNumber &) = default;
};

// How the program writes a number. None of them writes a zero with a minus.
// A whole number: "3", "-3".
[[nodiscard]] WrittenNumber wholeNumber(wide::Int128 magnitude, bool negative = false);
// A fraction written as it is, whatever its value: "4/2", "-1/1".
[[nodiscard]] WrittenNumber fractionNumber(
    wide::Int128 num, wide::Int128 den, bool negative = false);
// A mixed number from its integer part and fraction, a zero part left out:
// "2 1/2", "1/2", "2".
[[nodiscard]] WrittenNumber mixedNumber(
    bool negative, wide::Int128 whole, wide::Int128 num, wide::Int128 den);
// num / den as an engine holds it, either of them possibly negative: the sign
// in front, and a whole number where |den| is 1 (or 0, which only the answer 0
// of no operation has).
[[nodiscard]] WrittenNumber signedFraction(wide::Int128 num, wide::Int128 den);
// A value in the form asked for: a whole number, a proper fraction, and
// otherwise a mixed number or an improper fraction.
[[nodiscard]] WrittenNumber mixedNumberOf(Fraction value);
[[nodiscard]] WrittenNumber improperNumberOf(Fraction value);

// The value of a number, or nothing for a decimal that does not end and a
// fraction with a zero denominator.
[[nodiscard]] std::optional<Fraction> valueOf(const WrittenNumber &number);

// The one writer: "-" directly before a negative number, the integer part, a
// blank, numerator "/" denominator: "2 5/12", "-1/6", "3", "0", "29/12";
// "1.25" and "0.333…" for decimals. The problem line, the working, the
// answer line and every message that repeats a number write it so.
[[nodiscard]] std::string numberText(const WrittenNumber &number);

// What a text reads as, or why it does not: a message in Japanese for the
// user that names the character or the part that could not be read.
template <typename T> struct Parsed {
    std::optional<T> value;
    std::string error;
};

// The one reader of numbers as pupils type them (UTF-8), with what a Japanese
// keyboard gives as well as ASCII:
//
//   an optional sign, then W, N/D, W N/D, WとN/D or a decimal W.F, or a
//   fraction as it is read aloud, the denominator first: D分のN, WとD分のN;
//   or the same in parentheses, the sign before or inside them: "-5/4",
//   "(-5/4)", "-(5/4)", "（－５／４）", "+3", "１．２５", "12分の29",
//   "2と12分の5".
//
// W, N, D and F are strings of digits, ASCII or full-width (０-９), at most
// wide::MostDigits of them. The sign is "-", "－", "−" or "ー" (the minus key
// with the input method on) for minus, "+" or "＋" for plus; the fraction bar
// is "/" or "／", with no blank beside it; the decimal point "." or "．", with
// no blank beside it; parentheses "()" or "（）". A decimal that does not end
// is a decimal followed by "…", "‥", "⋯", a run of two or more points or
// middle dots ("0.333...", "0.666・・・"), or by its repeating digits in
// parentheses ("2.41(6)", "0.(3)"). Blanks (space, tab, the full-width space) may stand
// at either end and around the parentheses. A character that cannot be seen
// (a zero-width space, a mark of writing direction) is refused like any
// other the reader cannot use, and the message names it instead of quoting it. Expressions of two
// numbers are read by the same rules (engine/window/problem_text.h).
[[nodiscard]] Parsed<WrittenNumber> readNumber(std::string_view text);

// A text as a message shows what was typed or given: cut after `most`
// characters, with "…" for the rest, and every character that a terminal or
// a reader would not show as itself written as an escape: control characters
// as "\r", "\n", "\t" or "\x1b", a byte that is not UTF-8 as "\xff", and a
// character that takes no room (a zero-width space, a mark of writing
// direction) as "\u200b".
[[nodiscard]] std::string echoed(std::string_view text, std::size_t most = 20);

// The same in the quotation marks 「」, as every message quotes what was typed.
[[nodiscard]] std::string quoted(std::string_view text);

}  // namespace tobarin
