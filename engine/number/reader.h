#pragma once

#include "engine/number/written_number.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/definition.h"

// The parts of the reader of what pupils type (readNumber,
// engine/number/written_number.h) that the reader of a problem of two numbers
// builds on (engine/window/problem_text.h): the text cut into tokens, and a
// run of tokens read as one number.
namespace tobarin::reading {

enum class TokenKind {
    Number,
    Slash,  // the bar of a fraction or the operation ÷
    Sign,  // a sign or the operation + or -
    Operator,  // an operation sign that can be nothing else
    And,  // "と" between the integer part and the fraction
    Over,  // "分の" of a fraction read aloud, after the denominator: 12分の5
    Open,
    Close,
    Point,  // the decimal point
    Unending,  // the mark of a decimal that does not end
    Power,  // a superscript exponent, its digit in digits: "²"
    Caret,  // "^", before the digit of an exponent
};

struct Token {
    TokenKind kind;
    std::optional<Operation> operation;  // of Slash, Sign and Operator
    std::string digits;  // of a Number, in ASCII
    std::size_t begin;  // bytes of the text it stands for
    std::size_t end;
    bool blankBefore;
    bool blankAfter;
};

// The tokens of a text, or why it has none: a character the reader cannot use.
struct Tokens {
    std::vector<Token> tokens;
    std::string error;
};
[[nodiscard]] Tokens tokenize(std::string_view text);

// The text that tokens[b, e) stand for.
[[nodiscard]] std::string_view sourceOf(
    std::string_view text, const std::vector<Token> &tokens, std::size_t b, std::size_t e);

// Where the parts of a number stand among its tokens: each part a Number
// token as typed, nullptr where it was not written. A decimal's digits after
// the point, and those that repeat ("2.41(6)") where they are written so.
struct NumberShape {
    bool negative = false;
    const Token *whole = nullptr;
    const Token *num = nullptr;
    const Token *den = nullptr;
    const Token *decimals = nullptr;
    const Token *repeating = nullptr;
    bool unending = false;
};

// tokens[b, e) as one number: its sign, parentheses and a sign inside them,
// and the number itself; as shaped, and as a number. The number refuses a
// part of more than wide::MostDigits digits, which has no value it can keep;
// the shape keeps every digit as typed.
[[nodiscard]] Parsed<NumberShape> shapeOf(
    std::string_view text, const std::vector<Token> &tokens, std::size_t b, std::size_t e);
[[nodiscard]] Parsed<WrittenNumber> numberOf(
    std::string_view text, const std::vector<Token> &tokens, std::size_t b, std::size_t e);

// The ASCII digits of a text made of digits (ASCII or full-width) with
// blanks at either end; "" for a blank text; nothing for any other text.
[[nodiscard]] std::optional<std::string> fieldDigits(std::string_view text);

// What a message says of a character that cannot be seen, instead of quoting it.
inline constexpr std::string_view InvisibleCharacter = "見えない文字があります。";

// What a message says of a number that is not a decimal but should be one of
// the forms of a number without a point.
inline constexpr std::string_view NumberForms
    = "整数「3」、分数「3/4」、帯分数「1 2/3」や「1と2/3」のように書いてください。";

}  // namespace tobarin::reading
