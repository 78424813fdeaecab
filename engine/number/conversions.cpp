#include "engine/number/conversions.h"

#include "engine/number/runtime_error.h"
#include "engine/number/wide.h"

#include <charconv>
#include <cmath>
#include <fast_float/fast_float.h>
#include <fmt/format.h>
#include <limits>
#include <optional>

namespace tobarin {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexDigitValue(char c)
{
    if (isDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The number after "&H" or "&O": at most 32 bits, read as a signed 16-bit
// value up to FFFF and as a signed 32-bit value above.
double readRadixNumber(std::string_view digits, int radix)
{
    std::uint64_t value = 0;
    for (const char c : digits) {
        const int d = hexDigitValue(c);
        if (d < 0 || d >= radix) {
            break;
        }
        value = value * static_cast<unsigned>(radix) + static_cast<unsigned>(d);
        if (value > 0xFFFF'FFFFu) {
            raiseOverflow();
        }
    }
    if (value <= 0xFFFFu) {
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// Decimal digits, at most one point, an optional exponent; s holds no blanks.
double readDecimalNumber(std::string_view s)
{
    std::string significand;  // every digit read, integer part and fraction
    std::int64_t fractionDigits = 0;
    std::size_t i = 0;
    bool point = false;
    for (; i < s.size(); ++i) {
        if (isDigit(s[i])) {
            significand.push_back(s[i]);
            fractionDigits += point ? 1 : 0;
        } else if (s[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (significand.empty()) {
        return 0.0;
    }

    // The exponent counts only when a digit follows its letter and sign. It is
    // kept within ±10^12, far past any exponent that could still matter.
    std::int64_t exponent = 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < s.size() && (s[j] == '-' || s[j] == '+')) {
            negativeExponent = s[j] == '-';
            ++j;
        }
        for (; j < s.size() && isDigit(s[j]); ++j) {
            if (exponent < 1'000'000'000'000) {
                exponent = exponent * 10 + (s[j] - '0');
            }
        }
        exponent = negativeExponent ? -exponent : exponent;
    }

    // value = 0.D × 10^e10, with D the significant digits.
    const auto first = significand.find_first_not_of('0');
    if (first == std::string::npos) {
        return 0.0;
    }
    const auto last = significand.find_last_not_of('0');
    const auto integerDigits = static_cast<std::int64_t>(significand.size()) - fractionDigits;
    const std::int64_t e10 = exponent + integerDigits - static_cast<std::int64_t>(first);
    if (e10 > 400) {
        raiseOverflow();
    }
    if (e10 < -400) {
        return 0.0;  // underflow is no error
    }
    std::string normal
        = "0." + significand.substr(first, last - first + 1) + "e" + std::to_string(e10);
    // fast_float rounds correctly, giving infinity past the largest double and
    // zero below the smallest subnormal one, with no error code for either.
    double value = 0.0;
    fast_float::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (std::isinf(value)) {
        raiseOverflow();
    }
    return value;  // zero on underflow, which is no error
}

// round(x × scale) to the nearest integer, ties to even, worked out exactly.
// Empty when x is not finite or far beyond any 64-bit result.
std::optional<wide::Int128> scaleAndRound(double x, std::int64_t scale)
{
    if (!std::isfinite(x)) {
        return std::nullopt;
    }
    if (x == 0.0) {
        return 0;
    }
    int exponent = 0;
    const double fraction = std::frexp(x, &exponent);  // x = fraction × 2^exponent
    if (exponent > 70) {
        return std::nullopt;
    }
    // x = mantissa × 2^shift, the mantissa a whole number of at most 53 bits.
    const auto mantissa = static_cast<std::int64_t>(std::ldexp(fraction, 53));
    const int shift = exponent - 53;
    const wide::Int128 scaled = wide::Int128(mantissa) * scale;  // below 2^67
    if (shift >= 0) {
        return scaled * (wide::Int128(1) << shift);  // below 2^84
    }
    if (shift < -100) {
        return 0;  // |x × scale| < 2^-33
    }
    return wide::divideRoundHalfEven(scaled, wide::Int128(1) << -shift);
}

std::int32_t checkedInt32(wide::Int128 v)
{
    if (v < std::numeric_limits<std::int32_t>::min()
        || v > std::numeric_limits<std::int32_t>::max()) {
        raiseOverflow();
    }
    return static_cast<std::int32_t>(v);
}

std::string integerText(std::int64_t x)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x);
    return {buffer, result.ptr};
}

}  // namespace

double TextValue(std::string_view text)
{
    std::string s;
    s.reserve(text.size());
    for (const char c : text) {
        if (!isBlank(c)) {
            s.push_back(c);
        }
    }
    std::string_view rest = s;
    bool negative = false;
    if (!rest.empty() && (rest.front() == '-' || rest.front() == '+')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    double value = 0.0;
    if (rest.size() >= 2 && rest[0] == '&' && (rest[1] == 'H' || rest[1] == 'h')) {
        value = readRadixNumber(rest.substr(2), 16);
    } else if (rest.size() >= 2 && rest[0] == '&' && (rest[1] == 'O' || rest[1] == 'o')) {
        value = readRadixNumber(rest.substr(2), 8);
    } else {
        value = readDecimalNumber(rest);
    }
    return negative && value != 0.0 ? -value : value;
}

std::int32_t ToLong(double x)
{
    const auto rounded = scaleAndRound(x, 1);
    if (!rounded) {
        raiseOverflow();
    }
    return checkedInt32(*rounded);
}

std::int32_t ToLong(Currency x)
{
    return checkedInt32(wide::divideRoundHalfEven(x.count(), Currency::Scale));
}

Currency ToCurrency(double x)
{
    const auto count = scaleAndRound(x, Currency::Scale);
    if (!count || !wide::fitsInt64(*count)) {
        raiseOverflow();
    }
    return Currency::fromCount(static_cast<std::int64_t>(*count));
}

Currency ToCurrency(std::int32_t x) noexcept
{
    return Currency::fromCount(std::int64_t {x} * Currency::Scale);
}

double ToDouble(Currency x)
{
    if (x.isWhole()) {
        // |count / 10,000| < 2^50: exact.
        const std::int64_t whole = x.count() / Currency::Scale;
        return static_cast<double>(whole);
    }
    // Read back the exact decimal text, so that the result is the nearest
    // double rather than the result of two roundings.
    const std::string text = NumberText(x);
    double value = 0.0;
    fast_float::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

double Fix(double x) noexcept
{
    return std::trunc(x);
}

std::string NumberText(std::int16_t x)
{
    return integerText(x);
}

std::string NumberText(std::int32_t x)
{
    return integerText(x);
}

std::string NumberText(Currency x)
{
    const std::int64_t count = x.count();
    // The magnitude as unsigned, so that the lowest count has one too.
    const std::uint64_t magnitude
        = count < 0 ? 0 - static_cast<std::uint64_t>(count) : static_cast<std::uint64_t>(count);
    const auto scale = static_cast<std::uint64_t>(Currency::Scale);
    std::string text = count < 0 ? "-" : "";
    text += std::to_string(magnitude / scale);
    std::uint64_t fraction = magnitude % scale;
    if (fraction != 0) {
        std::string decimals = std::to_string(fraction + scale).substr(1);  // four digits
        decimals.erase(decimals.find_last_not_of('0') + 1);
        text += "." + decimals;
    }
    return text;
}

std::string NumberText(double x)
{
    if (x == std::trunc(x) && std::fabs(x) < 1e15) {
        return integerText(static_cast<std::int64_t>(x));  // also "0" for −0
    }
    // The shortest text that reads back as x ("0.1", "2.5e-07"); {fmt} writes
    // it without an exponent up to 10^16 ("1000000000000000").
    return fmt::to_string(x);
}

// Both check the operands and the result rather than the floating-point
// unit's exception flags. For finite operands the two come to the same: the
// flags for division by zero and invalid operation are raised exactly when the
// divisor is zero, and the flag for overflow exactly when the result is
// infinite. A non-finite operand is error 6 straight away. As the checks read
// the values themselves, an optimizing compiler cannot move the arithmetic past
// them, as it may past a read of the flags.
double checkedDivide(double dividend, double divisor)
{
    if (!std::isfinite(dividend) || !std::isfinite(divisor)) {
        raiseOverflow();
    }
    if (divisor == 0.0) {
        if (dividend == 0.0) {
            raiseOverflow();
        }
        raiseDivisionByZero();
    }
    const double quotient = dividend / divisor;
    if (!std::isfinite(quotient)) {
        raiseOverflow();
    }
    return quotient;
}

double checkedMultiply(double a, double b)
{
    const double product = a * b;
    if (!std::isfinite(product)) {
        raiseOverflow();
    }
    return product;
}

}  // namespace tobarin
