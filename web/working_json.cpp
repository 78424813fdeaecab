#include "web/working_json.h"

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

std::string workingJson(const Working &working)
{
    std::string json = "{\"text\":" + quoted(workingText(working))
        + ",\"report\":" + quoted(working.report) + ",\"steps\":[";
    bool first = true;
    for (const Step &step : working.steps) {
        json += first ? "" : ",";
        first = false;
        const auto &operation = step.expression.operation;
        json += "{\"note\":" + quoted(noteOf(step.kind)) + ",\"operation\":"
            + (operation ? std::to_string(static_cast<int>(*operation)) : "null")
            + ",\"first\":" + numberJson(step.expression.first) + ",\"second\":"
            + (step.expression.second ? numberJson(*step.expression.second) : "null") + "}";
    }
    return json + "]}";
}

}  // namespace tobarin::web
