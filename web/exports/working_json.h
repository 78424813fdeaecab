#pragma once

#include "engine/working/working.h"

#include <string>
#include <string_view>

// The working as JSON, for the page's script to draw (web/page/working-window.js).
namespace tobarin::web {

// {"text": the working as text (engine/working/working.h), with the report of a
//          message or run-time error as its last line,
//  "report": that report alone, or "",
//  "steps": [{"note": "通分する", "text": the step's line of the text form,
//             "expression": EXPRESSION}, ...]}
// where an EXPRESSION is {"kind": "number", "sum", "product", "parentheses",
//   "power", "signed" or "fraction", "enclosed": true where it stands in
//   parentheses of its own within the expression around it (a negative
//   factor, a signed term after the first, a fraction raised to a power), and
//   of a number: "number": NUMBER;
//   of a fraction of factors: "sign": "+", "-" or "", "numerator": [FACTOR...],
//     "denominator": [FACTOR...];
//   of the others: "operands": [EXPRESSION...], "operations": [Operation
//     codes between the operands], "exponent": of a power, "sign": of a
//     signed expression;
// a NUMBER is {"negative": bool, "whole": digits or "", "num": digits or "",
// "den": digits or ""}: the parts as the line shows them (a decimal's digits
// after the point in "decimals"), and a FACTOR is {"value": digits, "was":
// digits it had before it was cancelled, or null}.
[[nodiscard]] std::string workingJson(const Working &working);

// One line of a working, or a problem's line, as an EXPRESSION above.
[[nodiscard]] std::string expressionJson(const Expression &line);

// A JSON string of a UTF-8 text: quotes, backslashes and control characters
// escaped.
[[nodiscard]] std::string jsonString(std::string_view text);

}  // namespace tobarin::web
