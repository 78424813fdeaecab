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

}  // namespace tobarin
