#include "engine/number/currency.h"
#include "engine/number/runtime_error.h"
#include "tests/engine/test_support.h"

#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <optional>

namespace tobarin {
namespace {

constexpr std::int64_t MaxCount = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t MinCount = std::numeric_limits<std::int64_t>::min();

Currency count(std::int64_t c)
{
    return Currency::fromCount(c);
}

Currency whole(std::int64_t v)
{
    return Currency::fromCount(v * Currency::Scale);
}

// An operation and the count it gives, or no value for run-time error 6.
struct ArithmeticCase {
    const char *name;
    std::function<Currency()> operation;
    std::optional<std::int64_t> expectedCount;

    friend void PrintTo(const ArithmeticCase &row, std::ostream *os) { *os << row.name; }
};

class CurrencyArithmetic : public ::testing::TestWithParam<ArithmeticCase> { };

TEST_P(CurrencyArithmetic, GivesExactResultOrOverflow)
{
    const ArithmeticCase &c = GetParam();
    std::optional<std::int64_t> result;
    const int error = testing::errorOf([&] { result = c.operation().count(); });
    if (c.expectedCount) {
        EXPECT_EQ(error, 0);
        EXPECT_EQ(result, c.expectedCount);
    } else {
        EXPECT_EQ(error, RuntimeError::Overflow);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, CurrencyArithmetic,
    ::testing::Values(
        ArithmeticCase {"MaxPlusZero", [] { return count(MaxCount) + count(0); }, MaxCount},
        ArithmeticCase {"MaxPlusTenThousandth", [] { return count(MaxCount) + count(1); }, {}},
        ArithmeticCase {"MinMinusTenThousandth", [] { return count(MinCount) - count(1); }, {}},
        ArithmeticCase {"MinusMaxMinusOne", [] { return count(-MaxCount) - count(1); }, MinCount},
        ArithmeticCase {"NegateMin", [] { return -count(MinCount); }, {}},
        ArithmeticCase {"AbsMin", [] { return count(MinCount).abs(); }, {}},
        ArithmeticCase {"AbsMinPlusOne", [] { return count(MinCount + 1).abs(); }, MaxCount},
        ArithmeticCase {"ProductWholeTop", [] { return whole(30000000) * whole(30000000); },
            900000000000000LL * 10000},
        ArithmeticCase {"ProductWholeBeyond", [] { return whole(40000000) * whole(40000000); }, {}},
        ArithmeticCase {"ProductNegative", [] { return whole(-7) * whole(6); }, -420000},
        // 0.0001 × 1.5 is 0.00015: a tie, to the even 0.0002.
        ArithmeticCase {"ProductTieUp", [] { return count(1) * count(15000); }, 2},
        // 0.0001 × 0.5 is 0.00005: a tie, to the even 0.
        ArithmeticCase {"ProductTieDown", [] { return count(1) * count(5000); }, 0},
        ArithmeticCase {"ProductNegativeTie", [] { return count(-3) * count(5000); }, -2},
        ArithmeticCase {"ProductBelowTie", [] { return count(1) * count(4999); }, 0},
        ArithmeticCase {"TimesTenThousandTop", [] { return count(922337203685477).times(10000); },
            9223372036854770000LL},
        ArithmeticCase {
            "TimesTenThousandBeyond", [] { return count(922337203685478).times(10000); }, {}},
        ArithmeticCase {"TimesMinus16Bit",
            [] { return whole(3).times(std::numeric_limits<std::int16_t>::min()); },
            -3LL * 32768 * Currency::Scale}),
    testing::ByName());

TEST(CurrencySign, ComparesWithZeroExactly)
{
    EXPECT_EQ(count(MinCount).sign(), -1);
    EXPECT_EQ(count(-1).sign(), -1);
    EXPECT_EQ(count(0).sign(), 0);
    EXPECT_EQ(count(1).sign(), 1);
    EXPECT_EQ(count(MaxCount).sign(), 1);
}

}  // namespace
}  // namespace tobarin
