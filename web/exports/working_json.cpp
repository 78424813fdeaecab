#include "web/exports/working_json.h"

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
        + ",\"den\":" + jsonString(number.hasFraction ? wide::decimalText(number.den) : "")
        + (number.isDecimal() ? ",\"decimals\":" + jsonString(number.decimals) : "") + "}";
}

std::string_view signName(Sign sign)
{
    return sign == Sign::Plus ? "+" : sign == Sign::Minus ? "-" : "";
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

std::string_view kindName(Expression::Kind kind)
{
    switch (kind) {
    case Expression::Kind::Number:
        return "number";
    case Expression::Kind::Sum:
        return "sum";
    case Expression::Kind::Product:
        return "product";
    case Expression::Kind::Parentheses:
        return "parentheses";
    case Expression::Kind::Power:
        return "power";
    case Expression::Kind::Signed:
        return "signed";
    case Expression::Kind::List:
        return "list";
    case Expression::Kind::Over:
        return "over";
    case Expression::Kind::Conversion:
        return "conversion";
    case Expression::Kind::Fraction:
        break;
    }
    return "fraction";
}

std::string nodeJson(const Expression &line, bool enclosedHere)
{
    std::string json = "{\"kind\":" + jsonString(kindName(line.kind));
    if (enclosedHere) {
        json += ",\"enclosed\":true";
    }
    switch (line.kind) {
    case Expression::Kind::Number:
        return json + ",\"number\":" + numberJson(line.number) + "}";
    case Expression::Kind::Fraction:
        return json + ",\"sign\":" + jsonString(signName(line.sign))
            + ",\"numerator\":" + factorsJson(line.numerator)
            + ",\"denominator\":" + factorsJson(line.denominator) + "}";
    default:
        break;
    }
    json += ",\"operands\":[";
    for (std::size_t i = 0; i < line.operands.size(); ++i) {
        json += (i > 0 ? "," : "") + nodeJson(line.operands[i], enclosed(line, i));
    }
    if (line.kind == Expression::Kind::Conversion) {
        json += "],\"asked\":" + jsonString(askedFormText(line.asked)) + ",\"operations\":[";
    } else {
        json += "],\"operations\":[";
    }
    for (std::size_t i = 0; i < line.operations.size(); ++i) {
        json += (i > 0 ? "," : "") + std::to_string(static_cast<int>(line.operations[i]));
    }
    return json + "],\"exponent\":" + std::to_string(line.exponent)
        + ",\"sign\":" + jsonString(signName(line.sign)) + "}";
}

}  // namespace

std::string expressionJson(const Expression &line)
{
    return nodeJson(line, false);
}

std::string workingJson(const Working &working)
{
    std::string json = "{\"text\":" + jsonString(workingText(working))
        + ",\"report\":" + jsonString(working.report) + ",\"steps\":[";
    bool first = true;
    for (const Step &step : working.steps) {
        json += first ? "" : ",";
        first = false;
        json += "{\"note\":" + jsonString(stepNote(step))
            + ",\"text\":" + jsonString(stepText(step))
            + ",\"expression\":" + expressionJson(step.expression) + "}";
    }
    return json + "]}";
}

}  // namespace tobarin::web
