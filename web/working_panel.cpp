#include "web/working_panel.h"

#include "engine/calculate.h"
#include "engine/runtime_error.h"
#include "engine/working.h"

#include "form/definition.h"
#include "form/memory_form.h"

namespace tobarin::web {

namespace {

// A JSON string: quotes, backslashes and control characters escaped; every
// other byte of the UTF-8 text as it is.
std::string quoted(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (static_cast<unsigned char>(c) < 0x20) {
            static constexpr char Hex[] = "0123456789abcdef";
            out += "\\u00";
            out += Hex[(c >> 4) & 0xF];
            out += Hex[c & 0xF];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string numberJson(const ShownNumber &number)
{
    return std::string("{\"negative\":") + (number.negative ? "true" : "false")
        + ",\"whole\":" + quoted(number.hasWhole ? wide::decimalText(number.whole) : "")
        + ",\"num\":" + quoted(number.hasFraction ? wide::decimalText(number.num) : "")
        + ",\"den\":" + quoted(number.hasFraction ? wide::decimalText(number.den) : "") + "}";
}

}  // namespace

std::string workingJson(const Problem &problem, bool improper)
{
    MemoryForm form;
    enterProblem(form, problem);
    Working working;
    try {
        Command1_Click(form, &working);
        if (improper && working.end() == Working::End::Answer) {
            Option2_Click(form, 1, &working);
        }
    } catch (const RuntimeError &) {
        // The working has recorded the error where it ended.
    }
    const std::string report = reportText(working);
    std::string text = workingText(working);
    if (!report.empty()) {
        text += report + "\n";
    }
    std::string json
        = "{\"text\":" + quoted(text) + ",\"report\":" + quoted(report) + ",\"steps\":[";
    bool first = true;
    for (const Step &step : working.steps()) {
        json += first ? "" : ",";
        first = false;
        json += "{\"note\":" + quoted(noteOf(step.kind))
            + ",\"operation\":" + std::to_string(step.expression.operation)
            + ",\"first\":" + numberJson(step.expression.first) + ",\"second\":"
            + (step.expression.second ? numberJson(*step.expression.second) : "null") + "}";
    }
    return json + "]}";
}

}  // namespace tobarin::web
