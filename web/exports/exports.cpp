// The calculator's module, which the page carries: the window alone, its
// events and run-time errors. The panel 「途中式と答え合わせ」 works in the second
// module (web/exports/working_exports.cpp), loaded when it is first needed.
// Each entry point catches every exception: nothing thrown may cross into
// JavaScript.

#include "engine/window/answer.h"
#include "engine/window/events.h"
#include "engine/window/problem.h"

#include <emscripten/emscripten.h>
#include <optional>
#include <string>

#include "web/exports/page_imports.h"
#include "web/exports/page_properties.h"

namespace {

using namespace tobarin;

web::PageProperties &page()
{
    static web::PageProperties properties;
    return properties;
}

void announceAnswer()
{
    const std::optional<WrittenNumber> answer = answerIn(page());
    const std::string spoken = answer ? spokenAnswer(*answer) : std::string();
    pageAnnounce(spoken.data(), spoken.size());
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

}  // extern "C"
