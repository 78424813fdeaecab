#pragma once

#include "engine/number/currency.h"

namespace tobarin {

// The remainder of truncating division v / u, formed through doubles:
// v − ToCurrency(u × Fix(v / u)). For whole operands it is exact: zero or of
// the sign of v, smaller than |u| in magnitude. Remainder(v, 0) is error 11 for
// v ≠ 0 and error 6 for v = 0.
[[nodiscard]] Currency Remainder(Currency v, Currency u);

// Euclid's algorithm on truncating remainders. The magnitude is the greatest
// common divisor of |m| and |n|; the sign is that of the last non-zero value
// of the chain, so it can be negative: GCD(4, −6) = −2, GCD(−4, 6) = 2.
// GCD(m, 0) = m, GCD(0, 0) = 0.
[[nodiscard]] Currency GCD(Currency m, Currency n);

// |m × n| / GCD(m, n), divided in double: the least common multiple when the
// GCD is positive, its negative otherwise: LCM(4, −6) = −12. Error 6 when the
// product m × n leaves the Currency range (even if the result would be small)
// and for LCM(0, 0).
[[nodiscard]] Currency LCM(Currency m, Currency n);

}  // namespace tobarin
