#include "engine/working/rewrite.h"

#include "engine/number/runtime_error.h"

namespace tobarin::rewrite {

using wide::Int128;

Int128 times(Int128 a, Int128 b)
{
    Int128 result = 0;
    if (__builtin_mul_overflow(a, b, &result)) {
        raiseOverflow();
    }
    return result;
}

Int128 plus(Int128 a, Int128 b)
{
    Int128 result = 0;
    if (__builtin_add_overflow(a, b, &result)) {
        raiseOverflow();
    }
    return result;
}

Int128 lcm(Int128 a, Int128 b)
{
    return times(a / wide::gcd(a, b), b);
}

bool isZero(const WrittenNumber &x)
{
    return (!x.hasWhole || x.whole == 0) && (!x.hasFraction || x.num == 0);
}

bool isWhole(const WrittenNumber &x)
{
    return !x.hasFraction;
}

Int128 denominatorOf(const WrittenNumber &x)
{
    return x.hasFraction ? x.den : 1;
}

Int128 improperNumerator(const WrittenNumber &x)
{
    return plus(x.hasWhole ? times(x.whole, denominatorOf(x)) : 0, x.hasFraction ? x.num : 0);
}

WrittenNumber resultOf(Int128 n, Int128 d, bool negative)
{
    return n == 0 || d == 1 ? wholeNumber(n / d, negative) : fractionNumber(n, d, negative);
}

WrittenNumber magnitudeOf(WrittenNumber x)
{
    x.negative = false;
    return x;
}

WrittenNumber improperOf(const WrittenNumber &x)
{
    return x.isMixed() ? resultOf(improperNumerator(x), x.den, x.negative) : x;
}

WrittenNumber lowestOf(const WrittenNumber &x)
{
    if (isWhole(x)) {
        return x;
    }
    const Int128 g = wide::gcd(x.num, x.den);
    if (x.hasWhole && x.den / g == 1) {
        return wholeNumber(plus(x.whole, x.num / g), x.negative);
    }
    if (x.hasWhole) {
        return mixedNumber(x.negative, x.whole, x.num / g, x.den / g);
    }
    return resultOf(x.num / g, x.den / g, x.negative);
}

bool reducible(const WrittenNumber &x)
{
    return x.hasFraction && (wide::gcd(x.num, x.den) != 1 || x.den == 1);
}

WrittenNumber over(WrittenNumber x, Int128 den)
{
    if (x.hasFraction) {
        x.num = times(x.num, den / x.den);
        x.den = den;
    }
    return x;
}

}  // namespace tobarin::rewrite
