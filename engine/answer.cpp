#include "engine/answer.h"

#include "form/definition.h"

namespace tobarin {

ShownAnswer answerIn(const ControlProperties &form)
{
    return {form.caption(Label1[AnswerPart::Sign]), form.caption(Label1[AnswerPart::Whole]),
        form.caption(Label1[AnswerPart::Numerator]), form.caption(Label1[AnswerPart::Denominator])};
}

std::string answerText(const ShownAnswer &answer)
{
    if (answer.empty()) {
        return {};
    }
    std::string text = answer.sign + answer.whole;
    if (answer.hasFraction()) {
        text += (answer.whole.empty() ? "" : " ") + answer.num + "/" + answer.den;
    }
    return text;
}

std::optional<AnswerValue> answerValue(const ShownAnswer &answer)
{
    if (answer.empty() || (!answer.sign.empty() && answer.sign != "-")) {
        return std::nullopt;
    }
    const bool fraction = answer.hasFraction();
    const auto whole = wide::digitsValue(answer.whole);
    const auto num = fraction ? wide::digitsValue(answer.num) : wide::Int128 {0};
    const auto den = fraction ? wide::digitsValue(answer.den) : wide::Int128 {1};
    if (!whole || !num || !den || *den == 0) {
        return std::nullopt;
    }
    const wide::Int128 improper = *whole * *den + *num;
    return AnswerValue {answer.sign == "-" ? -improper : improper, *den};
}

std::string improperAnswerText(const ShownAnswer &answer)
{
    const auto value = answerValue(answer);
    if (!value) {
        return {};
    }
    std::string text = wide::decimalText(value->num);
    if (value->den != 1) {
        text += "/" + wide::decimalText(value->den);
    }
    return text;
}

std::string spokenAnswer(const ShownAnswer &answer)
{
    if (answer.empty()) {
        return {};
    }
    std::string spoken = "答え ";
    if (answer.sign == "-") {
        spoken += "マイナス ";
    }
    spoken += answer.whole;
    if (answer.hasFraction()) {
        if (!answer.whole.empty()) {
            spoken += " と ";
        }
        spoken += answer.den + "分の" + answer.num;
    }
    return spoken;
}

}  // namespace tobarin
