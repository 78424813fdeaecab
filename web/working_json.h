#pragma once

#include "engine/working.h"

#include <string>

// The working as JSON, for the page's script to draw (web/page/panel.js).
namespace tobarin::web {

// {"text": the working as text (engine/working.h), with the report of a
//          message or run-time error as its last line,
//  "report": that report alone, or "",
//  "steps": [{"note": "通分する", "operation": an Operation code or null,
//             "first": NUMBER, "second": NUMBER or null}, ...]}
// where a NUMBER is {"negative": bool, "whole": digits or "",
// "num": digits or "", "den": digits or ""}: the parts as the line shows them.
[[nodiscard]] std::string workingJson(const Working &working);

}  // namespace tobarin::web
