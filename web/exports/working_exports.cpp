// The entry points of the window 「途中式と答え合わせ」 beside the calculator, in
// the page's second engine module (tobarin-practice.wasm, with practice): the
// calculator's own module, which comes with the page, holds the window alone,
// and the working and the answer check load when the panel first has to draw
// or check anything the page's markup does not already show. Each one catches
// every exception: nothing thrown may cross into JavaScript.

#include "engine/check/answer_check.h"
#include "engine/solve.h"
#include "engine/window/answer.h"

#include <emscripten/emscripten.h>
#include <optional>
#include <string>
#include <utility>

#include "form/memory_form.h"
#include "web/exports/page_imports.h"
#include "web/exports/page_properties.h"
#include "web/exports/working_json.h"

namespace {

using namespace tobarin;

// The calculator's window, read through the page (its fields, sign boxes,
// operation and answer form); this module writes nothing of it.
web::PageProperties &page()
{
    static web::PageProperties properties;
    return properties;
}

// The problem in the window's fields, the answer form it shows and the way
// the window works it, whose working the panel has drawn and against which
// it checks answers. Until this module first draws, the panel shows what the page's markup was
// written with: the window's starting problem, worked the first way. Nothing
// while the panel shows the 式 field's problem.
std::optional<web::PanelProblem> &workingProblem()
{
    static std::optional<web::PanelProblem> shown = [] {
        const MemoryForm starting;
        return web::PanelProblem {problemIn(starting), answerFormIn(starting), web::FirstMethod};
    }();
    return shown;
}

// The panel follows the calculator's window, as on the desktop: a new problem
// in the fields, or another answer form, is worked out and drawn anew; so is
// the same problem worked another way.
void followWindow()
{
    web::PanelProblem current {problemIn(page()), answerFormIn(page()), web::chosenMethod()};
    if (workingProblem() == current) {
        return;
    }
    const bool same = web::sameProblem(workingProblem(), current);
    const std::string json
        = web::workingJson(solveInWindow(current.problem, current.form, current.method).working);
    workingProblem() = std::move(current);
    pageShowWorking(json.data(), json.size(), same ? 1 : 0);
}

}  // namespace

extern "C" {

// The window or the panel's method may have changed: the panel follows.
EMSCRIPTEN_KEEPALIVE int tobarin_working_follow()
{
    try {
        followWindow();
        return 0;
    } catch (...) {
        return -1;
    }
}

// The panel showed the 式 field's problem and follows the window's fields
// again: their problem is drawn anew, as a new problem.
EMSCRIPTEN_KEEPALIVE int tobarin_working_show_fields()
{
    try {
        workingProblem().reset();
        followWindow();
        return 0;
    } catch (...) {
        return -1;
    }
}

// Checks the answer typed into the panel against the problem of the window
// as it is now, and shows the verdict.
EMSCRIPTEN_KEEPALIVE int tobarin_working_check()
{
    try {
        followWindow();
        const AnswerCheck check
            = checkAnswer(solveInWindow(workingProblem()->problem, AnswerForm::Mixed),
                web::typedAnswer(pageAnswerField, pageAnswerNegative() != 0));
        pageShowVerdict(
            static_cast<int>(categoryOf(check.verdict)), check.text.data(), check.text.size());
        return 0;
    } catch (...) {
        return -1;
    }
}

}  // extern "C"
