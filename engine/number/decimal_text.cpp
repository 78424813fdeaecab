#include "engine/number/decimal_text.h"

#include <algorithm>
#include <stdexcept>

namespace tobarin {

namespace {

using wide::Unsigned128;

// How often p divides v.
int powerOf(Unsigned128 p, Unsigned128 v)
{
    int count = 0;
    for (; v % p == 0; v /= p) {
        ++count;
    }
    return count;
}

}  // namespace

std::string decimalText(wide::Int128 num, wide::Int128 den)
{
    constexpr wide::Int128 Quintillion = 1'000'000'000'000'000'000;
    constexpr wide::Int128 Bound = Quintillion * Quintillion * 10;  // 10^37
    if (den <= 0 || den >= Bound) {
        throw std::invalid_argument("decimalText: the denominator must lie in (0, 10^37)");
    }
    Unsigned128 n = wide::magnitude(num);
    auto d = static_cast<Unsigned128>(den);
    const Unsigned128 g = wide::gcd(n, d);
    n /= g;
    d /= g;

    std::string text = num < 0 && n != 0 ? "-" : "";
    text += wide::digitsText(n / d);
    Unsigned128 remainder = n % d;
    if (remainder == 0) {
        return text;
    }
    text += '.';
    // In lowest terms, the digits repeat from the first place at which the
    // factors 2 and 5 of the denominator are used up: the remainder there
    // comes back after one period, and no remainder before it ever does. So
    // the period is found by waiting for that one remainder, without
    // remembering the others.
    const auto before = static_cast<std::size_t>(std::max(powerOf(2, d), powerOf(5, d)));
    std::size_t written = 0;
    const auto nextDigit = [&remainder, &written, d] {
        remainder *= 10;
        const auto digit = static_cast<char>('0' + static_cast<int>(remainder / d));
        remainder %= d;
        ++written;
        return digit;
    };
    while (written < before && written < MostDecimalDigits) {
        text += nextDigit();
    }
    if (remainder == 0) {
        return text;
    }
    if (written == MostDecimalDigits) {
        return text + "…";
    }
    const Unsigned128 start = remainder;
    std::string period;
    do {
        period += nextDigit();
    } while (remainder != start && written < MostDecimalDigits);
    return remainder == start ? text + "(" + period + ")" : text + period + "…";
}

}  // namespace tobarin
