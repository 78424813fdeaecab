#include "engine/number/currency.h"

#include "engine/number/runtime_error.h"
#include "engine/number/wide.h"

namespace tobarin {

Currency operator+(Currency a, Currency b)
{
    return wide::checkedCurrency(wide::Int128(a.m_count) + b.m_count);
}

Currency operator-(Currency a, Currency b)
{
    return wide::checkedCurrency(wide::Int128(a.m_count) - b.m_count);
}

Currency Currency::operator-() const
{
    return wide::checkedCurrency(-wide::Int128(m_count));
}

Currency operator*(Currency a, Currency b)
{
    // Both counts carry a factor of 10,000; the product carries it twice.
    const wide::Int128 product = wide::Int128(a.m_count) * b.m_count;
    return wide::checkedCurrency(wide::divideRoundHalfEven(product, Currency::Scale));
}

Currency Currency::times(std::int16_t k) const
{
    return wide::checkedCurrency(wide::Int128(m_count) * k);
}

Currency Currency::abs() const
{
    return m_count < 0 ? -*this : *this;
}

}  // namespace tobarin
