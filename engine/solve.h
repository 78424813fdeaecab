#pragma once

#include "engine/check/mistakes.h"
#include "engine/number/written_number.h"
#include "engine/problem/problem.h"
#include "engine/working/textbook.h"
#include "engine/working/working.h"

#include <optional>
#include <vector>

#include "form/definition.h"

namespace tobarin {

// What a problem comes to: its answer and its working.
struct Solution {
    // The answer in the form asked for, as the window shows it after
    // Calculate (and a click on 仮分数 for the improper form); nothing when
    // the problem has none.
    std::optional<WrittenNumber> answer;
    // The problem and each step to the answer, as a textbook writes it
    // (engine/working/textbook.h), or the problem and the report that says why
    // there is no answer.
    Working working;
    // What the mistakes pupils are known to make give for this problem
    // (engine/check/mistakes.h), for the answer check; none without an answer.
    std::vector<Prediction> mistakes;
    // Of a conversion problem: what it asks, which the answer check needs;
    // and of 通分, the fractions of the answer over one denominator, in order
    // (then `answer` is empty).
    std::optional<Conversion> conversion = std::nullopt;
    std::vector<WrittenNumber> answers = {};
};

// Whether a problem has an answer; and the answer as the answer line writes
// it: "2 1/3", "0.75", "9/12, 10/12".
[[nodiscard]] bool hasAnswer(const Solution &solution);
[[nodiscard]] std::string answerText(const Solution &solution);

// Works a problem out. A problem of two numbers and one operation (no
// decimal) is worked as the window works it, on a window held in memory,
// never on a window of the user's, for whether it has an answer at all; any
// other in exact fractions (engine/problem/evaluate.h). Then by the
// textbook's route, which ends in that answer.
[[nodiscard]] Solution solve(
    const Problem &problem, AnswerForm form, Method method = Method::MakeImproper);

// The same of a problem the window calculates (fieldsOf gives its fields),
// alone: what a program that works only such problems links.
[[nodiscard]] Solution solveInWindow(
    const Problem &problem, AnswerForm form, Method method = Method::MakeImproper);

// The problem line, the first line of the working: the numbers as the window
// reads them, for a problem it calculates ("0 1/2" is read as 1/2), the
// problem as written for any other. Nothing where a number is beyond the
// range it is calculated in (a field beyond 32 bits, a number too long).
[[nodiscard]] std::optional<Expression> problemLine(const Problem &problem);

}  // namespace tobarin
