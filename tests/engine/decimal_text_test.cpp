// The answer copied in other forms: exact decimals by long division, and the
// improper fraction and decimal of the answer the labels show.

#include "engine/number/decimal_text.h"
#include "engine/window/answer.h"
#include "engine/window/problem.h"
#include "tests/engine/test_support.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

#include "form/definition.h"

namespace tobarin {
namespace {

struct DecimalCase {
    long long num;
    long long den;
    const char *text;

    friend void PrintTo(const DecimalCase &row, std::ostream *os)
    {
        *os << row.num << "/" << row.den;
    }
};

class DecimalText : public ::testing::TestWithParam<DecimalCase> { };

TEST_P(DecimalText, WritesTheRepeatingPartInParentheses)
{
    EXPECT_EQ(decimalText(GetParam().num, GetParam().den), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Fractions, DecimalText,
    ::testing::Values(DecimalCase {29, 12, "2.41(6)"}, DecimalCase {1, 3, "0.(3)"},
        DecimalCase {-1, 8, "-0.125"}, DecimalCase {3, 1, "3"}, DecimalCase {-12, 4, "-3"},
        DecimalCase {0, 5, "0"}, DecimalCase {-7, 3, "-2.(3)"}, DecimalCase {6, 4, "1.5"},
        DecimalCase {1, 7, "0.(142857)"},
        DecimalCase {5, 98, "0.0(510204081632653061224489795918367346938775)"},
        // 2^49: 49 digits before the end; 3 × 2^49: as many before the period.
        DecimalCase {1, 562949953421312, "0.0000000000000017763568394002504646778106689453125"},
        DecimalCase {1, 1688849860263936, "0.0000000000000005921189464667501548926035563151041(6)"},
        // A period of 96 digits is written whole; one of 108 is cut at 100 digits.
        DecimalCase {1, 97,
            "0.(0103092783505154639175257731958762886597938144329896907216494845360824742268041237"
            "11340206185567)"},
        DecimalCase {1, 109,
            "0.0091743119266055045871559633027522935779816513761467889908256880733944954128440366"
            "972477064220183486…"},
        DecimalCase {-1, 999999999999989,
            "-0.0000000000000010000000000000110000000000001210000000000013310000000000146410000000"
            "001610510000000017…"}),
    testing::ByText {});

TEST(DecimalText, RefusesADenominatorOutOfRange)
{
    EXPECT_THROW((void)decimalText(1, 0), std::invalid_argument);
    EXPECT_THROW((void)decimalText(1, -3), std::invalid_argument);
}

// The labels sign, integer part, numerator, denominator → the three forms.
struct AnswerFormsCase {
    const char *sign;
    const char *whole;
    const char *num;
    const char *den;
    const char *shown;
    const char *improper;
    const char *decimal;

    friend void PrintTo(const AnswerFormsCase &row, std::ostream *os)
    {
        *os << row.sign << "|" << row.whole << "|" << row.num << "/" << row.den;
    }
};

class CopiedAnswer : public ::testing::TestWithParam<AnswerFormsCase> { };

TEST_P(CopiedAnswer, ReadsTheLabels)
{
    const AnswerFormsCase &c = GetParam();
    MemoryForm form;
    form.setCaption(Label1[3], c.sign);
    form.setCaption(Label1[2], c.whole);
    form.setCaption(Label1[1], c.num);
    form.setCaption(Label1[0], c.den);
    const std::optional<WrittenNumber> answer = answerIn(form);
    const std::optional<Fraction> value = answer ? valueOf(*answer) : std::nullopt;
    EXPECT_EQ(answer ? numberText(*answer) : "", c.shown);
    EXPECT_EQ(value ? numberText(improperNumberOf(*value)) : "", c.improper);
    EXPECT_EQ(value ? decimalText(value->num, value->den) : "", c.decimal);
}

INSTANTIATE_TEST_SUITE_P(Labels, CopiedAnswer,
    ::testing::Values(AnswerFormsCase {"", "2", "5", "12", "2 5/12", "29/12", "2.41(6)"},
        AnswerFormsCase {"-", "", "1", "6", "-1/6", "-1/6", "-0.1(6)"},
        AnswerFormsCase {"", "3", "", "", "3", "3", "3"},
        AnswerFormsCase {"-", "1", "", "", "-1", "-1", "-1"},
        AnswerFormsCase {"", "", "29", "12", "29/12", "29/12", "2.41(6)"},
        AnswerFormsCase {"", "0", "", "", "0", "0", "0"},
        AnswerFormsCase {"", "922337203685477", "1", "2", "922337203685477 1/2",
            "1844674407370955/2", "922337203685477.5"},
        AnswerFormsCase {"", "", "", "", "", "", ""},  // no answer
        AnswerFormsCase {"-", "", "", "", "", "", ""},  // a calculation stopped after the sign
        AnswerFormsCase {"", "1E+15", "", "", "", "", ""}),
    testing::ByText {});  // not digits: no answer

}  // namespace
}  // namespace tobarin
