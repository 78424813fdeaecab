#pragma once

#include "engine/number/currency.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tobarin {

// Reads the number at the start of a UTF-8 text, the same way whatever the
// user's locale:
// - blanks (space, tab, line feed) are skipped wherever they stand, between
//   digits too ("1 2" reads 12);
// - then an optional "-" or "+";
// - then decimal digits with at most one "." and an optional exponent (E, e,
//   D or d, an optional sign, digits; a letter with no digit after it ends the
//   number before the letter), or &H with hexadecimal or &O with octal digits
//   (letters in either case): up to FFFF they read as a signed 16-bit value,
//   up to FFFFFFFF as a signed 32-bit value (&HFFFF is −1, &H10000 is 65536);
// - reading stops at the first character that cannot continue the number.
// No digit read gives 0. Full-width digits are not digits.
// Error 6 when the number lies beyond the double range, or a hexadecimal or
// octal number beyond 32 bits.
[[nodiscard]] double TextValue(std::string_view text);

// Nearest signed 32-bit integer, ties to even (2.5 → 2, 3.5 → 4, −0.5 → 0).
// Error 6 when the rounded value lies outside the 32-bit range, or x is not finite.
[[nodiscard]] std::int32_t ToLong(double x);
[[nodiscard]] std::int32_t ToLong(Currency x);

// Nearest multiple of 0.0001, ties to even, worked out exactly from the
// double's bits. Error 6 when the rounded value lies outside the Currency
// range, or x is not finite.
[[nodiscard]] Currency ToCurrency(double x);
// Exact.
[[nodiscard]] Currency ToCurrency(std::int32_t x) noexcept;

// The nearest double; exact for every whole value.
[[nodiscard]] double ToDouble(Currency x);

// Drops the fraction, toward zero.
[[nodiscard]] double Fix(double x) noexcept;

// The shortest decimal text: the digits of |x| without leading zeros ("0" for
// zero), "-" before a negative value, no blank, no separators. A Currency value
// with a fraction is written with its decimals ("2.5"); a double that is not
// whole or is 10^15 or more in magnitude is written in its shortest
// round-trip form ("0.1", "1000000000000000", "1e+16").
[[nodiscard]] std::string NumberText(std::int16_t x);
[[nodiscard]] std::string NumberText(std::int32_t x);
[[nodiscard]] std::string NumberText(Currency x);
[[nodiscard]] std::string NumberText(double x);

// Double-precision division and multiplication, checked: a non-zero number
// divided by zero is error 11; zero divided by zero and a result beyond the
// double range are error 6. An inexact result or an underflow is no error.
[[nodiscard]] double checkedDivide(double dividend, double divisor);
[[nodiscard]] double checkedMultiply(double a, double b);

}  // namespace tobarin
