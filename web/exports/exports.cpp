// The module's entry points, called by the page's script (web/page/*.js).
// Each one catches every exception: nothing thrown may cross into JavaScript.

#include "engine/check/answer_check.h"
#include "engine/solve.h"
#include "engine/window/answer.h"
#include "engine/window/events.h"

#include <emscripten/emscripten.h>
#include <optional>
#include <string>
#include <utility>

#include "web/exports/page_imports.h"
#include "web/exports/page_properties.h"
#include "web/exports/working_json.h"

namespace {

using namespace tobarin;

web::PageProperties &page()
{
    static web::PageProperties properties;
    return properties;
}

// The problem in the window's fields, the answer form it shows and the way
// the window 「途中式と答え合わせ」 works it, whose working that window has
// drawn and against which it checks answers.
struct WorkingProblem {
    Problem problem;
    AnswerForm form;
    Method method;

    friend bool operator==(const WorkingProblem &, const WorkingProblem &) = default;
};

std::optional<WorkingProblem> &workingProblem()
{
    static std::optional<WorkingProblem> shown;
    return shown;
}

void announceAnswer()
{
    const std::optional<WrittenNumber> answer = answerIn(page());
    const std::string spoken = answer ? spokenAnswer(*answer) : std::string();
    pageAnnounce(spoken.data(), spoken.size());
}

// The window 「途中式と答え合わせ」 follows the calculator's, as on the desktop: a new problem in
// the fields, or another answer form, is worked out and drawn anew; so is the same problem worked
// another way.
void followWindow()
{
    WorkingProblem current {problemIn(page()), answerFormIn(page()), web::chosenMethod()};
    if (workingProblem() == current) {
        return;
    }
    const bool same = workingProblem() && workingProblem()->problem == current.problem
        && workingProblem()->form == current.form;
    const std::string json
        = web::workingJson(solveInWindow(current.problem, current.form, current.method).working);
    workingProblem() = std::move(current);
    pageShowWorking(json.data(), json.size(), same ? 1 : 0);
}

}  // namespace

extern "C" {

// The number of rows: controls and menu commands.
EMSCRIPTEN_KEEPALIVE int tobarin_rows()
{
    return web::RowCount;
}

// Raises an event (an Event code) of a row's control. A run-time error to be
// reported at once is reported here; one that must wait until the focus has
// finished moving is returned, for the page to report through tobarin_report
// when that time comes. Returns 0 when there is nothing to report, and -1 when
// the row or event does not exist or the engine failed in a way it does not
// report itself.
EMSCRIPTEN_KEEPALIVE int tobarin_raise(int row, int event)
{
    try {
        const auto control = web::controlAt(row);
        if (!control || event < 0 || event > static_cast<int>(Event::LostFocus)) {
            return -1;
        }
        const auto pending = raiseEvent(page(), *control, static_cast<Event>(event));
        if (page().takeAnswerChanged()) {
            announceAnswer();
        }
        followWindow();
        if (!pending) {
            return 0;
        }
        if (pending->when == Report::AtOnce) {
            reportRuntimeError(page(), pending->number);
            return 0;
        }
        return pending->number;
    } catch (...) {
        return -1;
    }
}

// The report of a run-time error that tobarin_raise returned.
EMSCRIPTEN_KEEPALIVE int tobarin_report(int number)
{
    try {
        reportRuntimeError(page(), number);
        return 0;
    } catch (...) {
        return -1;
    }
}

// The window changed without an event of the engine's (a field typed in), or
// the working window's method did: the working window follows.
EMSCRIPTEN_KEEPALIVE int tobarin_follow()
{
    try {
        followWindow();
        return 0;
    } catch (...) {
        return -1;
    }
}

// The window has just started, its fields as the page's markup writes them,
// and the working window shows the working the markup was written with: the
// starting problem worked the first way. The engine takes that as shown
// rather than working it out again, and follows the window from there (to
// the way chosen last time, if another).
EMSCRIPTEN_KEEPALIVE int tobarin_start()
{
    try {
        workingProblem()
            = WorkingProblem {problemIn(page()), answerFormIn(page()), web::FirstMethod};
        followWindow();
        return 0;
    } catch (...) {
        return -1;
    }
}

// The answer form the window shows (an AnswerForm code), in which the 式 field's
// problem is shown too.
EMSCRIPTEN_KEEPALIVE int tobarin_answer_form()
{
    try {
        return static_cast<int>(answerFormIn(page()));
    } catch (...) {
        return -1;
    }
}

// The working window showed the 式 field's problem and follows the window's
// fields again: their problem is drawn anew, as a new problem.
EMSCRIPTEN_KEEPALIVE int tobarin_show_fields()
{
    try {
        workingProblem().reset();
        followWindow();
        return 0;
    } catch (...) {
        return -1;
    }
}

// Checks the answer typed into the working window against the problem it shows,
// and shows the verdict.
EMSCRIPTEN_KEEPALIVE int tobarin_check()
{
    try {
        followWindow();
        TypedOperand answer;
        for (const Field field : Fields) {
            answer.field(field) = web::readText(pageAnswerField, static_cast<int>(field));
        }
        answer.negative = pageAnswerNegative() != 0;
        const Problem &problem = workingProblem()->problem;
        const AnswerCheck check = checkAnswer(solveInWindow(problem, AnswerForm::Mixed), answer);
        pageShowVerdict(
            static_cast<int>(categoryOf(check.verdict)), check.text.data(), check.text.size());
        return 0;
    } catch (...) {
        return -1;
    }
}

}  // extern "C"
