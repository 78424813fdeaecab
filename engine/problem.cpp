#include "engine/problem.h"

#include "form/definition.h"

namespace tobarin {

void enterProblem(MemoryForm &form, const Problem &problem)
{
    for (int index = 0; index < Text1.size(); ++index) {
        const auto field = static_cast<std::size_t>(index);
        form.setText(Text1[index], problem.first.fields[field]);
        form.setText(Text2[index], problem.second.fields[field]);
    }
    form.setValue(Check1[0], problem.first.negative ? 1 : 0);
    form.setValue(Check1[1], problem.second.negative ? 1 : 0);
    form.select(Option1[problem.operation]);
}

Problem problemIn(const ControlProperties &form)
{
    Problem problem;
    for (int index = 0; index < Text1.size(); ++index) {
        const auto field = static_cast<std::size_t>(index);
        problem.first.fields[field] = form.text(Text1[index]);
        problem.second.fields[field] = form.text(Text2[index]);
    }
    problem.first.negative = form.value(Check1[0]) == 1;
    problem.second.negative = form.value(Check1[1]) == 1;
    for (int index = 0; index < Option1.size(); ++index) {
        if (form.value(Option1[index]) == 1) {
            problem.operation = index;
        }
    }
    return problem;
}

std::string answerText(const ControlProperties &form)
{
    const std::string whole = form.caption(Label1[2]);
    const std::string num = form.caption(Label1[1]);
    const std::string den = form.caption(Label1[0]);
    const bool fraction = !num.empty() && !den.empty();
    if (whole.empty() && !fraction) {
        return {};
    }
    std::string text = form.caption(Label1[3]) + whole;
    if (fraction) {
        text += (whole.empty() ? "" : " ") + num + "/" + den;
    }
    return text;
}

namespace {

// A caption of digits (at most 18, so that products of two stay far inside 128 bits), or
// nothing; an empty caption is 0.
std::optional<wide::Int128> digitsValue(const std::string &caption)
{
    if (caption.size() > 18) {
        return std::nullopt;
    }
    wide::Int128 value = 0;
    for (const char c : caption) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

std::optional<AnswerValue> answerValue(const ControlProperties &form)
{
    if (answerText(form).empty()) {
        return std::nullopt;
    }
    const std::string sign = form.caption(Label1[3]);
    const std::string numCaption = form.caption(Label1[1]);
    const std::string denCaption = form.caption(Label1[0]);
    // As answerText reads them: a fraction only where both of its labels hold one.
    const bool fraction = !numCaption.empty() && !denCaption.empty();
    const auto whole = digitsValue(form.caption(Label1[2]));
    const auto num = fraction ? digitsValue(numCaption) : wide::Int128 {0};
    const auto den = fraction ? digitsValue(denCaption) : wide::Int128 {1};
    if ((!sign.empty() && sign != "-") || !whole || !num || !den || *den == 0) {
        return std::nullopt;
    }
    const wide::Int128 improper = *whole * *den + *num;
    return AnswerValue {sign == "-" ? -improper : improper, *den};
}

std::string improperAnswerText(const ControlProperties &form)
{
    const auto value = answerValue(form);
    if (!value) {
        return {};
    }
    const bool negative = value->num < 0;
    std::string text
        = (negative ? "-" : "") + wide::decimalText(negative ? -value->num : value->num);
    if (value->den != 1) {
        text += "/" + wide::decimalText(value->den);
    }
    return text;
}

}  // namespace tobarin
