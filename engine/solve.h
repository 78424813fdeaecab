#pragma once

#include "engine/number/written_number.h"
#include "engine/window/problem.h"
#include "engine/working/textbook.h"
#include "engine/working/working.h"

#include <optional>

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
};

// Works a problem out: on a window held in memory, never on a window of the
// user's, as the window works it, for whether it has an answer at all; and
// by the textbook's route, which ends in the window's answer.
[[nodiscard]] Solution solve(
    const Problem &problem, AnswerForm form, Method method = Method::MakeImproper);

}  // namespace tobarin
