#pragma once

// 128-bit intermediates for exact products and the one place where results are
// rounded to nearest with ties to even. Internal to the engine.

#include "engine/currency.h"
#include "engine/runtime_error.h"

#include <cstdint>

namespace tobarin::wide {

__extension__ using Int128 = __int128;

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
