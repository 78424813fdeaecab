#include "engine/answer_forms.h"

#include "engine/conversions.h"
#include "engine/number_theory.h"
#include "engine/runtime_error.h"
#include "engine/wide.h"
#include "engine/working.h"

#include "form/definition.h"

namespace tobarin {

namespace {

constexpr ControlId AnswerDenominator = Label1[AnswerPart::Denominator];
constexpr ControlId AnswerNumerator = Label1[AnswerPart::Numerator];
constexpr ControlId AnswerWhole = Label1[AnswerPart::Whole];
constexpr ControlId AnswerSign = Label1[AnswerPart::Sign];

wide::Int128 wholeOf(Currency x)
{
    return x.count() / Currency::Scale;
}

// The labels hold whole numbers whenever Calculate wrote them, and the working
// shows them as such.
void answerForm(ControlProperties &form, std::int16_t index, WorkingRecorder *recorder)
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
        if (recorder) {
            recorder->step(Note::MakeMixed,
                numberLine(shownMixed(form.caption(AnswerSign) == "-",
                    static_cast<wide::Int128>(quotient), wholeOf(rest), wholeOf(den))));
        }
    } else if (index == 1) {
        // Improper fraction: fold the integer part into the numerator.
        if (whole.sign() == 0 || den.sign() == 0) {
            return;
        }
        const Currency folded = den * whole + num;
        form.setCaption(AnswerNumerator, NumberText(folded));
        form.setCaption(AnswerWhole, "");
        if (recorder) {
            const wide::Int128 shownNum = wholeOf(folded);
            recorder->step(Note::MakeImproperAnswer,
                numberLine(shownFraction(
                    form.caption(AnswerSign) == "-" ? -shownNum : shownNum, wholeOf(den))));
        }
    }
}

}  // namespace

void Option2_Click(ControlProperties &form, std::int16_t index, WorkingRecorder *recorder)
{
    if (!recorder) {
        answerForm(form, index, nullptr);
        return;
    }
    try {
        answerForm(form, index, recorder);
    } catch (const RuntimeError &error) {
        recorder->error(error.number());
        throw;
    }
}

}  // namespace tobarin
