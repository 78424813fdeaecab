#pragma once

#include "engine/practice/round.h"

#include <string>
#include <string_view>

// Practice as JSON, for the page's script to draw (web/page/practice-panel.js).
// Each is an object whose "kind" says what it is:
//
// {"kind": "set", "code": "p1:5-unlike:2:10:4821", "unit": "5-unlike",
//  "title": the unit's title, "level": 2, "formWanted": the form the unit asks
//  for, "problems": [{"expression": the problem line, "line": EXPRESSION}...]}
//
// {"kind": "refused", "given": the code (or choice) as given, "message": why
//  it cannot be read, in English, "units": [{"id": "4-like", "title": ...}...]}
//
// {"kind": "answered", "problem": the problem answered (0-based), "outcome":
//  "right", "tryAgain", "missed" or "notRead", "category": a VerdictCategory
//  code, "text": the verdict, "working": WORKING of a missed problem or null,
//  "finished": whether that was the set's last answer, "result": "first",
//  "second" or "missed" once the problem is done, or null, and once it was
//  "score": "10問中8問正解" and "missed": [{"problem": 0-based, "working":
//  WORKING}...]}
//
// {"kind": "record", "units": [{"id", "title", "rows": [{"tag": "coprime",
//  "streak": right in a row up to 3, "mastered": bool}...]}...]}, the units
//  that have been practised, in the order of the textbooks
//
// where EXPRESSION and WORKING are those of web/exports/working_json.h.
namespace tobarin::web {

// What the page hands the engine for practice, by its code: the unit (its id),
// level and count chosen, a set's code, and the record the page keeps.
enum class PracticeInput { Unit, Level, Count, Code, KeptRecord };

[[nodiscard]] std::string practiceSetJson(const practice::PracticeSet &set);
[[nodiscard]] std::string refusedJson(std::string_view given, std::string_view message);
[[nodiscard]] std::string answeredJson(
    const practice::Round &round, const practice::Round::Answered &answered, std::size_t problem);
[[nodiscard]] std::string recordJson(const practice::Record &record);

}  // namespace tobarin::web
