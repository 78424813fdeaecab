#include "engine/number/conversions.h"
#include "engine/number/runtime_error.h"
#include "tests/engine/test_support.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace tobarin {
namespace {

using testing::errorOf;
using testing::rowName;
constexpr int Overflow = RuntimeError::Overflow;
constexpr int DivisionByZero = RuntimeError::DivisionByZero;

// --- TextValue ---------------------------------------------------------------

struct TextValueCase {
    std::string text;
    double value;
    int error = 0;

    friend void PrintTo(const TextValueCase &row, std::ostream *os) { *os << row.text; }
};

class TextValueTable : public ::testing::TestWithParam<TextValueCase> { };

TEST_P(TextValueTable, ReadsTheNumberAtTheStart)
{
    const TextValueCase &c = GetParam();
    double value = 0.0;
    EXPECT_EQ(errorOf([&] { value = TextValue(c.text); }), c.error);
    if (c.error == 0) {
        EXPECT_EQ(value, c.value) << '"' << c.text << '"';  // bit for bit: correctly rounded
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, TextValueTable,
    ::testing::Values(TextValueCase {"", 0}, TextValueCase {"abc", 0}, TextValueCase {"-", 0},
        TextValueCase {".", 0}, TextValueCase {"12abc", 12}, TextValueCase {"4-2", 4},
        TextValueCase {"-7", -7}, TextValueCase {"1.5", 1.5}, TextValueCase {"1.2.3", 1.2},
        TextValueCase {"1,000", 1}, TextValueCase {"3e2", 300}, TextValueCase {"1 2", 12},
        TextValueCase {"  4 2 ", 42}, TextValueCase {"&H10", 16}, TextValueCase {"&HFFFF", -1},
        TextValueCase {"&H10000", 65536}),
    [](const auto &row) { return rowName(row.param.text); });

INSTANTIATE_TEST_SUITE_P(Blanks, TextValueTable,
    ::testing::Values(TextValueCase {"\t-\n7", -7}, TextValueCase {"- 5", -5},
        TextValueCase {"1 . 5", 1.5}, TextValueCase {"1e 2", 100}, TextValueCase {"& H 1 F", 31},
        // A carriage return and a full-width blank are not blanks.
        TextValueCase {"1\r2", 1},
        TextValueCase {"\xE3\x80\x80"
                       "5",
            0}),
    [](const auto &row) { return rowName(row.param.text); });

INSTANTIATE_TEST_SUITE_P(SignsAndPoints, TextValueTable,
    ::testing::Values(TextValueCase {"--5", 0}, TextValueCase {"+5", 5}, TextValueCase {"+-5", 0},
        TextValueCase {"-0", 0}, TextValueCase {".5", 0.5}, TextValueCase {"5.", 5},
        TextValueCase {"-.25", -0.25}, TextValueCase {"0.1", 0.1}, TextValueCase {"0.3", 0.3},
        TextValueCase {"12%", 12}, TextValueCase {"12&", 12}, TextValueCase {"12#", 12},
        // Full-width digits are not digits.
        TextValueCase {"\xEF\xBC\x91\xEF\xBC\x92", 0}, TextValueCase {"7\xEF\xBC\x92", 7}),
    [](const auto &row) { return rowName(row.param.text); });

INSTANTIATE_TEST_SUITE_P(Exponents, TextValueTable,
    ::testing::Values(TextValueCase {"2.5e-1", 0.25}, TextValueCase {"1E3", 1000},
        TextValueCase {"1d2", 100}, TextValueCase {"2D-1", 0.2}, TextValueCase {"1e", 1},
        TextValueCase {"1e+", 1}, TextValueCase {"1e-x", 1}, TextValueCase {"1e2e3", 100},
        TextValueCase {".e5", 0}, TextValueCase {"1.7976931348623157e308", 1.7976931348623157e308},
        TextValueCase {"1.8e308", 0, Overflow}, TextValueCase {"-1e400", 0, Overflow},
        TextValueCase {"1e99999999999999999999", 0, Overflow}, TextValueCase {"1e-400", 0},
        TextValueCase {"0e999999", 0},
        // Rounding at the top of the range: down to the largest double, or up past it.
        TextValueCase {"1.7976931348623158e308", 1.7976931348623157e308},
        TextValueCase {"1.797693134862315808e308", 0, Overflow},
        // Below the smallest subnormal double: rounded up to it, or down to zero.
        TextValueCase {"4.9406564584124654e-324", 4.9406564584124654e-324},
        TextValueCase {"2.4703282292062328e-324", 4.9406564584124654e-324},
        TextValueCase {"2.4703282292062327e-324", 0}, TextValueCase {"1e-330", 0},
        TextValueCase {"0.000000000000000000001e21", 1},
        TextValueCase {"123456789012345678901234567890", 1.2345678901234568e29},
        // 2^53 + 1 is a tie between two doubles: to the even one, 2^53.
        TextValueCase {"9007199254740993", 9007199254740992.0}),
    [](const auto &row) { return rowName(row.param.text); });

INSTANTIATE_TEST_SUITE_P(HexAndOctal, TextValueTable,
    ::testing::Values(TextValueCase {"&h1f", 31}, TextValueCase {"&H7FFF", 32767},
        TextValueCase {"&H8000", -32768}, TextValueCase {"&HFFFFFFFF", -1},
        TextValueCase {"&H80000000", -2147483648.0}, TextValueCase {"&H7FFFFFFF", 2147483647},
        TextValueCase {"&H100000000", 0, Overflow}, TextValueCase {"&H0000000000000010", 16},
        TextValueCase {"&O10", 8}, TextValueCase {"&o17", 15}, TextValueCase {"&O177777", -1},
        TextValueCase {"&O78", 7}, TextValueCase {"&O40000000000", 0, Overflow},
        TextValueCase {"&H", 0}, TextValueCase {"&HG", 0}, TextValueCase {"&17", 0},
        TextValueCase {"-&H10", -16}, TextValueCase {"-&HFFFF", 1}, TextValueCase {"&HFFFF&", -1}),
    [](const auto &row) { return rowName(row.param.text); });

// --- ToLong and ToCurrency: ties to even, range ------------------------------

struct RoundCase {
    const char *name;
    double x;
    std::int64_t expected;  // ToLong's result, or ToCurrency's count
    int error = 0;

    friend void PrintTo(const RoundCase &row, std::ostream *os) { *os << row.name; }
};

class ToLongTable : public ::testing::TestWithParam<RoundCase> { };

TEST_P(ToLongTable, RoundsHalfToEven)
{
    const RoundCase &c = GetParam();
    std::int32_t result = 0;
    EXPECT_EQ(errorOf([&] { result = ToLong(c.x); }), c.error);
    if (c.error == 0) {
        EXPECT_EQ(result, c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ToLongTable,
    ::testing::Values(RoundCase {"OneAndHalf", 1.5, 2}, RoundCase {"TwoAndHalf", 2.5, 2},
        RoundCase {"ThreeAndHalf", 3.5, 4}, RoundCase {"MinusTwoAndHalf", -2.5, -2},
        RoundCase {"Half", 0.5, 0}, RoundCase {"MinusHalf", -0.5, 0},
        RoundCase {"JustAboveHalf", 0.5000000000000001, 1}, RoundCase {"MinusZero", -0.0, 0},
        RoundCase {"Max", 2147483647.0, 2147483647},
        RoundCase {"MaxPlusHalf", 2147483647.5, 0, Overflow},
        RoundCase {"MaxPlusAlmostHalf", 2147483647.4999998, 2147483647},
        RoundCase {"MinMinusHalf", -2147483648.5, -2147483648LL},
        RoundCase {"MinMinusMore", -2147483648.5000005, 0, Overflow},
        RoundCase {"Huge", 1e300, 0, Overflow},
        RoundCase {"Infinity", std::numeric_limits<double>::infinity(), 0, Overflow},
        RoundCase {"NaN", std::numeric_limits<double>::quiet_NaN(), 0, Overflow}),
    testing::ByName());

TEST(ToLongCurrency, RoundsHalfToEven)
{
    EXPECT_EQ(ToLong(Currency::fromCount(25000)), 2);
    EXPECT_EQ(ToLong(Currency::fromCount(35000)), 4);
    EXPECT_EQ(ToLong(Currency::fromCount(-25000)), -2);
    EXPECT_EQ(ToLong(Currency::fromCount(-5000)), 0);
    EXPECT_EQ(ToLong(Currency::fromCount(-21474836485000)), -2147483648);
    EXPECT_EQ(errorOf([] { (void)ToLong(Currency::fromCount(21474836475000)); }), Overflow);
}

class ToCurrencyTable : public ::testing::TestWithParam<RoundCase> { };

TEST_P(ToCurrencyTable, RoundsToFourPlacesHalfToEven)
{
    const RoundCase &c = GetParam();
    Currency result;
    EXPECT_EQ(errorOf([&] { result = ToCurrency(c.x); }), c.error);
    if (c.error == 0) {
        EXPECT_EQ(result.count(), c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ToCurrencyTable,
    ::testing::Values(
        // 1/32 × 10,000 is 312.5 exactly: a tie, to the even 312.
        RoundCase {"TieDown", 0.03125, 312}, RoundCase {"TieUp", 0.09375, 938},
        RoundCase {"NegativeTie", -0.03125, -312}, RoundCase {"Tenth", 0.1, 1000},
        RoundCase {"Tiny", 1e-300, 0},
        // Whole values to the top of the range stay exact (a naive x * 10000
        // in double would be 2048 off here).
        RoundCase {"TopWhole", 922337203685477.0, 9223372036854770000LL},
        RoundCase {"BottomWhole", -922337203685477.0, -9223372036854770000LL},
        RoundCase {"TopHalf", 922337203685477.5, 9223372036854775000LL},
        // The double nearest 922,337,203,685,477.5807 is ...477.625: beyond.
        RoundCase {"JustBeyondTop", 922337203685477.625, 0, Overflow},
        RoundCase {"BottomExact", -922337203685477.5, -9223372036854775000LL},
        RoundCase {"Beyond", 1e15, 0, Overflow}, RoundCase {"FarBeyond", -1e300, 0, Overflow},
        RoundCase {"Infinity", std::numeric_limits<double>::infinity(), 0, Overflow}),
    testing::ByName());

TEST(ToDouble, IsExactForWholeValuesAndNearestOtherwise)
{
    EXPECT_EQ(ToDouble(Currency::fromCount(9223372036854770000LL)), 922337203685477.0);
    EXPECT_EQ(ToDouble(Currency::fromCount(-9223372036854770000LL)), -922337203685477.0);
    EXPECT_EQ(ToDouble(Currency::fromCount(1)), 0.0001);
    EXPECT_EQ(ToDouble(Currency::fromCount(-25000)), -2.5);
    // ...477.5807 lies nearer ...477.625 than ...477.5.
    EXPECT_EQ(ToDouble(Currency::fromCount(std::numeric_limits<std::int64_t>::max())),
        922337203685477.625);
    for (std::int64_t v = 922337203685477; v > 922337203685477 - 2000; --v) {
        ASSERT_EQ(ToCurrency(ToDouble(Currency::fromCount(v * 10000))).count(), v * 10000);
    }
}

// --- NumberText, Fix, checked division ---------------------------------------

TEST(NumberText, WritesTheShortestDecimalText)
{
    EXPECT_EQ(NumberText(std::int16_t {0}), "0");
    EXPECT_EQ(NumberText(std::int16_t {-32768}), "-32768");
    EXPECT_EQ(NumberText(-1), "-1");
    EXPECT_EQ(NumberText(123456), "123456");
    EXPECT_EQ(NumberText(std::numeric_limits<std::int32_t>::min()), "-2147483648");
    EXPECT_EQ(NumberText(ToCurrency(15)), "15");
    EXPECT_EQ(NumberText(Currency::fromCount(-9223372036854770000LL)), "-922337203685477");
    EXPECT_EQ(NumberText(Currency::fromCount(std::numeric_limits<std::int64_t>::min())),
        "-922337203685477.5808");
    EXPECT_EQ(NumberText(Currency::fromCount(-5000)), "-0.5");
    EXPECT_EQ(NumberText(Currency::fromCount(25010)), "2.501");
    EXPECT_EQ(NumberText(-3.0), "-3");
    EXPECT_EQ(NumberText(-0.0), "0");
    EXPECT_EQ(NumberText(999999999999999.0), "999999999999999");
    EXPECT_EQ(NumberText(0.1), "0.1");
}

TEST(Fix, DropsTheFractionTowardZero)
{
    EXPECT_EQ(Fix(2.7), 2.0);
    EXPECT_EQ(Fix(-2.7), -2.0);
    EXPECT_EQ(Fix(-0.3), 0.0);
}

TEST(StatusTest, DivisionByZeroIs11AndZeroByZeroOrOverflowIs6)
{
    EXPECT_EQ(errorOf([] { (void)checkedDivide(1, 0); }), DivisionByZero);
    EXPECT_EQ(errorOf([] { (void)checkedDivide(-1, -0.0); }), DivisionByZero);
    EXPECT_EQ(errorOf([] { (void)checkedDivide(0, 0); }), Overflow);
    EXPECT_EQ(errorOf([] { (void)checkedDivide(1e308, 1e-10); }), Overflow);
    EXPECT_EQ(errorOf([] { (void)checkedMultiply(1e200, 1e200); }), Overflow);
    EXPECT_EQ(checkedDivide(1e-300, 1e300), 0.0);  // underflow is no error
    EXPECT_EQ(checkedDivide(7, 2), 3.5);
}

}  // namespace
}  // namespace tobarin
