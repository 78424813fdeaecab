#pragma once

#include "engine/problem/expression.h"
#include "engine/working/working.h"

#include "form/definition.h"

namespace tobarin {

// How sums and differences with mixed numbers are worked.
enum class Method {
    MakeImproper,  // 仮分数に直して: mixed numbers are made improper first
    KeepMixed,  // 帯分数のまま: whole parts and fraction parts each, carrying and borrowing
};

// The working of a problem as a pupil writes it in an exercise book (小学5-6年
// fractions, 中学1年 signed numbers), ending in the answer form asked for:
// the problem; for a sum or difference the sign of the subtracted number
// changed, mixed numbers made improper, the operands reduced where that
// lowers their common denominator, the common denominator, the sign decided,
// the result, reduced and in the answer's form; for a product or quotient the
// sign decided first, mixed numbers made improper, the operands reduced, the
// reciprocal of the divisor, one fraction of the products, cancelled across,
// the result, reduced and in the answer's form. A zero operand ends the
// working early.
//
// It is worked out from the problem alone, in exact arithmetic, and is meant
// only for a problem that the window answers (no denominator message, no
// run-time error): its last line is then the answer the window shows, which
// the tests hold it to. Every line equals the answer in value.
[[nodiscard]] Working textbookWorking(const Pair &problem, AnswerForm form, Method method);

// The same route from a working whose last line has become two numbers and
// one operation: on from there, or from the step that decides the sign where
// the line has just gathered its terms (both over one denominator).
[[nodiscard]] Working goOnWorking(
    Working before, const Pair &line, AnswerForm form, Method method, bool fromSign);

// From a working whose last line is its result: reduced, then in the answer's form.
[[nodiscard]] Working finishWorking(Working before, const WrittenNumber &result, AnswerForm form);

}  // namespace tobarin
