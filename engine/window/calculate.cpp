#include "engine/window/calculate.h"

#include "engine/number/conversions.h"
#include "engine/number/number_theory.h"
#include "engine/number/runtime_error.h"
#include "engine/number/wide.h"
#include "engine/window/answer_forms.h"

#include <optional>
#include <string_view>

#include "form/definition.h"

namespace tobarin {

namespace {

constexpr std::string_view DenominatorTitle = "エラーメッセージ";

constexpr ControlId AnswerDenominator = Label1[AnswerPart::Denominator];
constexpr ControlId AnswerNumerator = Label1[AnswerPart::Numerator];
constexpr ControlId AnswerWhole = Label1[AnswerPart::Whole];
constexpr ControlId AnswerSign = Label1[AnswerPart::Sign];

// One operand as read from its three fields; Improper is worked out.
struct Operand {
    std::int32_t Den = 0;
    std::int32_t Num = 0;
    std::int32_t Whole = 0;
    std::int32_t Improper = 0;
};

std::int32_t multiply32(std::int32_t a, std::int32_t b)
{
    std::int32_t result = 0;
    if (__builtin_mul_overflow(a, b, &result)) {
        raiseOverflow();
    }
    return result;
}

std::int32_t add32(std::int32_t a, std::int32_t b)
{
    std::int32_t result = 0;
    if (__builtin_add_overflow(a, b, &result)) {
        raiseOverflow();
    }
    return result;
}

std::int32_t negate32(std::int32_t a)
{
    std::int32_t result = 0;
    if (__builtin_sub_overflow(0, a, &result)) {
        raiseOverflow();
    }
    return result;
}

// a / b in double, stored back into 32 bits.
std::int32_t divide32(std::int32_t a, std::int32_t b)
{
    return ToLong(checkedDivide(a, b));
}

std::int32_t gcd32(std::int32_t m, std::int32_t n)
{
    return ToLong(GCD(ToCurrency(m), ToCurrency(n)));
}

// Divides both numbers by their GCD, which may be negative and then turns
// both signs round.
void divideByGcd(std::int32_t &a, std::int32_t &b)
{
    const std::int32_t g = gcd32(a, b);
    a = divide32(a, g);
    b = divide32(b, g);
}

// The operation of the selected operation button (the first, should there be
// several), or none when none is selected.
std::optional<Operation> selectedOperation(const ControlProperties &form)
{
    for (const Operation operation : Operations) {
        if (form.value(Option1[operation]) != 0) {
            return operation;
        }
    }
    return std::nullopt;
}

wide::Int128 wholeOf(Currency x)
{
    return x.count() / Currency::Scale;
}

// Reads an operand's three fields.
Operand readOperand(const ControlProperties &form, ControlArray fields)
{
    const auto read
        = [&form, fields](Field field) { return ToLong(TextValue(form.text(fields[field]))); };
    return {.Den = read(Field::Denominator),
        .Num = read(Field::Numerator),
        .Whole = read(Field::Whole)};
}

bool lacksDenominator(const Operand &op)
{
    return op.Den == 0 && op.Num > 0;
}

// The signed improper numerator; a missing denominator makes the operand the
// whole number in its integer-part field.
void makeImproper(Operand &op, bool negative)
{
    if (op.Den == 0) {
        op.Den = 1;
        op.Improper = op.Whole;
    } else {
        op.Improper = add32(multiply32(op.Whole, op.Den), op.Num);
    }
    if (negative) {
        op.Improper = negate32(op.Improper);
    }
}

// Lowest terms. A negative GCD turns both signs round, so a negative operand
// may go on with a negative denominator.
void reduce(Operand &op)
{
    divideByGcd(op.Den, op.Improper);
}

// The answer: numerator N and denominator D.
struct Answer {
    Currency N;
    Currency D;
};

// a ± b over the common denominator D = LCM(a.Den, b.Den). Both quotients
// D / Den are whole; the cross products are formed in 128 bits, so that they
// stay exact even where they pass 2^53 and then cancel.
Answer addOrSubtract(const Operand &a, const Operand &b, bool subtract)
{
    const Currency D = LCM(ToCurrency(a.Den), ToCurrency(b.Den));
    const wide::Int128 common = wholeOf(D);
    const wide::Int128 t1 = common / a.Den * a.Improper;
    const wide::Int128 t2 = common / b.Den * b.Improper;
    return {wide::checkedCurrency((subtract ? t1 - t2 : t2 + t1) * Currency::Scale), D};
}

Answer multiply(Operand a, Operand b)
{
    // Cancel across the operands first, so that the products stay small.
    divideByGcd(a.Den, b.Improper);
    divideByGcd(a.Improper, b.Den);
    // Each factor is scaled down by 100 so that the double product stays far
    // from 2^53 in units of 0.0001: rounding to four places then gives the
    // exact product / 10,000 wherever the product fits the Currency range.
    const double scaled
        = checkedMultiply(checkedDivide(b.Improper, 100.0), checkedDivide(a.Improper, 100.0));
    return {ToCurrency(scaled).times(10000), ToCurrency(multiply32(a.Den, b.Den))};
}

Answer divide(Operand a, Operand b)
{
    if (b.Improper == 0) {
        raiseDivisionByZero();
    }
    divideByGcd(a.Den, b.Den);
    divideByGcd(a.Improper, b.Improper);
    return {ToCurrency(multiply32(a.Improper, b.Den)), ToCurrency(multiply32(b.Improper, a.Den))};
}

Answer apply(const Operand &a, Operation operation, const Operand &b)
{
    switch (operation) {
    case Operation::Add:
    case Operation::Subtract:
        return addOrSubtract(a, b, operation == Operation::Subtract);
    case Operation::Multiply:
        return multiply(a, b);
    case Operation::Divide:
        break;
    }
    return divide(a, b);
}

// N and D are not negative; the sign label already shows the answer's sign.
void writeAnswer(ControlProperties &form, Currency N, Currency D)
{
    if (N.sign() == 0 || D.sign() == 0) {
        form.setCaption(AnswerWhole, NumberText(std::int16_t {0}));
        form.setVisible(Line3, false);
        return;
    }
    if (Remainder(N, D).sign() == 0) {
        const double whole = checkedDivide(ToDouble(N), ToDouble(D));
        form.setCaption(AnswerWhole, NumberText(whole));
        form.setVisible(Line3, false);
        return;
    }
    const std::int32_t g = ToLong(GCD(N, D));
    N = ToCurrency(checkedDivide(ToDouble(N), g));
    D = ToCurrency(checkedDivide(ToDouble(D), g));
    form.setCaption(AnswerDenominator, NumberText(D));
    form.setCaption(AnswerNumerator, NumberText(N));
}

}  // namespace

void Command1_Click(ControlProperties &form)
{
    for (int index = 0; index < Label1.size(); ++index) {
        form.setCaption(Label1[index], "");
    }
    form.setVisible(Line3, true);

    Operand a = readOperand(form, Text1);
    Operand b = readOperand(form, Text2);
    const bool negativeA = form.value(Check1[0]) == 1;
    const bool negativeB = form.value(Check1[1]) == 1;
    const std::optional<Operation> operation = selectedOperation(form);

    if (lacksDenominator(a) || lacksDenominator(b)) {
        form.msgBox(DenominatorMessage, MsgBoxCritical, DenominatorTitle);
        return;
    }

    makeImproper(a, negativeA);
    makeImproper(b, negativeB);
    reduce(a);
    reduce(b);

    Answer answer;  // 0 / 0 when no operation is selected
    if (operation) {
        answer = apply(a, *operation, b);
    }

    // A negative denominator is moved onto the numerator, so that the sign
    // label alone carries the answer's sign.
    if (answer.D.sign() < 0) {
        answer.N = -answer.N;
        answer.D = -answer.D;
    }
    if (answer.N.sign() < 0) {
        form.setCaption(AnswerSign, "-");
        answer.N = answer.N.abs();
    }

    writeAnswer(form, answer.N, answer.D);
    Option2_Click(form, 0);
}

}  // namespace tobarin
