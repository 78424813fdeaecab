// Problems and operands read from text: each row gives the fields read, as
// "-[integer part|numerator|denominator]", or "!" and part of the message
// that says why the text is not read.

#include "engine/problem/problem.h"
#include "engine/solve.h"
#include "engine/window/problem_text.h"
#include "tests/engine/test_support.h"

#include <gtest/gtest.h>
#include <string>

namespace tobarin {
namespace {

std::string fields(const TypedOperand &x)
{
    return (x.negative ? "-[" : "[") + x.whole + "|" + x.num + "|" + x.den + "]";
}

struct TextCase {
    const char *text;
    const char *read;

    friend void PrintTo(const TextCase &row, std::ostream *os) { *os << row.text; }
};

template <typename T> void expectRead(const Parsed<T> &p, const std::string &read)
{
    if (read.starts_with("!")) {
        EXPECT_FALSE(p.value.has_value());
        EXPECT_NE(p.error.find(read.substr(1)), std::string::npos) << p.error;
    } else {
        EXPECT_TRUE(p.error.empty()) << p.error;
    }
}

class ProblemText : public ::testing::TestWithParam<TextCase> { };

TEST_P(ProblemText, ReadsTheFields)
{
    const Parsed<Problem> p = readProblem(GetParam().text);
    expectRead(p, GetParam().read);
    if (p.value) {
        constexpr const char *Signs[] = {" + ", " - ", " × ", " ÷ "};
        const TypedProblem typed = fieldsOf(*p.value).value();
        EXPECT_EQ(
            fields(typed.first) + Signs[static_cast<int>(typed.operation)] + fields(typed.second),
            GetParam().read);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ProblemText,
    ::testing::Values(TextCase {"1 2/3 + 3/4", "[1|2|3] + [|3|4]"},
        TextCase {"１と２/３＋３", "[1|2|3] + [3||]"},
        TextCase {"\u3000-5/6 * 10 ", "-[|5|6] × [10||]"}, TextCase {"3＊4", "[3||] × [4||]"},
        TextCase {"3 － 4", "[3||] - [4||]"}, TextCase {"3／4", "[3||] ÷ [4||]"},
        TextCase {"2/3/9", "!「2/3/9」は「2/3 ÷ 9」とも「2 ÷ 3/9」とも読めます。"},
        TextCase {"-1/2/3", "!とも"}, TextCase {"1/2 / 3", "[|1|2] ÷ [3||]"},
        TextCase {"1 / 2/3", "[1||] ÷ [|2|3]"}, TextCase {"2 1/2/3", "[2|1|2] ÷ [3||]"},
        TextCase {"1/2/3/4", "[|1|2] ÷ [|3|4]"}, TextCase {"1/2 - -3/4", "[|1|2] - -[|3|4]"},
        TextCase {"1/2--3/4", "[|1|2] - -[|3|4]"}, TextCase {"-1-2", "-[1||] - [2||]"},
        TextCase {"", "!式がありません"}, TextCase {" 3", "!「3」に計算の記号"},
        TextCase {"1+2+3+4+5+6+7+8+9", "!数が9つあります。式の数は8つまでにしてください。"},
        // What a Japanese keyboard gives, and the problem line of a working:
        // a sign or a fraction bar is never a second operation.
        TextCase {"１／２＋３／４", "[|1|2] + [|3|4]"},
        TextCase {"2と3分の1 ÷ 12分の5", "[2|1|3] ÷ [|5|12]"},
        TextCase {"1/2 ＋ －3/4", "[|1|2] + -[|3|4]"},
        TextCase {"1/2 - (-1/3)", "[|1|2] - -[|1|3]"},
        TextCase {"1/2 − (−1/3)", "[|1|2] - -[|1|3]"},
        TextCase {"１／２ーー１／３", "[|1|2] - -[|1|3]"},
        TextCase {"(-2/3) × (-3/4)", "-[|2|3] × -[|3|4]"},
        TextCase {"（－２／３）＊（－３／４）", "-[|2|3] × -[|3|4]"},
        TextCase {"-1/2 + 1/3", "-[|1|2] + [|1|3]"}, TextCase {"-(1/2)++1/3", "-[|1|2] + [|1|3]"},
        TextCase {"2/3 ／ 9", "[|2|3] ÷ [9||]"}, TextCase {"２／３／９", "!とも"},
        TextCase {"1.2345 + 1", "!「1.2345」は小数第4位より細かい小数です。"},
        TextCase {"1/2 - (-1/3", "!「(-1/3」の「(」を閉じるかっこがありません。"},
        TextCase {"1 - -(-2)", "!「-(-2)」には符号が2つあります。"},
        TextCase {"1/2 + x", "!「x」は使えない文字です。"},
        TextCase {" 1 2 + 3", "!「1 2」では、数と数の間に計算の記号"},
        TextCase {"2と3 ÷ 1", "!「2と3」は数として"}, TextCase {"3/4 /", "!「/」の後に数が"},
        TextCase {"+ 3", "!「+ 3」に計算の記号（+ - × ÷）がありません。"}),
    testing::ByText {});

// Problems of several terms: what is read, written back as the problem line;
// what is not, with what is wrong and where.
class ProblemLine : public ::testing::TestWithParam<TextCase> { };

TEST_P(ProblemLine, ReadsTheExpression)
{
    const Parsed<Problem> p = readProblem(GetParam().text);
    expectRead(p, GetParam().read);
    if (p.value) {
        EXPECT_EQ(problemText(*p.value), GetParam().read);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ProblemLine,
    ::testing::Values(TextCase {"1/2 + 1/3 - 1/4", "1/2 + 1/3 - 1/4"},
        TextCase {"２／３÷４／５×３／８", "2/3 ÷ 4/5 × 3/8"},
        TextCase {"0.6 * 5/9 ÷ 1.2", "0.6 × 5/9 ÷ 1.2"},
        TextCase {"-3^2 + (-1/2)^2 × 8", "-3² + (-1/2)² × 8"},
        TextCase {"2 × -3 - 2 × -3²", "2 × (-3) - 2 × (-3²)"},
        TextCase {"1と1/2 + 2 × 12分の5", "1 1/2 + 2 × 5/12"},
        TextCase {"-(1/2 + 1/3) * 6", "-(1/2 + 1/3) × 6"}, TextCase {"3 / 4 + 1", "3 ÷ 4 + 1"},
        TextCase {"((1 + 2) × 3 - 4) ÷ 5", "((1 + 2) × 3 - 4) ÷ 5"},
        TextCase {"（１＋２）²－（＋２）", "(1 + 2)² - 2"},
        TextCase {
            "1/2+1/3+1/4+1/5+1/6+1/7+1/8+1/9", "1/2 + 1/3 + 1/4 + 1/5 + 1/6 + 1/7 + 1/8 + 1/9"},
        TextCase {"2/3² + 1", "!「(2/3)²」のようにかっこをつけてください。"},
        TextCase {"2/3^2 + 1", "!「(2/3)²」のようにかっこをつけてください。"},
        TextCase {"1+2+3+4+5+6+7+8+9", "!数が9つあります。式の数は8つまでにしてください。"},
        TextCase {"((((1 + 2))))", "!かっこは3重までにしてください。"},
        TextCase {"1 + 2) × 3", "!「)」の前に、対応する「(」がありません。"},
        TextCase {"(1 + 2 × 3", "!を閉じるかっこがありません。"},
        TextCase {"1.2345 × 2", "!小数は第3位までにしてください。"},
        TextCase {"0.333... + 1", "!「0.333...」は終わらない小数です。"},
        TextCase {"1 + 2 ×", "!「×」の後に数がありません。"},
        TextCase {"2^5 + 1", "!指数は2、3、4のどれかにしてください。"},
        TextCase {"1 + 1/2/3", "!「1/2/3」は「1/2 ÷ 3」とも「1 ÷ 2/3」とも読めます。"},
        TextCase {"-(-3) + 1", "!「-(-3)」には符号が2つあります。"},
        TextCase {"1 × 2 3", "!「2 3」では、数と数の間に計算の記号"}),
    testing::ByText {});

class OperandText : public ::testing::TestWithParam<TextCase> { };

TEST_P(OperandText, ReadsTheFields)
{
    const Parsed<TypedOperand> p = parseOperand(GetParam().text);
    expectRead(p, GetParam().read);
    if (p.value) {
        EXPECT_EQ(fields(*p.value), GetParam().read);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, OperandText,
    ::testing::Values(TextCase {"-29/12", "-[|29|12]"}, TextCase {" 2 5/12 ", "[2|5|12]"},
        TextCase {"２と５/１２", "[2|5|12]"}, TextCase {"007", "[007||]"},
        TextCase {"1 / 2", "!「1 / 2」は数として読めません。"}, TextCase {"", "!数がありません"},
        TextCase {"（－５／４）", "-[|5|4]"}, TextCase {"-( 2と1/4 )", "-[2|1|4]"},
        TextCase {"+3", "[3||]"}, TextCase {" 1.25", "!「1.25」は小数です。"}),
    testing::ByText {});

// The problem line of a working reads back as the problem it was written from.
TEST(ProblemText, TheWorkingsProblemLineReadsBack)
{
    for (const char *problem : {"1/2 - -1/3", "-2/3 * -3/4", "-1/2 + 1/3", "1 2/3 ÷ -3"}) {
        const Problem read = readProblem(problem).value.value();
        const std::string working = workingText(solve(read, AnswerForm::Mixed).working);
        const std::string line = working.substr(0, working.find('\n'));
        EXPECT_EQ(readProblem(line).value, read) << line;
    }
}

}  // namespace
}  // namespace tobarin
