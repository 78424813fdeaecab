#include "engine/practice/shape.h"

namespace tobarin::practice {

using wide::Int128;

Shape shapeOf(const WrittenNumber &x)
{
    if (!x.hasFraction) {
        return wholePart(x) == 0 ? Shape::Zero : Shape::Whole;
    }
    if (wholePart(x) != 0) {
        return Shape::Mixed;
    }
    return x.num < x.den ? Shape::Proper : Shape::Improper;
}

Int128 wholePart(const WrittenNumber &x)
{
    return x.hasWhole ? x.whole : 0;
}

Int128 denominatorOf(const WrittenNumber &x)
{
    return x.hasFraction ? x.den : 1;
}

Int128 numeratorOf(const WrittenNumber &x)
{
    const Int128 magnitude = wholePart(x) * denominatorOf(x) + (x.hasFraction ? x.num : 0);
    return x.negative ? -magnitude : magnitude;
}

bool isPracticeNumber(const WrittenNumber &x)
{
    constexpr Int128 Largest = 9999;
    if (x.isDecimal() || x.unending || wholePart(x) > Largest) {
        return false;
    }
    if (!x.hasFraction) {
        return x.hasWhole && !(x.whole == 0 && x.negative);
    }
    return x.num <= Largest && x.den <= Largest && x.den != 0 && !(x.hasWhole && x.whole == 0);
}

std::optional<Fraction> answerOf(
    Operation operation, const WrittenNumber &a, const WrittenNumber &b)
{
    const Fraction x = fractionOf(numeratorOf(a), denominatorOf(a));
    const Fraction y = fractionOf(numeratorOf(b), denominatorOf(b));
    switch (operation) {
    case Operation::Add:
        return x + y;
    case Operation::Subtract:
        return x - y;
    case Operation::Multiply:
        return x * y;
    case Operation::Divide:
        break;
    }
    if (y.num == 0) {
        return std::nullopt;
    }
    return x / y;
}

}  // namespace tobarin::practice
