#include "engine/window/answer.h"

#include "form/definition.h"

namespace tobarin {

std::optional<WrittenNumber> answerIn(const ControlProperties &form)
{
    const auto caption = [&form](AnswerPart part) { return form.caption(Label1[part]); };
    const std::string sign = caption(AnswerPart::Sign);
    const std::string whole = caption(AnswerPart::Whole);
    const std::string num = caption(AnswerPart::Numerator);
    const std::string den = caption(AnswerPart::Denominator);
    WrittenNumber answer;
    answer.hasWhole = !whole.empty();
    answer.hasFraction = !num.empty() && !den.empty();
    if ((!answer.hasWhole && !answer.hasFraction) || (sign != "-" && !sign.empty())) {
        return std::nullopt;
    }
    answer.negative = sign == "-";
    const auto wholeValue = wide::digitsValue(whole);
    const auto numValue = wide::digitsValue(answer.hasFraction ? num : "");
    const auto denValue = wide::digitsValue(answer.hasFraction ? den : "");
    if (!wholeValue || !numValue || !denValue) {
        return std::nullopt;
    }
    answer.whole = *wholeValue;
    answer.num = *numValue;
    answer.den = *denValue;
    return answer;
}

std::string spokenAnswer(const WrittenNumber &answer)
{
    std::string spoken = "答え ";
    if (answer.negative) {
        spoken += "マイナス ";
    }
    if (answer.hasWhole) {
        spoken += wide::decimalText(answer.whole);
    }
    if (answer.hasFraction) {
        if (answer.hasWhole) {
            spoken += " と ";
        }
        spoken += wide::decimalText(answer.den) + "分の" + wide::decimalText(answer.num);
    }
    return spoken;
}

}  // namespace tobarin
