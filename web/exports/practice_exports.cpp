// The entry points of practice (練習), the page's second engine module
// (tobarin-practice.wasm), which the page loads only when practice is first
// opened: the calculator's own module stays as small as it was. Each one
// catches every exception: nothing thrown may cross into JavaScript.

#include "engine/practice/round.h"
#include "engine/practice/set_code.h"
#include "engine/practice/sheet.h"

#include <cstdint>
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
    practiceNow().round.emplace(practice::practiceSet(code), web::methodChosen());
    showPractice(web::practiceSetJson(*practiceNow().round));
}

}  // namespace

extern "C" {

// Practice opens the set of the code the page gives (#practice=CODE, or one
// typed), read as a pupil types it. A code that cannot be read is refused
// with what is wrong and the units there are. Returns 0 when the set opened,
// 1 when it was refused.
EMSCRIPTEN_KEEPALIVE int tobarin_practice_open()
{
    try {
        const Parsed<practice::SetCode> code
            = practice::readSetCode(practiceInput(web::PracticeInput::Code));
        if (!code.value) {
            showPractice(web::refusedJson(code.error));
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
        const Parsed<practice::SetCode> code = practice::readChosenSet(
            practiceInput(web::PracticeInput::Unit), practiceInput(web::PracticeInput::Level),
            practiceInput(web::PracticeInput::Count), random);
        if (!code.value) {
            showPractice(web::refusedJson(code.error));
            return 1;
        }
        startRound(*code.value);
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
// and shows what became of the answer; `elapsed`, the milliseconds since the
// set was shown, is the time taken when that was the last answer, and
// `number` the 出席番号 the page keeps for the result code then (0: none; one
// out of range counts as none).
EMSCRIPTEN_KEEPALIVE int tobarin_practice_answer(double elapsed, int number)
{
    try {
        std::optional<practice::Round> &round = practiceNow().round;
        if (!round || round->finished()) {
            return -1;
        }
        const std::size_t problem = round->position();
        std::optional<practice::Round::Answered> answered;
        if (practice::answerLineHint(round->current().problem).empty()) {
            answered = round->answer(
                web::typedAnswer(pagePracticeAnswerField, pagePracticeAnswerNegative() != 0));
        } else {
            // Typed on the line that stands in the fields' place.
            const std::string line = practiceInput(web::PracticeInput::AnswerLine);
            answered = round->answer(std::string_view(line));
        }
        if (round->answered() > problem) {
            practice::Record record = keptRecord();
            record.note(round->set().code.unit, round->set().problems.at(problem).tags,
                round->results().back());
            keepRecord(record);
        }
        // A time the page could not measure counts as none.
        const bool measured = elapsed >= 0 && elapsed < 1e15;
        const bool numbered = number > 0 && number <= results::MostNumber;
        showPractice(web::answeredJson(*round, *answered,
            measured ? static_cast<std::int64_t>(elapsed) : 0, numbered ? number : 0));
        return 0;
    } catch (...) {
        return -1;
    }
}

// Lays out the worksheet of the set being practised, whose widest problem,
// drawn with its number and its "=", is that many millimetres wide: one
// column where the two would not hold it.
EMSCRIPTEN_KEEPALIVE int tobarin_practice_sheet_layout(double widestMillimetres)
{
    try {
        if (!practiceNow().round) {
            return -1;
        }
        const practice::SheetLayout layout
            = practice::sheetLayout(practiceNow().round->set().code.unit, widestMillimetres);
        pageSheetLayout(layout.columns, layout.problemsAPage);
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
