#include "engine/number/written_number.h"

#include <stdexcept>

namespace tobarin {

namespace {

using wide::Int128;

[[noreturn]] void overflow()
{
    throw std::overflow_error("a fraction beyond 128 bits");
}

Int128 times(Int128 a, Int128 b)
{
    Int128 result = 0;
    if (__builtin_mul_overflow(a, b, &result)) {
        overflow();
    }
    return result;
}

Int128 plus(Int128 a, Int128 b)
{
    Int128 result = 0;
    if (__builtin_add_overflow(a, b, &result)) {
        overflow();
    }
    return result;
}

// A zero is never written with a minus.
WrittenNumber withSign(WrittenNumber number, bool negative)
{
    number.negative = negative && (number.whole != 0 || number.num != 0);
    return number;
}

}  // namespace

Fraction fractionOf(Int128 num, Int128 den)
{
    if (den == 0) {
        throw std::invalid_argument("a fraction with the denominator 0");
    }
    const Int128 g = wide::gcd(num, den) * (den < 0 ? -1 : 1);
    return {num / g, den / g};
}

// Each sum and product is cancelled by the denominators' common factor first,
// so that its parts stay as small as they can.
Fraction operator+(Fraction a, Fraction b)
{
    const Int128 g = wide::gcd(a.den, b.den);
    return fractionOf(
        plus(times(a.num, b.den / g), times(b.num, a.den / g)), times(a.den / g, b.den));
}

Fraction operator-(Fraction a)
{
    return {-a.num, a.den};
}

Fraction operator-(Fraction a, Fraction b)
{
    return a + -b;
}

Fraction operator*(Fraction a, Fraction b)
{
    const Int128 g1 = wide::gcd(a.num, b.den);
    const Int128 g2 = wide::gcd(b.num, a.den);
    const auto over = [](Int128 v, Int128 g) { return g == 0 ? v : v / g; };
    return fractionOf(
        times(over(a.num, g1), over(b.num, g2)), times(over(a.den, g2), over(b.den, g1)));
}

Fraction operator/(Fraction a, Fraction b)
{
    if (b.num == 0) {
        throw std::invalid_argument("a division by 0");
    }
    return a * fractionOf(b.den, b.num);
}

bool operator<(Fraction a, Fraction b)
{
    return (a - b).num < 0;
}

WrittenNumber wholeNumber(Int128 magnitude, bool negative)
{
    WrittenNumber number;
    number.whole = magnitude;
    return withSign(number, negative);
}

WrittenNumber fractionNumber(Int128 num, Int128 den, bool negative)
{
    WrittenNumber number;
    number.hasWhole = false;
    number.hasFraction = true;
    number.num = num;
    number.den = den;
    return withSign(number, negative);
}

WrittenNumber mixedNumber(bool negative, Int128 whole, Int128 num, Int128 den)
{
    WrittenNumber number;
    number.hasWhole = whole != 0 || num == 0;
    number.hasFraction = num != 0;
    number.whole = whole;
    number.num = num;
    number.den = den;
    return withSign(number, negative);
}

WrittenNumber signedFraction(Int128 num, Int128 den)
{
    const bool negative = (num < 0) != (den < 0);
    if (wide::magnitude(den) <= 1) {
        return wholeNumber(static_cast<Int128>(wide::magnitude(num)), negative);
    }
    return fractionNumber(static_cast<Int128>(wide::magnitude(num)),
        static_cast<Int128>(wide::magnitude(den)), negative);
}

WrittenNumber mixedNumberOf(Fraction value)
{
    const Int128 size = value.num < 0 ? -value.num : value.num;
    return mixedNumber(value.num < 0, size / value.den, size % value.den, value.den);
}

WrittenNumber improperNumberOf(Fraction value)
{
    return signedFraction(value.num, value.den);
}

std::optional<Fraction> valueOf(const WrittenNumber &number)
{
    Int128 num = 0;
    Int128 den = 1;
    if (number.unending) {
        return std::nullopt;
    }
    try {
        if (number.isDecimal()) {
            for (const char digit : number.decimals) {
                num = plus(times(num, 10), digit - '0');
                den = times(den, 10);
            }
            num = plus(times(number.whole, den), num);
        } else if (number.hasFraction) {
            if (number.den == 0) {
                return std::nullopt;
            }
            den = number.den;
            num = plus(number.hasWhole ? times(number.whole, den) : 0, number.num);
        } else {
            num = number.whole;
        }
    } catch (const std::overflow_error &) {
        return std::nullopt;
    }
    return fractionOf(number.negative ? -num : num, den);
}

std::string numberText(const WrittenNumber &number)
{
    std::string text = number.negative ? "-" : "";
    if (number.isDecimal()) {
        return text + wide::decimalText(number.whole) + "." + number.decimals
            + (number.unending ? "…" : "");
    }
    if (number.hasWhole) {
        text += wide::decimalText(number.whole);
    }
    if (number.hasWhole && number.hasFraction) {
        text += ' ';
    }
    if (number.hasFraction) {
        text += wide::decimalText(number.num) + "/" + wide::decimalText(number.den);
    }
    return text;
}

}  // namespace tobarin
