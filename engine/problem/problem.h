#pragma once

#include "engine/number/written_number.h"
#include "engine/problem/conversion.h"
#include "engine/problem/expression.h"
#include "engine/window/problem.h"

#include <optional>
#include <string>
#include <string_view>

#include "form/control_properties.h"

// A problem: what the command line, the windows, the page, the answer check
// and practice all work, read and write. Whatever its size, a problem is one
// expression of written numbers; one of two numbers and one operation, with
// no decimal, no power and no parentheses but a sign's, is worked as the
// calculator's window works it (engine/window/calculate.h), every other one
// in exact fractions (engine/problem/evaluate.h).
namespace tobarin {

struct Problem {
    Expression expression;
    // Of a problem taken from the window's fields: the fields as they were
    // typed, which the window's own calculation reads. The expression then
    // shows them as numbers (a field beyond 32 bits has none to show).
    std::optional<TypedProblem> fields;
    // Of a conversion problem ("7/3 → 帯分数"): its numbers and the form asked;
    // the expression is then its problem line.
    std::optional<Conversion> conversion = std::nullopt;

    friend bool operator==(const Problem &, const Problem &) = default;
};

// A problem of two numbers as the expression a op b.
[[nodiscard]] Problem pairProblem(
    const WrittenNumber &first, Operation operation, const WrittenNumber &second);

// A conversion problem.
[[nodiscard]] Problem conversionProblem(Conversion conversion);

// The problem in the window's fields, sign boxes and operation buttons (the
// last selected operation button; addition when none is).
[[nodiscard]] Problem problemIn(const ControlProperties &form);
// The same of fields given.
[[nodiscard]] Problem problemOfFields(const TypedProblem &fields);

// An operand as its three fields read (integer part, numerator,
// denominator) and its sign box: "1 2/3" as typed, "3/0" when the denominator
// is missing. Fields that do not read as a plain mixed number (a negative
// one) show the improper fraction Calculate makes of them, so that the value
// shown stays right. Throws RuntimeError 6 for a field beyond 32 bits.
[[nodiscard]] WrittenNumber typedNumber(const TypedOperand &operand);

// Of a problem the window's calculation works (two numbers, one operation,
// no decimal): the two numbers and the operation; nothing for any other.
[[nodiscard]] std::optional<Pair> windowPair(const Problem &problem);

// The window's fields that hold a problem it calculates: as they were typed,
// or as the problem's numbers fill them (each part's digits, a part not
// written leaving its field empty, and the sign box); nothing for any other.
[[nodiscard]] std::optional<TypedProblem> fieldsOf(const Problem &problem);

// The problem line: the problem as the first line of its working writes it.
[[nodiscard]] std::string problemText(const Problem &problem);

// Why a text is not a problem, with what could not be read and where.
// Where the problem has a number too long to be calculated with at all (more
// than wide::MostDigits digits), it is read, and the number is beyond every
// range: working it out is run-time error 6.
//
// What is read (UTF-8): numbers as readNumber reads them (W, N/D, W N/D,
// WとN/D, D分のN, WとD分のN, ASCII or full-width digits) and decimals of up to
// three places; the operations + - × ÷, also * and a "/" with a blank beside
// it, and their full-width forms; parentheses () （）, up to three deep; a sign
// before a number or a parenthesis at the start, after "(" and after an
// operation ("2 × -3" is 2 × (-3)); powers ² ³ ⁴ or ^2 to ^4 after a whole
// number, a decimal or ")". From 2 to MostNumbers numbers. A "/" with no
// blank beside it between two numbers is the bar of a fraction; where it
// could also be the operation ("2/3/9"), the text is ambiguous and not read.
// A text with "→" or "->" is a conversion problem (readConversion), read only
// where the form asked can take its numbers.
inline constexpr std::size_t MostNumbers = 8;
inline constexpr int DeepestParentheses = 3;
inline constexpr std::size_t MostDecimalPlaces = 3;
[[nodiscard]] Parsed<Problem> readProblem(std::string_view text);

}  // namespace tobarin
