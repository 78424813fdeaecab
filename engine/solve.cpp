#include "engine/solve.h"

#include "engine/number/runtime_error.h"
#include "engine/window/answer_forms.h"
#include "engine/window/calculate.h"

#include "form/memory_form.h"

namespace tobarin {

namespace {

// Why the window gives no answer to the problem: the denominator message or
// the report of a run-time error; empty where it gives one.
std::string whyNoAnswer(const Problem &problem, AnswerForm form)
{
    MemoryForm window;
    enterProblem(window, problem);
    try {
        Command1_Click(window);
        if (form == AnswerForm::Improper && window.messages().empty()) {
            Option2_Click(window, static_cast<std::int16_t>(AnswerForm::Improper));
        }
    } catch (const RuntimeError &error) {
        return runtimeErrorLine(error.number());
    }
    return window.messages().empty() ? std::string() : window.messages().front().text;
}

}  // namespace

Solution solve(const Problem &problem, AnswerForm form, Method method)
{
    if (std::string report = whyNoAnswer(problem, form); !report.empty()) {
        Working working;
        working.report = std::move(report);
        try {
            working.steps.push_back({Note::Problem, problemExpression(problem)});
        } catch (const RuntimeError &) {
            // A field beyond 32 bits: there is no problem to show, only the report.
        }
        return {std::nullopt, std::move(working)};
    }
    // The textbook's route ends in the window's answer: the tests and the
    // fuzz targets hold every route to it.
    Working route = textbookWorking(problem, form, method);
    return {route.steps.back().expression.first, std::move(route)};
}

}  // namespace tobarin
