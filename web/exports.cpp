// The module's entry points, called by the page's script (web/page/*.js).
// Each one catches every exception: nothing thrown may cross into JavaScript.

#include "engine/check/answer_check.h"
#include "engine/practice/round.h"
#include "engine/practice/set_code.h"
#include "engine/solve.h"
#include "engine/window/answer.h"
#include "engine/window/events.h"

#include <array>
#include <emscripten/emscripten.h>
#include <optional>
#include <string>
#include <utility>

#include "web/page_imports.h"
#include "web/page_properties.h"
#include "web/practice_json.h"
#include "web/working_json.h"

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

// How the window 「途中式と答え合わせ」 works sums and differences, as the pupil chose.
Method chosenMethod()
{
    return pageWorkingMethod() == static_cast<int>(Method::KeepMixed) ? Method::KeepMixed
                                                                      : Method::MakeImproper;
}

// The window 「途中式と答え合わせ」 follows the calculator's, as on the desktop: a new problem in
// the fields, or another answer form, is worked out and drawn anew; so is the same problem worked
// another way.
void followWindow()
{
    WorkingProblem current {problemIn(page()), answerFormIn(page()), chosenMethod()};
    if (workingProblem() == current) {
        return;
    }
    const bool same = workingProblem() && workingProblem()->problem == current.problem
        && workingProblem()->form == current.form;
    const std::string json
        = web::workingJson(solve(current.problem, current.form, current.method).working);
    workingProblem() = std::move(current);
    pageShowWorking(json.data(), json.size(), same ? 1 : 0);
}

// Practice: the round being answered, and the record of what is mastered,
// read from what the page keeps when it is first needed.
struct Practice {
    std::optional<practice::Round> round;
    std::optional<practice::Record> record;
};

Practice &practiceNow()
{
    static Practice now;
    return now;
}

std::string practiceInput(web::PracticeInput which)
{
    return web::readText(pagePracticeInput, static_cast<int>(which));
}

practice::Record &record()
{
    std::optional<practice::Record> &record = practiceNow().record;
    if (!record) {
        record = practice::Record::fromText(practiceInput(web::PracticeInput::KeptRecord));
    }
    return *record;
}

void showPractice(const std::string &json)
{
    pageShowPractice(json.data(), json.size());
}

void startRound(const practice::SetCode &code)
{
    practiceNow().round.emplace(practice::practiceSet(code), chosenMethod());
    showPractice(web::practiceSetJson(practiceNow().round->set()));
}

}  // namespace

extern "C" {

// The number of rows: controls and menu commands.
EMSCRIPTEN_KEEPALIVE int tobarin_rows()
{
    return web::RowCount;
}

// The name of a row's control as the page's elements carry it ("Text1(0)",
// "FileBer"), NUL-terminated, or an empty text for a row that does not exist.
EMSCRIPTEN_KEEPALIVE const char *tobarin_object_name(int row)
{
    try {
        static const auto names = [] {
            std::array<std::string, web::RowCount> all;
            for (int r = 0; r < web::RowCount; ++r) {
                all[static_cast<std::size_t>(r)] = web::controlAt(r)->objectName();
            }
            return all;
        }();
        return row >= 0 && row < web::RowCount ? names[static_cast<std::size_t>(row)].c_str() : "";
    } catch (...) {
        return "";
    }
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
        const AnswerCheck check = checkAnswer(workingProblem()->problem, answer);
        pageShowVerdict(
            static_cast<int>(categoryOf(check.verdict)), check.text.data(), check.text.size());
        return 0;
    } catch (...) {
        return -1;
    }
}

// Practice opens the set of the code the page gives (#practice=CODE, or one
// typed). A code that cannot be read is refused with what is wrong and the
// units there are. Returns 0 when the set opened, 1 when it was refused.
EMSCRIPTEN_KEEPALIVE int tobarin_practice_open()
{
    try {
        const std::string given = practiceInput(web::PracticeInput::Code);
        const Parsed<practice::SetCode> code = practice::parseSetCode(given);
        if (!code.value) {
            showPractice(web::refusedJson(given, code.error));
            return 1;
        }
        startRound(*code.value);
        return 0;
    } catch (...) {
        return -1;
    }
}

// Practice opens a new set of the unit, level and count the pupil chose, its
// seed drawn from random, a number the page draws.
EMSCRIPTEN_KEEPALIVE int tobarin_practice_choose(unsigned random)
{
    try {
        const std::string unit = practiceInput(web::PracticeInput::Unit);
        const std::string level = practiceInput(web::PracticeInput::Level);
        const std::string count = practiceInput(web::PracticeInput::Count);
        const Parsed<practice::Unit> unitRead = practice::parseUnit(unit);
        const Parsed<int> levelRead = practice::parseLevel(level);
        const Parsed<int> countRead = practice::parseCount(count);
        if (!unitRead.value || !levelRead.value || !countRead.value) {
            const std::string &error = !unitRead.value
                ? unitRead.error
                : (!levelRead.value ? levelRead.error : countRead.error);
            showPractice(web::refusedJson(unit + ":" + level + ":" + count, error));
            return 1;
        }
        // Any seed will do; six digits keep the code short enough to copy.
        startRound({*unitRead.value, *levelRead.value, *countRead.value, random % 1000000U});
        return 0;
    } catch (...) {
        return -1;
    }
}

// The same set again from its first problem.
EMSCRIPTEN_KEEPALIVE int tobarin_practice_again()
{
    try {
        if (!practiceNow().round) {
            return -1;
        }
        startRound(practiceNow().round->set().code);
        return 0;
    } catch (...) {
        return -1;
    }
}

// Checks the answer typed for the problem being answered, notes a problem done
// in the record, which the page is given to keep, and shows what became of it.
EMSCRIPTEN_KEEPALIVE int tobarin_practice_answer()
{
    try {
        std::optional<practice::Round> &round = practiceNow().round;
        if (!round || round->finished()) {
            return -1;
        }
        TypedOperand typed;
        for (const Field field : Fields) {
            typed.field(field) = web::readText(pagePracticeAnswerField, static_cast<int>(field));
        }
        typed.negative = pagePracticeAnswerNegative() != 0;
        const std::size_t problem = round->position();
        const practice::Round::Answered answered = round->answer(typed);
        if (round->answered() > problem) {
            record().note(round->set().code.unit, round->set().problems.at(problem).tags,
                round->results().back());
            const std::string kept = record().text();
            pageKeepRecord(kept.data(), kept.size());
        }
        showPractice(web::answeredJson(*round, answered, problem));
        return 0;
    } catch (...) {
        return -1;
    }
}

// Shows the record of what is mastered.
EMSCRIPTEN_KEEPALIVE int tobarin_practice_record()
{
    try {
        showPractice(web::recordJson(record()));
        return 0;
    } catch (...) {
        return -1;
    }
}

// Clears the record, and the page's copy of it, and shows it empty.
EMSCRIPTEN_KEEPALIVE int tobarin_practice_clear_record()
{
    try {
        record().clear();
        pageKeepRecord("", 0);
        showPractice(web::recordJson(record()));
        return 0;
    } catch (...) {
        return -1;
    }
}

}  // extern "C"
