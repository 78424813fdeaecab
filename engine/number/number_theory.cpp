#include "engine/number/number_theory.h"

#include "engine/number/conversions.h"

namespace tobarin {

Currency Remainder(Currency v, Currency u)
{
    // For whole operands |v| < 2^50, so the double quotient never rounds across
    // an integer and u × q is exact.
    const double quotient = Fix(checkedDivide(ToDouble(v), ToDouble(u)));
    const double product = checkedMultiply(ToDouble(u), quotient);
    return v - ToCurrency(product);
}

Currency GCD(Currency m, Currency n)
{
    // Written as a loop rather than by recursion; the chain of values, and so
    // the result and its sign, is the same.
    while (n.sign() != 0) {
        const Currency r = Remainder(m, n);
        m = n;
        n = r;
    }
    return m;
}

Currency LCM(Currency m, Currency n)
{
    const Currency g = GCD(m, n);
    const Currency product = (m * n).abs();
    return ToCurrency(checkedDivide(ToDouble(product), ToDouble(g)));
}

}  // namespace tobarin
