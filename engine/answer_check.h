#pragma once

#include "engine/problem.h"

#include <string>

namespace tobarin {

// The answer check (答え合わせ): a pupil's answer to a problem, typed into
// four fields (sign, integer part, numerator, denominator, as a TypedOperand),
// against the answer Calculate gives for the problem. Values are compared
// exactly.
enum class Verdict {
    Correct,  // right, in the only form it has: a whole number, zero, a proper fraction
    CorrectMixed,  // right, as a mixed number
    CorrectImproper,  // right, as an improper fraction
    NotReduced,  // the right value, not in lowest terms
    MixedFractionTooLarge,  // the right value, a mixed number whose fraction is 1 or more
    NotReducedAndTooLarge,  // both of these
    WholeAsFraction,  // the right value, a fraction where a whole number is meant
    Wrong,
    NoAnswer,  // the problem has none: the denominator message or a run-time error
    Unreadable,  // the typed answer lacks a number or holds something else
};

// What a verdict comes to, for how it is shown: right, the right value not
// finished, wrong, no answer to check against, nothing to check.
enum class VerdictCategory { Correct, Close, Wrong, NoAnswer, Unreadable };
[[nodiscard]] VerdictCategory categoryOf(Verdict verdict);

struct AnswerCheck {
    Verdict verdict;
    std::string text;  // what the pupil is told, in Japanese
};

[[nodiscard]] AnswerCheck checkAnswer(const Problem &problem, const TypedOperand &answer);

// The command line's exit status: 0 right, 3 the right value not finished,
// 4 wrong, 1 the problem has no answer, 2 the typed answer cannot be read.
[[nodiscard]] int exitStatus(Verdict verdict);

}  // namespace tobarin
