// The entry points of practice (練習), the page's second engine module
// (tobarin-practice.wasm), which the page loads only when practice is first
// opened: the calculator's own module stays as small as it was. Each one
// catches every exception: nothing thrown may cross into JavaScript.

#include "engine/practice/round.h"
#include "engine/practice/set_code.h"

#include <emscripten/emscripten.h>
#include <optional>
#include <string>

#include "web/exports/page_imports.h"
#include "web/exports/page_properties.h"
#include "web/exports/practice_json.h"

namespace {

using namespace tobarin;

// Practice: the round being answered.
struct Practice {
    std::optional<practice::Round> round;
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

// The record of what is mastered as the page keeps it now: another tab of
// the page may have noted its own results since it was last read.
practice::Record keptRecord()
{
    return practice::Record::fromText(practiceInput(web::PracticeInput::KeptRecord));
}

void keepRecord(const practice::Record &record)
{
    const std::string text = record.text();
    pageKeepRecord(text.data(), text.size(), static_cast<int>(record.unread().size()));
}

void showPractice(const std::string &json)
{
    pageShowPractice(json.data(), json.size());
}

void startRound(const practice::SetCode &code)
{
    practiceNow().round.emplace(practice::practiceSet(code), web::chosenMethod());
    showPractice(web::practiceSetJson(practiceNow().round->set()));
}

}  // namespace

extern "C" {

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
// in the record as the page keeps it now, gives the page the record to keep,
// and shows what became of the answer.
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
            practice::Record record = keptRecord();
            record.note(round->set().code.unit, round->set().problems.at(problem).tags,
                round->results().back());
            keepRecord(record);
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
        showPractice(web::recordJson(keptRecord()));
        return 0;
    } catch (...) {
        return -1;
    }
}

// Clears the record the page keeps, and shows it as it is kept then.
EMSCRIPTEN_KEEPALIVE int tobarin_practice_clear_record()
{
    try {
        keepRecord(practice::Record {});
        showPractice(web::recordJson(keptRecord()));
        return 0;
    } catch (...) {
        return -1;
    }
}

}  // extern "C"
