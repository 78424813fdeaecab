#include "engine/number/runtime_error.h"
#include "engine/window/calculate.h"
#include "tests/engine/fake_form.h"
#include "tests/engine/test_support.h"

#include <array>
#include <gtest/gtest.h>
#include <string>

namespace tobarin {
namespace {

using testing::errorOf;
using testing::FakeForm;

enum Operation { Add = 0, Subtract = 1, Multiply = 2, Divide = 3, NoOperation = -1 };

// An operand as typed: integer part, numerator, denominator, and its sign box.
struct Typed {
    std::string whole;
    std::string num;
    std::string den;
    bool negative = false;
};

// The answer labels after Calculate: sign, integer part, numerator,
// denominator, and whether the fraction bar is drawn.
struct Answer {
    std::string sign;
    std::string whole;
    std::string num;
    std::string den;
    bool bar;

    friend bool operator==(const Answer &, const Answer &) = default;
    friend std::ostream &operator<<(std::ostream &os, const Answer &a)
    {
        return os << '[' << a.sign << "|" << a.whole << "|" << a.num << '/' << a.den
                  << (a.bar ? " bar]" : " no bar]");
    }
};

const Answer Empty {"", "", "", "", true};

struct CalculationCase {
    const char *name;
    Typed first;
    Operation operation;
    Typed second;
    Answer expected;
    int error = 0;

    friend void PrintTo(const CalculationCase &row, std::ostream *os) { *os << row.name; }
};

Answer answerOf(const FakeForm &form)
{
    return {form.label1(3), form.label1(2), form.label1(1), form.label1(0), form.visible(Line3)};
}

void enter(FakeForm &form, const CalculationCase &c)
{
    form.first(c.first.whole, c.first.num, c.first.den);
    form.second(c.second.whole, c.second.num, c.second.den);
    form.tick(0, c.first.negative);
    form.tick(1, c.second.negative);
    form.selectOperation(c.operation);
}

class Calculation : public ::testing::TestWithParam<CalculationCase> { };

TEST_P(Calculation, WritesTheReducedAnswer)
{
    const CalculationCase &c = GetParam();
    FakeForm form;
    // What a previous calculation left must be cleared first, error or not.
    form.setCaption(Label1[1], "99");
    form.setVisible(Line3, false);
    enter(form, c);

    EXPECT_EQ(errorOf([&] { Command1_Click(form); }), c.error);
    EXPECT_EQ(answerOf(form), c.expected);
    EXPECT_TRUE(form.messages().empty());
}

const Typed None {"", "", ""};

INSTANTIATE_TEST_SUITE_P(Answers, Calculation,
    ::testing::Values(CalculationCase {"HalfPlusThird", {"", "1", "2"}, Add, {"", "1", "3"},
                          {"", "", "5", "6", true}},
        CalculationCase {
            "HalfPlusHalf", {"", "1", "2"}, Add, {"", "1", "2"}, {"", "1", "", "", false}},
        CalculationCase {"MixedPlusNothing", {"1", "2", "3"}, Add, None, {"", "1", "2", "3", true}},
        CalculationCase {"HalfMinusThreeQuarters", {"", "1", "2"}, Subtract, {"", "3", "4"},
            {"-", "", "1", "4", true}},
        CalculationCase {"ThreeQuartersTimesTwoThirds", {"", "3", "4"}, Multiply, {"", "2", "3"},
            {"", "", "1", "2", true}},
        CalculationCase {"AllEmptyAdd", None, Add, None, {"", "0", "", "", false}},
        CalculationCase {"AllEmptySubtract", None, Subtract, None, {"", "0", "", "", false}},
        CalculationCase {"AllEmptyMultiply", None, Multiply, None, {"", "0", "", "", false}},
        CalculationCase {"NoOperationSelected", {"", "1", "2"}, NoOperation, {"", "1", "3"},
            {"", "0", "", "", false}},
        CalculationCase {
            "WholeNumberOperand", {"7", "", ""}, Add, {"", "1", "2"}, {"", "7", "1", "2", true}},
        CalculationCase {"ZeroNumeratorWithoutDenominator", {"7", "0", ""}, Multiply, {"2", "", ""},
            {"", "14", "", "", false}},
        CalculationCase {"NegativeNumeratorWithoutDenominator", {"3", "-5", "0"}, Add, None,
            {"", "3", "", "", false}},
        CalculationCase {
            "HalfReadsAsEven", {"", "2.5", "3"}, Add, {"", "1.5", "3"}, {"", "1", "1", "3", true}},
        CalculationCase {"ImproperSplit", {"", "100", "7"}, Add, None, {"", "14", "2", "7", true}},
        CalculationCase {
            "DivideFractions", {"1", "1", "2"}, Divide, {"", "3", "4"}, {"", "2", "", "", false}},
        CalculationCase {
            "ZeroDividedByNumber", None, Divide, {"", "1", "3"}, {"", "0", "", "", false}},
        // Cross products beyond 2^53 that cancel (both boxes ticked).
        CalculationCase {"LargeCancellingDifference", {"", "943067965", "23239372", true}, Subtract,
            {"", "1090720486", "26877871", true}, {"", "", "14672277", "624624842737012", true}}),
    testing::ByName());

// The answer's sign stands in the sign label only; the numbers are never negative.
INSTANTIATE_TEST_SUITE_P(Signs, Calculation,
    ::testing::Values(CalculationCase {"MinusHalfPlusThird", {"", "1", "2", true}, Add,
                          {"", "1", "3"}, {"-", "", "1", "6", true}},
        CalculationCase {"MinusHalfPlusQuarter", {"", "1", "2", true}, Add, {"", "1", "4"},
            {"-", "", "1", "4", true}},
        CalculationCase {"MinusHalfTimesTwo", {"", "1", "2", true}, Multiply, {"2", "", ""},
            {"-", "1", "", "", false}},
        CalculationCase {"MinusHalfTimesThird", {"", "1", "2", true}, Multiply, {"", "1", "3"},
            {"-", "", "1", "6", true}},
        CalculationCase {"TwoThirdsPlusMinusSevenThirds", {"", "2", "3"}, Add, {"", "7", "3", true},
            {"-", "1", "2", "3", true}},
        CalculationCase {"HalfDividedByMinusThird", {"", "1", "2"}, Divide, {"", "1", "3", true},
            {"-", "1", "1", "2", true}},
        CalculationCase {"ThreeQuartersPlusMinusSixth", {"", "3", "4"}, Add, {"", "1", "6", true},
            {"", "", "7", "12", true}},
        CalculationCase {"MinusTimesMinus", {"1", "1", "2", true}, Multiply, {"", "2", "3", true},
            {"", "1", "", "", false}},
        CalculationCase {"MinusMixedMinusMixed", {"2", "1", "3", true}, Subtract, {"1", "1", "2"},
            {"-", "3", "5", "6", true}},
        CalculationCase {"NegativeZero", {"", "", "", true}, Multiply, {"", "1", "2", true},
            {"", "0", "", "", false}}),
    testing::ByName());

// A run-time error abandons the calculation with the cleared labels left as they are.
INSTANTIATE_TEST_SUITE_P(Errors, Calculation,
    ::testing::Values(
        CalculationCase {"AllEmptyDivide", None, Divide, None, Empty, RuntimeError::DivisionByZero},
        CalculationCase {
            "DivideByEmpty", {"", "1", "2"}, Divide, None, Empty, RuntimeError::DivisionByZero},
        CalculationCase {"DivideByZeroWhole", {"3", "", ""}, Divide, {"0", "0", "5"}, Empty,
            RuntimeError::DivisionByZero},
        CalculationCase {"LcmProductBeyondRange", {"", "1", "40000000"}, Add, {"", "3", "40000000"},
            Empty, RuntimeError::Overflow},
        CalculationCase {
            "TextBeyond32Bits", {"9e9", "", ""}, Add, None, Empty, RuntimeError::Overflow},
        CalculationCase {"ImproperProductOverflow", {"2147483647", "", "2"}, Add, None, Empty,
            RuntimeError::Overflow},
        CalculationCase {"ImproperSumOverflow", {"1073741823", "2", "2"}, Add, None, Empty,
            RuntimeError::Overflow},
        CalculationCase {"NegatingLowest32BitValue", {"-2147483648", "", "", true}, Add, None,
            Empty, RuntimeError::Overflow},
        CalculationCase {"ProductBeyondRange", {"40000000", "", ""}, Multiply, {"40000000", "", ""},
            Empty, RuntimeError::Overflow},
        CalculationCase {"ProductDenominatorOverflow", {"", "1", "65536"}, Multiply,
            {"", "1", "65536"}, Empty, RuntimeError::Overflow},
        CalculationCase {"QuotientOverflow", {"65536", "", ""}, Divide, {"", "1", "65537"}, Empty,
            RuntimeError::Overflow}),
    testing::ByName());

TEST(Calculation, ProductAtTheTopOfTheRangeIsExact)
{
    // 30370004 × 30370005 = 922337173330020, just below the top of the range:
    // the product through doubles must still be exact, and one step further
    // (30370005²) is beyond the range.
    FakeForm form;
    form.first("30370004", "", "");
    form.second("30370005", "", "");
    form.selectOperation(Multiply);
    Command1_Click(form);
    EXPECT_EQ(form.label1(2), "922337173330020");

    form.first("30370005", "", "");
    EXPECT_EQ(errorOf([&] { Command1_Click(form); }), RuntimeError::Overflow);
}

struct DenominatorCase {
    const char *name;
    Typed first;
    Typed second;

    friend void PrintTo(const DenominatorCase &row, std::ostream *os) { *os << row.name; }
};

class MissingDenominator : public ::testing::TestWithParam<DenominatorCase> { };

TEST_P(MissingDenominator, ShowsTheMessageAndWritesNothingElse)
{
    FakeForm form;
    form.setCaption(Label1[2], "5");
    form.first(GetParam().first.whole, GetParam().first.num, GetParam().first.den);
    form.second(GetParam().second.whole, GetParam().second.num, GetParam().second.den);
    form.selectOperation(Divide);

    Command1_Click(form);

    ASSERT_EQ(form.messages().size(), 1U);
    EXPECT_EQ(form.messages()[0].text, "分母を１以上の整数にしてください。");
    EXPECT_EQ(form.messages()[0].style, MsgBoxCritical);
    EXPECT_EQ(form.messages()[0].title, "エラーメッセージ");
    EXPECT_EQ(answerOf(form), Empty);
}

INSTANTIATE_TEST_SUITE_P(Table, MissingDenominator,
    ::testing::Values(DenominatorCase {"First", {"", "5", "0"}, {"", "1", "2"}},
        DenominatorCase {"FirstEmpty", {"1", "5", ""}, None},
        DenominatorCase {"Second", {"", "1", "2"}, {"", "5", "0"}},
        // Checked before anything is divided: even with both numerators 0 elsewhere.
        DenominatorCase {"SecondBeforeDivisionByZero", None, {"", "5", ""}}),
    testing::ByName());

}  // namespace
}  // namespace tobarin
