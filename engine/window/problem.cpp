#include "engine/window/problem.h"

namespace tobarin {

namespace {

// The text of a field of a typed operand, const or not.
template <typename Operand> auto &fieldOf(Operand &operand, Field which)
{
    switch (which) {
    case Field::Denominator:
        return operand.den;
    case Field::Numerator:
        return operand.num;
    case Field::Whole:
        break;
    }
    return operand.whole;
}

}  // namespace

const std::string &TypedOperand::field(Field which) const
{
    return fieldOf(*this, which);
}

std::string &TypedOperand::field(Field which)
{
    return fieldOf(*this, which);
}

void enterProblem(MemoryForm &form, const TypedProblem &problem)
{
    for (const Field field : Fields) {
        form.setText(Text1[field], problem.first.field(field));
        form.setText(Text2[field], problem.second.field(field));
    }
    form.setValue(Check1[0], problem.first.negative ? 1 : 0);
    form.setValue(Check1[1], problem.second.negative ? 1 : 0);
    form.select(Option1[problem.operation]);
}

TypedProblem fieldsIn(const ControlProperties &form)
{
    TypedProblem problem;
    for (const Field field : Fields) {
        problem.first.field(field) = form.text(Text1[field]);
        problem.second.field(field) = form.text(Text2[field]);
    }
    problem.first.negative = form.value(Check1[0]) == 1;
    problem.second.negative = form.value(Check1[1]) == 1;
    for (const Operation operation : Operations) {
        if (form.value(Option1[operation]) == 1) {
            problem.operation = operation;
        }
    }
    return problem;
}

AnswerForm answerFormIn(const ControlProperties &form)
{
    return form.value(Option2[AnswerForm::Improper]) == 1 ? AnswerForm::Improper
                                                          : AnswerForm::Mixed;
}

}  // namespace tobarin
