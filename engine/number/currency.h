#pragma once

#include <compare>
#include <cstdint>
#include <type_traits>

namespace tobarin {

// A signed fixed-point number with four decimal places.
//
// Invariant: m_count is the value × 10,000 and fits a signed 64-bit integer, so
// the range is −922,337,203,685,477.5808 to 922,337,203,685,477.5807 and every
// whole number up to 922,337,203,685,477 in magnitude is exact. Its whole state
// is that one signed 64-bit count, so it is eight bytes and trivially copyable.
//
// Every operation whose exact result lies outside the range throws
// RuntimeError 6 (overflow); none wraps and none is undefined.
class Currency {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() noexcept = default;

    // The value count / 10,000.
    [[nodiscard]] static constexpr Currency fromCount(std::int64_t count) noexcept
    {
        Currency c;
        c.m_count = count;
        return c;
    }

    [[nodiscard]] constexpr std::int64_t count() const noexcept { return m_count; }
    [[nodiscard]] constexpr bool isWhole() const noexcept { return m_count % Scale == 0; }

    // The sign test against zero: −1, 0 or 1, exactly.
    [[nodiscard]] constexpr int sign() const noexcept { return (m_count > 0) - (m_count < 0); }

    // Exact; error 6 outside the range.
    friend Currency operator+(Currency a, Currency b);
    friend Currency operator-(Currency a, Currency b);
    Currency operator-() const;

    // The product rounded to four decimal places, ties to even (exact for whole
    // factors); error 6 when the rounded product lies outside the range.
    friend Currency operator*(Currency a, Currency b);

    // Exact product with a signed 16-bit integer; error 6 outside the range.
    [[nodiscard]] Currency times(std::int16_t k) const;

    // |value|; |−922,337,203,685,477.5808| is error 6.
    [[nodiscard]] Currency abs() const;

    friend constexpr bool operator==(Currency, Currency) noexcept = default;
    friend constexpr auto operator<=>(Currency, Currency) noexcept = default;

private:
    std::int64_t m_count = 0;
};

static_assert(sizeof(Currency) == 8 && std::is_trivially_copyable_v<Currency>);

}  // namespace tobarin
