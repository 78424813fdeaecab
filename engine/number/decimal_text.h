#pragma once

#include "engine/number/wide.h"

#include <cstddef>
#include <string>

namespace tobarin {

// The most digits written after the decimal point. The repeating part of
// n / d can be up to d − 1 digits long (over 9 × 10^14 for the largest
// answers), so an expansion that has neither ended nor come round to its
// repeating part within this many digits is cut here.
inline constexpr std::size_t MostDecimalDigits = 100;

// num / den as an exact decimal, by long division: "-" before a negative
// value, the integer part, and after a point the digits, with the repeating
// part, if any, in parentheses: 29/12 "2.41(6)", 1/3 "0.(3)", -1/8 "-0.125",
// 6/2 "3", 0/5 "0". Where the digits after the point would pass
// MostDecimalDigits, the first MostDecimalDigits of them are written followed
// by "…" (U+2026), and the text is no longer exact.
//
// The fraction need not be in lowest terms. Requires 0 < den < 10^37, so that
// ten times a remainder stays within 128 bits; throws std::invalid_argument
// otherwise. Time and memory are bounded by MostDecimalDigits.
[[nodiscard]] std::string decimalText(wide::Int128 num, wide::Int128 den);

}  // namespace tobarin
