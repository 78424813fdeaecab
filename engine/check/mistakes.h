#pragma once

#include "engine/number/written_number.h"
#include "engine/problem/conversion.h"
#include "engine/problem/expression.h"

#include <string>
#include <string_view>
#include <vector>

// The mistakes pupils are known to make in fraction arithmetic (つまずき),
// each a small exact function of the problem that gives the value a pupil who
// makes it writes, with its id and the hint that says what went wrong. The
// answer check looks a wrong answer up among them; nothing else knows the list.
namespace tobarin {

// What one known mistake leads to for a problem: every value it can give
// (where it can be formed: a zero denominator or a number beyond 128 bits
// leaves one out), and its hint.
struct Prediction {
    std::string_view id;  // "minus-minus", "across+", "reciprocal", ...
    std::vector<Fraction> values;
    std::string hint;
    // Of the values a pupil writes as they come out, before any 約分: those
    // forms ("1 8/10" of 1 4/5 + 4/5 added across). A typed answer of exactly
    // such a form is told this mistake's hint before any tie of values.
    std::vector<WrittenNumber> forms = {};
};

// The known mistakes that apply to a problem with the answer `answer`, in the
// order of their table; the rounded decimal, which depends on the typed
// answer, is not among them. Of a problem of two numbers and one operation
// that the window calculates, its operands as typed (engine/check/mistakes.cpp);
// of a problem of several terms, those of the order of operations,
// parentheses and powers (engine/check/several_terms_mistakes.cpp); of any
// problem, the sign, the reciprocal and a part left out.
[[nodiscard]] std::vector<Prediction> pairPredictions(const Pair &problem, Fraction answer);
[[nodiscard]] std::vector<Prediction> severalTermPredictions(
    const Expression &problem, Fraction answer);
[[nodiscard]] std::vector<Prediction> anyProblemPredictions(Fraction answer);
// Of a conversion of one number: the mistakes of its form
// (engine/check/conversion_mistakes.cpp), and those of any problem.
[[nodiscard]] std::vector<Prediction> conversionPredictions(
    const Conversion &conversion, Fraction answer);

// The hint for a typed answer whose value is not the answer.
struct Hint {
    std::string_view id;  // the mistake's, or empty for the general hint
    std::string text;
};

inline constexpr std::string_view GeneralHint = "もう一度計算してみましょう。";
inline constexpr std::string_view RoundedId = "rounded";
inline constexpr std::string_view RoundedHint
    = "わり切れない小数にしていませんか。分数で答えましょう。";

// The hint of a known mistake by its id, as its table words it where the words
// do not depend on the problem (borrow-ten names its denominator and
// parts-separately its operation: their table words are empty); nothing for
// an unknown id. The two-number mistakes' alone, and every one's.
[[nodiscard]] std::string_view pairMistakeHint(std::string_view id);
[[nodiscard]] std::string_view conversionMistakeHint(std::string_view id);
[[nodiscard]] std::string_view mistakeHint(std::string_view id);

// Of a 通分 answer whose values are not the answer's: the fractions' values
// right but their denominators not one (common-unequal), the denominators
// made equal with a numerator left as it was (common-not-scaled), and
// otherwise, or with another number of fractions, the general hint.
[[nodiscard]] Hint commonHint(
    const Conversion &conversion, const std::vector<WrittenNumber> &typed);

// A decimal that is the answer rounded down or up to as many places as were
// typed gets the rounded hint, whatever else fits (where `rounding` holds:
// a conversion to a decimal asks for no rounding). Otherwise the hint is that
// of the one mistake that writes the typed parts exactly, or else of the one
// whose value is the typed value; where mistakes with different hints fit,
// the general hint, but that minus-minus wins over sign, wrong-reciprocal over
// reciprocal, no-reciprocal-whole over no-reciprocal and borrow-kept over
// borrow-ten (each pair is one mistake seen more or less closely).
[[nodiscard]] Hint hintFor(const std::vector<Prediction> &predictions, Fraction answer,
    const WrittenNumber &typed, Fraction typedValue, bool rounding = true);

}  // namespace tobarin
