#include "web/working_json.h"

namespace tobarin::web {

// Every byte of the UTF-8 text but quotes, backslashes and control characters
// as it is.
std::string jsonString(std::string_view text)
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

namespace {

std::string numberJson(const WrittenNumber &number)
{
    return std::string("{\"negative\":") + (number.negative ? "true" : "false")
        + ",\"whole\":" + jsonString(number.hasWhole ? wide::decimalText(number.whole) : "")
        + ",\"num\":" + jsonString(number.hasFraction ? wide::decimalText(number.num) : "")
        + ",\"den\":" + jsonString(number.hasFraction ? wide::decimalText(number.den) : "") + "}";
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
            + jsonString(wide::decimalText(factor.value)) + ",\"was\":"
            + (factor.was ? jsonString(wide::decimalText(*factor.was)) : "null") + "}";
    }
    return json + "]";
}

std::string_view shapeName(Expression::Shape shape)
{
    switch (shape) {
    case Expression::Shape::Number:
        return "number";
    case Expression::Shape::Pair:
        return "pair";
    case Expression::Shape::Signed:
        return "signed";
    case Expression::Shape::Product:
        break;
    }
    return "product";
}

}  // namespace

std::string expressionJson(const Expression &line)
{
    const bool pair
        = line.shape == Expression::Shape::Pair || line.shape == Expression::Shape::Signed;
    return "{\"shape\":" + jsonString(shapeName(line.shape)) + ",\"sign\":"
        + jsonString(line.sign == Sign::Plus ? "+"
                : line.sign == Sign::Minus   ? "-"
                                             : "")
        + ",\"first\":" + numberJson(line.first) + ",\"firstParenthesised\":"
        + boolean(pair && parenthesised(line, false)) + ",\"operation\":"
        + (pair && line.operation ? std::to_string(static_cast<int>(*line.operation)) : "null")
        + ",\"second\":" + (pair ? numberJson(line.second) : "null") + ",\"secondParenthesised\":"
        + boolean(pair && parenthesised(line, true)) + ",\"numerator\":"
        + factorsJson(line.numerator) + ",\"denominator\":" + factorsJson(line.denominator) + "}";
}

std::string workingJson(const Working &working)
{
    std::string json = "{\"text\":" + jsonString(workingText(working))
        + ",\"report\":" + jsonString(working.report) + ",\"steps\":[";
    bool first = true;
    for (const Step &step : working.steps) {
        json += first ? "" : ",";
        first = false;
        json += "{\"note\":" + jsonString(noteText(step.note))
            + ",\"text\":" + jsonString(stepText(step))
            + ",\"expression\":" + expressionJson(step.expression) + "}";
    }
    return json + "]}";
}

}  // namespace tobarin::web
