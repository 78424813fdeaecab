#include "engine/number/conversions.h"
#include "engine/number/number_theory.h"
#include "tests/engine/test_support.h"

#include <gtest/gtest.h>

namespace tobarin {
namespace {

using testing::errorOf;

enum class Procedure { Gcd, Lcm, Remainder };

struct Case {
    const char *name;
    Procedure procedure;
    std::int64_t m;
    std::int64_t n;
    std::int64_t expected;  // a whole value
    int error = 0;

    friend void PrintTo(const Case &row, std::ostream *os) { *os << row.name; }
};

class NumberTheoryTable : public ::testing::TestWithParam<Case> { };

TEST_P(NumberTheoryTable, GivesTheSignedResult)
{
    const Case &c = GetParam();
    const Currency m = Currency::fromCount(c.m * Currency::Scale);
    const Currency n = Currency::fromCount(c.n * Currency::Scale);
    Currency result;
    const int error = errorOf([&] {
        switch (c.procedure) {
        case Procedure::Gcd:
            result = GCD(m, n);
            break;
        case Procedure::Lcm:
            result = LCM(m, n);
            break;
        case Procedure::Remainder:
            result = Remainder(m, n);
            break;
        }
    });
    EXPECT_EQ(error, c.error);
    if (c.error == 0) {
        EXPECT_EQ(result.count(), c.expected * Currency::Scale);
    }
}

constexpr auto Gcd = Procedure::Gcd;
constexpr auto Lcm = Procedure::Lcm;
constexpr auto Rem = Procedure::Remainder;
constexpr std::int64_t Top = 922337203685477;

INSTANTIATE_TEST_SUITE_P(Gcd, NumberTheoryTable,
    ::testing::Values(Case {"Plain", Gcd, 12, 18, 6}, Case {"Swapped", Gcd, 18, 12, 6},
        Case {"NegativeFirst", Gcd, -4, 6, 2}, Case {"NegativeSecond", Gcd, 4, -6, -2},
        Case {"BothNegative", Gcd, -4, -6, -2}, Case {"NegativeLarger", Gcd, -6, 4, -2},
        Case {"NegativeSmaller", Gcd, 6, -4, 2}, Case {"ZeroZero", Gcd, 0, 0, 0},
        Case {"ByZero", Gcd, -5, 0, -5}, Case {"OfZero", Gcd, 0, 7, 7},
        Case {"TopOfRange", Gcd, Top, 1, 1}, Case {"TopWithItself", Gcd, Top, Top, Top},
        // Consecutive Fibonacci numbers make the longest chains.
        Case {"Fibonacci", Gcd, 806515533049393, 498454011879264, 1},
        Case {"LargeCommonFactor", Gcd, 3 * 2147483647LL, 5 * 2147483647LL, 2147483647}),
    testing::ByName());

INSTANTIATE_TEST_SUITE_P(Lcm, NumberTheoryTable,
    ::testing::Values(Case {"Plain", Lcm, 4, 6, 12}, Case {"NegativeFirst", Lcm, -4, 6, 12},
        Case {"NegativeSecond", Lcm, 4, -6, -12}, Case {"OfZero", Lcm, 0, 7, 0},
        Case {"ZeroZero", Lcm, 0, 0, 0, RuntimeError::Overflow},
        Case {"ProductJustInRange", Lcm, 30000000, 30000000, 30000000},
        // The product m × n leaves the range although the result would be small.
        Case {"ProductBeyondRange", Lcm, 40000000, 40000000, 0, RuntimeError::Overflow},
        Case {"CoprimeBeyond", Lcm, 1000000000, 999999999, 0, RuntimeError::Overflow}),
    testing::ByName());

INSTANTIATE_TEST_SUITE_P(Remainder, NumberTheoryTable,
    ::testing::Values(Case {"Plain", Rem, 7, 2, 1}, Case {"NegativeDividend", Rem, -7, 2, -1},
        Case {"NegativeDivisor", Rem, 7, -2, 1}, Case {"SmallQuotient", Rem, 3, -2, 1},
        Case {"DividendSmaller", Rem, -4, 6, -4}, Case {"Exact", Rem, 12, -4, 0},
        Case {"TopOfRange", Rem, Top, 2, 1}, Case {"TopBySelfMinusOne", Rem, Top, Top - 1, 1},
        Case {"ByZero", Rem, 5, 0, 0, RuntimeError::DivisionByZero},
        Case {"ZeroByZero", Rem, 0, 0, 0, RuntimeError::Overflow}),
    testing::ByName());

}  // namespace
}  // namespace tobarin
