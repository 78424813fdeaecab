#pragma once

// 128-bit intermediates for exact products and the one place where results are
// rounded to nearest with ties to even; the greatest common divisor and the
// decimal text of 128-bit values, for the engine and for what shows its
// numbers (the working, the answer as text).

#include "engine/number/currency.h"
#include "engine/number/runtime_error.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tobarin::wide {

__extension__ using Int128 = __int128;
__extension__ using Unsigned128 = unsigned __int128;

// |v| in unsigned arithmetic, so that the most negative value has one too.
constexpr Unsigned128 magnitude(Int128 v) noexcept
{
    return v < 0 ? Unsigned128 {0} - static_cast<Unsigned128>(v) : static_cast<Unsigned128>(v);
}

// The greatest common divisor of a and b (of |a| and |b|): never negative, 0
// for two zeros.
constexpr Unsigned128 gcd(Unsigned128 a, Unsigned128 b) noexcept
{
    // Most values fit 64 bits, whose remainders are far quicker to take.
    constexpr Unsigned128 Wide64 = Unsigned128 {1} << 64;
    if (a < Wide64 && b < Wide64) {
        auto x = static_cast<std::uint64_t>(a);
        auto y = static_cast<std::uint64_t>(b);
        while (y != 0) {
            const std::uint64_t r = x % y;
            x = y;
            y = r;
        }
        return x;
    }
    while (b != 0) {
        const Unsigned128 r = a % b;
        a = b;
        b = r;
    }
    return a;
}
constexpr Int128 gcd(Int128 a, Int128 b) noexcept
{
    return static_cast<Int128>(gcd(magnitude(a), magnitude(b)));
}

// The least common multiple of a and b, both positive.
constexpr Int128 lcm(Int128 a, Int128 b) noexcept
{
    return a / gcd(a, b) * b;
}

// The decimal digits of v without leading zeros ("0" for zero).
inline std::string digitsText(Unsigned128 v)
{
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(v % 10)));
        v /= 10;
    } while (v > 0);
    return digits;
}

// The decimal text of v, "-" before a negative value.
inline std::string decimalText(Int128 v)
{
    return (v < 0 ? "-" : "") + digitsText(magnitude(v));
}

// The most digits digitsValue reads: products of two such numbers stay far
// inside 128 bits.
inline constexpr std::size_t MostDigits = 18;

// The value of a text of ASCII digits ("" reads as 0), or nothing for any
// other text and for more than MostDigits digits.
constexpr std::optional<Int128> digitsValue(std::string_view digits) noexcept
{
    if (digits.size() > MostDigits) {
        return std::nullopt;
    }
    Int128 value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

// 10 to the power digits; digits at most 38, which 128 bits hold.
constexpr Int128 powerOfTen(std::size_t digits) noexcept
{
    Int128 p = 1;
    for (std::size_t i = 0; i < digits; ++i) {
        p *= 10;
    }
    return p;
}

// n / d rounded to the nearest integer, ties to the even neighbour; d > 0.
constexpr Int128 divideRoundHalfEven(Int128 n, Int128 d) noexcept
{
    Int128 quotient = n / d;  // truncated toward zero
    Int128 remainder = n % d;  // sign of n, |remainder| < d
    Int128 twice = remainder < 0 ? -2 * remainder : 2 * remainder;
    if (twice > d || (twice == d && quotient % 2 != 0)) {
        quotient += n < 0 ? -1 : 1;
    }
    return quotient;
}

constexpr bool fitsInt64(Int128 v) noexcept
{
    return v >= -(Int128(1) << 63) && v < (Int128(1) << 63);
}

// The Currency of a count worked out in 128 bits; error 6 beyond the range.
inline Currency checkedCurrency(Int128 count)
{
    if (!fitsInt64(count)) {
        raiseOverflow();
    }
    return Currency::fromCount(static_cast<std::int64_t>(count));
}

}  // namespace tobarin::wide
