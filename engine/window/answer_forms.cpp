#include "engine/window/answer_forms.h"

#include "engine/number/conversions.h"
#include "engine/number/number_theory.h"

#include "form/definition.h"

namespace tobarin {

namespace {

constexpr ControlId AnswerDenominator = Label1[AnswerPart::Denominator];
constexpr ControlId AnswerNumerator = Label1[AnswerPart::Numerator];
constexpr ControlId AnswerWhole = Label1[AnswerPart::Whole];

}  // namespace

void Option2_Click(ControlProperties &form, std::int16_t index)
{
    const auto read
        = [&form](ControlId label) { return ToCurrency(TextValue(form.caption(label))); };
    const Currency den = read(AnswerDenominator);
    const Currency num = read(AnswerNumerator);
    const Currency whole = read(AnswerWhole);

    if (index == 0) {
        // Mixed number: only an answer with no integer part yet and a fraction
        // worth at least 1 is split.
        if (whole.sign() != 0 || den.sign() == 0) {
            return;
        }
        const double quotient = Fix(checkedDivide(ToDouble(num), ToDouble(den)));
        if (quotient == 0.0) {
            return;
        }
        const Currency rest = Remainder(num, den);
        form.setCaption(AnswerNumerator, NumberText(rest));
        form.setCaption(AnswerWhole, NumberText(quotient));
    } else if (index == 1) {
        // Improper fraction: fold the integer part into the numerator.
        if (whole.sign() == 0 || den.sign() == 0) {
            return;
        }
        const Currency folded = den * whole + num;
        form.setCaption(AnswerNumerator, NumberText(folded));
        form.setCaption(AnswerWhole, "");
    }
}

}  // namespace tobarin
