#include "engine/problem/problem.h"

#include "engine/number/conversions.h"
#include "engine/number/runtime_error.h"

namespace tobarin {

using wide::Int128;

// An operand as its three fields read (integer part, numerator,
// denominator) and its sign box: "1 2/3" as typed, "3/0" when the denominator
// is missing. Fields that do not read as a plain mixed number (a negative
// one) show the improper fraction Calculate makes of them, so that the value
// shown stays right. Error 6 for a field beyond 32 bits.
WrittenNumber typedNumber(const TypedOperand &operand)
{
    const auto read = [&operand](Field field) { return ToLong(TextValue(operand.field(field))); };
    const std::int32_t whole = read(Field::Whole);
    const std::int32_t num = read(Field::Numerator);
    const std::int32_t den = read(Field::Denominator);
    const Int128 wholeSize = whole < 0 ? -Int128 {whole} : Int128 {whole};
    WrittenNumber number;
    bool negative = whole < 0;  // the sign the fields give, before the sign box
    if (den == 0 && num <= 0) {
        // The numerator is not read without a denominator.
        number = wholeNumber(wholeSize);
    } else if (den == 0 || (whole >= 0 && num >= 0 && den > 0)) {
        // As typed; a missing denominator is shown as 0.
        number = fractionNumber(num, den);
        number.hasWhole = whole != 0;
        number.whole = wholeSize;
    } else {
        number = signedFraction(Int128 {whole} * den + num, den);
        negative = number.negative;
    }
    // A zero is never written with a minus.
    number.negative = negative != operand.negative && (number.whole != 0 || number.num != 0);
    return number;
}

Problem pairProblem(const WrittenNumber &first, Operation operation, const WrittenNumber &second)
{
    return {pairExpression(first, operation, second), std::nullopt};
}

Problem conversionProblem(Conversion conversion)
{
    Expression line = conversionLine(conversion);
    return {std::move(line), std::nullopt, std::move(conversion)};
}

Problem problemIn(const ControlProperties &form)
{
    return problemOfFields(fieldsIn(form));
}

Problem problemOfFields(const TypedProblem &fields)
{
    Problem problem;
    problem.fields = fields;
    try {
        problem.expression = pairExpression(typedNumber(problem.fields->first),
            problem.fields->operation, typedNumber(problem.fields->second));
    } catch (const RuntimeError &) {
        // A field beyond 32 bits: the window's calculation reports it, and
        // there is no number to show.
    }
    return problem;
}

std::optional<Pair> windowPair(const Problem &problem)
{
    if (problem.conversion) {
        return std::nullopt;
    }
    std::optional<Pair> pair = pairOf(problem.expression);
    if (pair && (pair->first.isDecimal() || pair->second.isDecimal())) {
        return std::nullopt;
    }
    return pair;
}

namespace {

// The fields that hold a number: its parts' digits, a part not written
// leaving its field empty, and the sign box.
TypedOperand operandOf(const WrittenNumber &number)
{
    const auto digits = [](bool written, wide::Int128 part) {
        return written ? wide::decimalText(part) : std::string();
    };
    return {digits(number.hasFraction, number.den), digits(number.hasFraction, number.num),
        digits(number.hasWhole, number.whole), number.negative};
}

}  // namespace

std::optional<TypedProblem> fieldsOf(const Problem &problem)
{
    if (problem.fields) {
        return problem.fields;
    }
    const std::optional<Pair> pair = windowPair(problem);
    if (!pair) {
        return std::nullopt;
    }
    return TypedProblem {operandOf(pair->first), operandOf(pair->second), pair->operation};
}

std::string problemText(const Problem &problem)
{
    return expressionText(problem.expression);
}

}  // namespace tobarin
