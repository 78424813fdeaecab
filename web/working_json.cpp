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

std::string boolean(bool value)
{
    return value ? "true" : "false";
}

std::string factorsJson(const std::vector<Factor> &factors)
{
    std::string json = "[";
    for (const Factor &factor : factors) {
        json += (json.size() > 1 ? ",{\"value\":" : "{\"value\":")
            + quoted(wide::decimalText(factor.value))
            + ",\"was\":" + (factor.was ? quoted(wide::decimalText(*factor.was)) : "null") + "}";
    }
    return json + "]";
}

std::string_view shapeName(Line::Shape shape)
{
    switch (shape) {
    case Line::Shape::Number:
        return "number";
    case Line::Shape::Pair:
        return "pair";
    case Line::Shape::Signed:
        return "signed";
    case Line::Shape::Product:
        break;
    }
    return "product";
}

std::string lineJson(const Line &line)
{
    const bool pair = line.shape == Line::Shape::Pair || line.shape == Line::Shape::Signed;
    return "{\"shape\":" + quoted(shapeName(line.shape)) + ",\"sign\":"
        + quoted(line.sign == Sign::Plus   ? "+"
                : line.sign == Sign::Minus ? "-"
                                           : "")
        + ",\"first\":" + numberJson(line.first) + ",\"firstParenthesised\":"
        + boolean(pair && parenthesised(line, false)) + ",\"operation\":"
        + (pair && line.operation ? std::to_string(static_cast<int>(*line.operation)) : "null")
        + ",\"second\":" + (pair ? numberJson(line.second) : "null") + ",\"secondParenthesised\":"
        + boolean(pair && parenthesised(line, true)) + ",\"numerator\":"
        + factorsJson(line.numerator) + ",\"denominator\":" + factorsJson(line.denominator) + "}";
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
        json += "{\"note\":" + quoted(noteText(step.note)) + ",\"line\":" + lineJson(step.line)
            + "}";
    }
    return json + "]}";
}

}  // namespace tobarin::web
