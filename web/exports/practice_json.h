#pragma once

#include "engine/practice/round.h"

#include <cstdint>
#include <string>
#include <string_view>

// Practice as JSON, for the page's script to draw (web/page/practice-panel.js).
// Every word in it is the engine's, for the page to show as it is. Each is an
// object whose "kind" says what it is:
//
// {"kind": "set", "code": "p1:5-unlike:2:10:4821", "unit": "5-unlike",
//  "title": the set's title, "instruction": the worksheet's instruction
//  line, "problems":
//  [{"expression": the problem line, "line": EXPRESSION, "number": "(1)",
//  "progress": "1 / 10", "problem": the problem with its "=", "asked": what
//  the pupil is asked to give, on the line above the answer, "answerLine":
//  the hint of the line the answer is typed on, or "" for the fields, "key":
//  its answer as the answer key writes it, "1 1/6 (7/6)", and of an answer
//  of several numbers (通分) "keyLine": EXPRESSION of them}...]}
//
// {"kind": "refused", "message": why the code or choice opens no set, lines
//  joined by "\n", "unitsHeading": the words before the list of units,
//  "units": [{"id": "4-like", "title": ...}...]}
//
// {"kind": "answered", "problem": the problem answered (0-based), "outcome":
//  "right", "tryAgain", "missed" or "notRead", "category": a VerdictCategory
//  code, "verdict": the verdict after the problem's number, "then": what
//  comes next on a line of its own ("" for nothing), "working": WORKING of a
//  missed problem or null, "finished": whether that was the set's last
//  answer, "result": "first", "second" or "missed" once the problem is done,
//  or null, and once it was "score": "10問中9問正解（1回目で7問）", "time":
//  the time taken, "resultCode": the result code (結果コード), "missedHeading",
//  and "missed": [{"problem": 0-based, "number": "(2)", "working":
//  WORKING}...]}
//
// {"kind": "record", "units": [{"id", "title", "rows": [{"tag": "coprime",
//  "streak": right in a row up to 3, "mastered": bool}...]}...]}, the units
//  that have been practised, in the order of the textbooks
//
// where EXPRESSION and WORKING are those of web/exports/working_json.h.
namespace tobarin::web {

// What the page hands the engine for practice, by its code: the unit (its id),
// level and count chosen, a set's code, the record the page keeps, and an
// answer typed on the line that stands in the fields' place.
enum class PracticeInput { Unit, Level, Count, Code, KeptRecord, AnswerLine };

[[nodiscard]] std::string practiceSetJson(const practice::Round &round);
[[nodiscard]] std::string refusedJson(std::string_view message);
// `elapsed`: the milliseconds the round has taken, for the time once it is
// over; `number`: the 出席番号 for the result code, 0 for none.
[[nodiscard]] std::string answeredJson(const practice::Round &round,
    const practice::Round::Answered &answered, std::int64_t elapsed, int number);
[[nodiscard]] std::string recordJson(const practice::Record &record);

}  // namespace tobarin::web
