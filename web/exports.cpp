// The module's entry points, called by the page's script (web/page/*.js).
// Each one catches every exception: nothing thrown may cross into JavaScript.

#include "engine/answer_check.h"
#include "engine/events.h"
#include "engine/spoken_answer.h"

#include <array>
#include <emscripten/emscripten.h>
#include <optional>
#include <string>

#include "web/page_imports.h"
#include "web/page_properties.h"
#include "web/working_panel.h"

namespace {

using namespace tobarin;

web::PageProperties &page()
{
    static web::PageProperties properties;
    return properties;
}

// The problem of the last Calculate, whose working the panel shows, until
// Clear empties the answer.
std::optional<Problem> &calculated()
{
    static std::optional<Problem> problem;
    return problem;
}

void announceAnswer()
{
    const std::string spoken = SpokenAnswer(page().caption(Label1[3]), page().caption(Label1[2]),
        page().caption(Label1[1]), page().caption(Label1[0]));
    pageAnnounce(spoken.data(), spoken.size());
}

void showWorking(bool improper)
{
    const std::string json
        = calculated() ? web::workingJson(*calculated(), improper) : std::string();
    pageShowWorking(json.data(), json.size());
}

// The panel follows the answer the window shows: the working of each
// Calculate, folded or split with the answer forms, gone after Clear.
void followAnswer(ControlId control, Event event)
{
    if (event != Event::Click) {
        return;
    }
    if (control == Command1) {
        showWorking(false);
    } else if (Option2.contains(control)) {
        showWorking(control == Option2[1]);
    } else if (control == Command2) {
        calculated().reset();
        showWorking(false);
    }
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

// Raises an event (0 Click, 1 GotFocus, 2 LostFocus, as enum Event) of a
// row's control. A run-time error to be reported at once is reported here;
// one that must wait until the focus has finished moving is returned, for the
// page to report through tobarin_report when that time comes. Returns 0 when
// there is nothing to report, and -1 when the row or event does not exist or
// the engine failed in a way it does not report itself.
EMSCRIPTEN_KEEPALIVE int tobarin_raise(int row, int event)
{
    try {
        const auto control = web::controlAt(row);
        if (!control || event < 0 || event > static_cast<int>(Event::LostFocus)) {
            return -1;
        }
        const auto raised = static_cast<Event>(event);
        if (*control == Command1 && raised == Event::Click) {
            calculated() = problemIn(page());  // as Calculate reads it
        }
        const auto pending = raiseEvent(page(), *control, raised);
        if (page().takeAnswerChanged()) {
            announceAnswer();
        }
        followAnswer(*control, raised);
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

// Checks the answer typed into the panel against the problem in the window's
// fields, and shows the verdict.
EMSCRIPTEN_KEEPALIVE int tobarin_check()
{
    try {
        TypedOperand answer;
        for (int index = 0; index < 3; ++index) {
            answer.fields[static_cast<std::size_t>(index)] = web::readText(pageAnswerField, index);
        }
        answer.negative = pageAnswerNegative() != 0;
        const AnswerCheck check = checkAnswer(problemIn(page()), answer);
        pageShowVerdict(exitStatus(check.verdict), check.text.data(), check.text.size());
        return 0;
    } catch (...) {
        return -1;
    }
}

}  // extern "C"
