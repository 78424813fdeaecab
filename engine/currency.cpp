#include "engine/currency.h"

#include "engine/runtime_error.h"
#include "engine/wide.h"

namespace tobarin {

namespace {

Currency checkedFromWide(wide::Int128 count)
{
    if (!wide::fitsInt64(count)) {
        raiseOverflow();
    }
    return Currency::fromCount(static_cast<std::int64_t>(count));
}

}  // namespace

Currency operator+(Currency a, Currency b)
{
    return checkedFromWide(wide::Int128(a.m_count) + b.m_count);
}

Currency operator-(Currency a, Currency b)
{
    return checkedFromWide(wide::Int128(a.m_count) - b.m_count);
}

Currency Currency::operator-() const
{
    return checkedFromWide(-wide::Int128(m_count));
}

Currency operator*(Currency a, Currency b)
{
    // Both counts carry a factor of 10,000; the product carries it twice.
    const wide::Int128 product = wide::Int128(a.m_count) * b.m_count;
    return checkedFromWide(wide::divideRoundHalfEven(product, Currency::Scale));
}

Currency Currency::times(std::int16_t k) const
{
    return checkedFromWide(wide::Int128(m_count) * k);
}

Currency Currency::abs() const
{
    return m_count < 0 ? -*this : *this;
}

}  // namespace tobarin
