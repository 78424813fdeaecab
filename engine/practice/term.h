#pragma once

#include "engine/window/problem.h"

#include <cstdint>
#include <optional>

#include "form/definition.h"

// An operand of a practice problem in numbers, for the rules, the tags and the
// generator to reason about: its sign, its integer part and its fraction as
// written. A practice problem's numbers are small (a denominator at most 20, a
// product at most 1000), and the fields read here have at most four digits,
// so that every product below fits 64 bits.
namespace tobarin::practice {

enum class Shape {
    Zero,  // 0
    Whole,  // a whole number other than 0: 3
    Proper,  // a fraction less than 1 without an integer part: 3/4
    Improper,  // a fraction more than 1 without an integer part: 7/4
    Mixed,  // an integer part and a fraction: 1 3/4
};

struct Term {
    bool negative = false;
    std::int64_t whole = 0;  // the integer part; 0 where none is written
    std::int64_t num = 0;
    std::int64_t den = 0;  // 0 where there is no fraction (a whole number, 0 too)

    [[nodiscard]] bool hasFraction() const { return den != 0; }
    [[nodiscard]] Shape shape() const;
    // The value as numerator / denominator over the term's own denominator
    // (1 for a whole number): the numerator is ±(whole × den + num), the
    // "improper numerator" that × and ÷ multiply.
    [[nodiscard]] std::int64_t numerator() const;
    [[nodiscard]] std::int64_t denominator() const { return den == 0 ? 1 : den; }

    friend bool operator==(const Term &, const Term &) = default;
};

// The term of an operand whose fields hold what a practice problem writes:
// each field empty or 1 to 4 ASCII digits without a leading 0; a whole number
// (the integer part alone), or a numerator and a denominator other than 0 with
// an integer part that is empty or not 0; no minus on 0. Nothing otherwise.
[[nodiscard]] std::optional<Term> termOf(const TypedOperand &operand);
// The fields that write a term: "3", "3/4", "1 3/4", with the sign box.
[[nodiscard]] TypedOperand operandOf(const Term &term);

// An exact value num / den, den > 0, not necessarily in lowest terms.
struct Ratio {
    std::int64_t num = 0;
    std::int64_t den = 1;
};

// The value of a term, and the answer of a problem in terms; nothing for a
// division by 0.
[[nodiscard]] Ratio valueOf(const Term &term);
[[nodiscard]] std::optional<Ratio> answerOf(Operation operation, const Term &a, const Term &b);
// a < b, a = b.
[[nodiscard]] bool less(Ratio a, Ratio b);
[[nodiscard]] bool equal(Ratio a, Ratio b);

}  // namespace tobarin::practice
