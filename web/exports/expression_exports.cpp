// The entry points of the 式 field of the window 「途中式と答え合わせ」, in the
// page's second module (tobarin-practice.wasm, with the panel's working and
// practice), which the page loads when first needed: it reads a problem as
// the command line does, works it and checks answers to it, so that the
// calculator's own module never reads or solves problems of several terms.
// Each one catches every exception: nothing thrown may cross into JavaScript.

#include "engine/check/answer_check.h"
#include "engine/problem/problem.h"
#include "engine/solve.h"

#include <cstddef>
#include <emscripten/emscripten.h>
#include <optional>
#include <string>

#include "web/exports/page_imports.h"
#include "web/exports/page_properties.h"
#include "web/exports/working_json.h"

// The page's side of the field: the text typed, why it could not be read
// (shown below the field), and the working of the problem read (JSON,
// web/exports/working_json.h), of a new problem or of the same problem worked
// another way or shown in another form.
extern "C" {
__attribute__((import_module("page"), import_name("expressionText"))) std::size_t
pageExpressionText(char *buffer, std::size_t capacity);
__attribute__((import_module("page"), import_name("expressionMessage"))) void pageExpressionMessage(
    const char *text, std::size_t length);
__attribute__((import_module("page"), import_name("expressionWorking"))) void pageExpressionWorking(
    const char *json, std::size_t length, int sameProblem);
}

namespace {

using namespace tobarin;

// The problem read from the field, how it is shown and worked, as last drawn.
std::optional<web::PanelProblem> &shown()
{
    static std::optional<web::PanelProblem> now;
    return now;
}

std::string expressionText()
{
    return web::readText([](int, char *buffer,
                             std::size_t capacity) { return pageExpressionText(buffer, capacity); },
        0);
}

// Works the problem out and has it drawn, unless it is drawn so already.
void show(const web::PanelProblem &next)
{
    if (shown() == next) {
        return;
    }
    const bool same = web::sameProblem(shown(), next);
    const std::string json = web::workingJson(solve(next.problem, next.form, next.method).working);
    shown() = next;
    pageExpressionWorking(json.data(), json.size(), same ? 1 : 0);
}

bool validForm(int form)
{
    return form == static_cast<int>(AnswerForm::Mixed)
        || form == static_cast<int>(AnswerForm::Improper);
}

bool validMethod(int method)
{
    return method == static_cast<int>(Method::MakeImproper)
        || method == static_cast<int>(Method::KeepMixed);
}

}  // namespace

extern "C" {

// Reads the field's problem and shows its working, in the answer form the
// calculator shows (an AnswerForm code) and worked the way chosen (a Method
// code); or says what could not be read and where, the problem shown staying
// as it was. `showing` is 1 while the working window shows the field's
// problem (the same one entered again is left as it is), 0 while it shows
// the calculator's. Returns 0 when it was read, 1 when not, -1 on a failure.
EMSCRIPTEN_KEEPALIVE int tobarin_expression_enter(int form, int method, int showing)
{
    try {
        if (!validForm(form) || !validMethod(method)) {
            return -1;
        }
        const Parsed<Problem> read = readProblem(expressionText());
        if (!read.value) {
            pageExpressionMessage(read.error.data(), read.error.size());
            return 1;
        }
        if (showing == 0) {
            shown().reset();
        }
        show({*read.value, static_cast<AnswerForm>(form), static_cast<Method>(method)});
        return 0;
    } catch (...) {
        return -1;
    }
}

// The calculator's answer form or the way of working changed: the field's
// problem is shown and worked so.
EMSCRIPTEN_KEEPALIVE int tobarin_expression_follow(int form, int method)
{
    try {
        if (!shown() || !validForm(form) || !validMethod(method)) {
            return -1;
        }
        show({shown()->problem, static_cast<AnswerForm>(form), static_cast<Method>(method)});
        return 0;
    } catch (...) {
        return -1;
    }
}

// Checks the answer typed into the working window against the field's problem,
// and shows the verdict.
EMSCRIPTEN_KEEPALIVE int tobarin_expression_check()
{
    try {
        if (!shown()) {
            return -1;
        }
        const AnswerCheck check = checkAnswer(
            shown()->problem, web::typedAnswer(pageAnswerField, pageAnswerNegative() != 0));
        pageShowVerdict(
            static_cast<int>(categoryOf(check.verdict)), check.text.data(), check.text.size());
        return 0;
    } catch (...) {
        return -1;
    }
}

}  // extern "C"
