#pragma once

#include "engine/answer.h"
#include "engine/problem.h"
#include "engine/textbook.h"
#include "engine/working.h"

#include "form/definition.h"

namespace tobarin {

// What a problem comes to, worked out exactly as the window works it.
struct Solution {
    // The answer as the labels show it in the form asked for; empty when the
    // problem has none.
    ShownAnswer answer;
    // Its working, when asked for: the problem, then each step, as a textbook
    // writes it (engine/textbook.h), or, where a run-time error ends the
    // calculation, the steps Calculate took up to it. Its report says why
    // there is no answer, asked for or not: the denominator message or the
    // run-time error.
    Working working;
};

// Works a problem out on a window held in memory, never on a window of the
// user's: Calculate, then, for the improper form, a click on 仮分数.
[[nodiscard]] Solution solve(const Problem &problem, AnswerForm form, bool withWorking = false,
    Method method = Method::Improper);

}  // namespace tobarin
