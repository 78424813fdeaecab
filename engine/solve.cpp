#include "engine/solve.h"

#include "engine/answer_forms.h"
#include "engine/calculate.h"
#include "engine/runtime_error.h"

#include <utility>

#include "form/memory_form.h"

namespace tobarin {

Solution solve(const Problem &problem, AnswerForm form, bool withWorking, Method method)
{
    MemoryForm window;
    enterProblem(window, problem);
    PathRecorder path;
    WorkingRecorder *recorder = withWorking ? &path : nullptr;
    std::string error;
    try {
        Command1_Click(window, recorder);
        if (form == AnswerForm::Improper && window.messages().empty()) {
            Option2_Click(window, static_cast<std::int16_t>(AnswerForm::Improper), recorder);
        }
    } catch (const RuntimeError &e) {
        error = runtimeErrorLine(e.number());
    }

    Solution solution {answerIn(window), path.working()};
    if (!window.messages().empty()) {
        solution.working.report = window.messages().front().text;
    } else if (!error.empty()) {
        solution.working.report = error;
    }
    if (!solution.working.report.empty()) {
        // What the labels held when the calculation stopped is no answer.
        solution.answer = {};
    } else if (withWorking) {
        // The textbook's route ends where the window does; should it ever
        // not, the engine's own path is shown, which always does.
        Working route = textbookWorking(problem, form, method);
        if (!route.steps.empty()
            && lineText(route.steps.back().line) == answerText(solution.answer)) {
            solution.working = std::move(route);
        }
    }
    return solution;
}

}  // namespace tobarin
