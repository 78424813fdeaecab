#pragma once

#include "engine/answer_check.h"
#include "engine/problem.h"

#include <string>

#include "form/control_properties.h"

// The page's panel beside the window: the working (途中式) of a calculation and
// the answer check (答え合わせ), both from the engine's own records, for the
// page's script to draw.
namespace tobarin::web {

// The working of a problem as Calculate works it, then folded into an
// improper fraction where the window shows one, as JSON:
//   {"text": the working as text (engine/working.h), with the report of a
//            message or run-time error as its last line,
//    "report": that report alone, or "",
//    "steps": [{"note": "通分する", "operation": -1 or 0 to 3,
//               "first": NUMBER, "second": NUMBER or null}, ...]}
// where a NUMBER is {"negative": bool, "whole": digits or "",
// "num": digits or "", "den": digits or ""}: the parts as the line shows them.
[[nodiscard]] std::string workingJson(const Problem &problem, bool improper);

}  // namespace tobarin::web
