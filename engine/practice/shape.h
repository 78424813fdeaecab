#pragma once

#include "engine/number/written_number.h"

#include <optional>

#include "form/definition.h"

// The shape of a practice problem's number, and its parts as the rules, the
// tags and the generator reason about them. A practice problem's numbers are
// small (a denominator at most 20, a product at most 1000).
namespace tobarin::practice {

enum class Shape {
    Zero,  // 0
    Whole,  // a whole number other than 0: 3
    Proper,  // a fraction less than 1 without an integer part: 3/4
    Improper,  // a fraction more than 1 without an integer part: 7/4
    Mixed,  // an integer part and a fraction: 1 3/4
};

[[nodiscard]] Shape shapeOf(const WrittenNumber &x);
// The integer part; 0 where none is written.
[[nodiscard]] wide::Int128 wholePart(const WrittenNumber &x);
// The denominator: 1 for a whole number.
[[nodiscard]] wide::Int128 denominatorOf(const WrittenNumber &x);
// The value over the number's own denominator: ±(whole × den + num), the
// "improper numerator" that × and ÷ multiply.
[[nodiscard]] wide::Int128 numeratorOf(const WrittenNumber &x);

// Whether a number is written as a practice problem writes it: a whole number
// (no minus on 0), or a numerator and a denominator other than 0 with an
// integer part that is not written or not 0; no decimal; each part below
// 10000.
[[nodiscard]] bool isPracticeNumber(const WrittenNumber &x);

// The answer of a op b; nothing for a division by 0.
[[nodiscard]] std::optional<Fraction> answerOf(
    Operation operation, const WrittenNumber &a, const WrittenNumber &b);

}  // namespace tobarin::practice
