// The working Calculate records: exact texts for chosen problems, and on
// random problems a working that ends on the answer the labels show, whose
// every line equals the one before it in value.

#include "engine/problem_text.h"
#include "engine/solve.h"
#include "engine/working.h"
#include "tests/engine/random_operands.h"
#include "tests/engine/test_support.h"

#include <gtest/gtest.h>
#include <string>

namespace tobarin {
namespace {

using testing::errorOf;

struct WorkingCase {
    const char *expression;
    bool improper;  // 仮分数 clicked after Calculate
    const char *expected;  // the working, then the report

    friend void PrintTo(const WorkingCase &row, std::ostream *os) { *os << row.expression; }
};

class WorkingText : public ::testing::TestWithParam<WorkingCase> { };

TEST_P(WorkingText, ShowsEachStep)
{
    const WorkingCase &c = GetParam();
    const Solution solution = solve(parseProblem(c.expression).value.value(),
        c.improper ? AnswerForm::Improper : AnswerForm::Mixed, true);
    EXPECT_EQ(workingText(solution.working), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Problems, WorkingText,
    ::testing::Values(WorkingCase {"1 2/3 + 3/4", false,
                          "1 2/3 + 3/4\n"
                          "= 5/3 + 3/4        帯分数を仮分数に直す\n"
                          "= 20/12 + 9/12     通分する\n"
                          "= 29/12            計算する\n"
                          "= 2 5/12           帯分数に直す\n"},
        WorkingCase {"5/6 - 1/4", false,
            "5/6 - 1/4\n= 10/12 - 3/12     通分する\n= 7/12             計算する\n"},
        WorkingCase {"2/4 + 1/6", false,
            "2/4 + 1/6\n= 1/2 + 1/6        約分する\n= 3/6 + 1/6        通分する\n"
            "= 4/6              計算する\n= 2/3              約分する\n"},
        WorkingCase {"4/9 × 3/8", false,
            "4/9 × 3/8\n= 4/3 × 1/8        途中で約分する\n= 1/3 × 1/2        途中で約分する\n"
            "= 1/6              計算する\n"},
        WorkingCase {"3/4 ÷ 9/10", false,
            "3/4 ÷ 9/10\n= 3/4 × 10/9       逆数をかける\n= 3/2 × 5/9        途中で約分する\n"
            "= 1/2 × 5/3        途中で約分する\n= 5/6              計算する\n"},
        WorkingCase {"1/2 - -3/4", true,
            "1/2 - (-3/4)\n= 2/4 - (-3/4)     通分する\n= 5/4              計算する\n"
            "= 1 1/4            帯分数に直す\n= 5/4              仮分数に直す\n"},
        WorkingCase {"-1 1/3 - 1/2", false,
            "-1 1/3 - 1/2\n= -4/3 - 1/2       帯分数を仮分数に直す\n= -8/6 - 3/6       通分する\n"
            "= -11/6            計算する\n= -1 5/6           帯分数に直す\n"},
        WorkingCase {"1 1/2 + 1/2", false,
            "1 1/2 + 1/2\n= 3/2 + 1/2        帯分数を仮分数に直す\n= 4/2              計算する\n"
            "= 2                約分する\n"},
        WorkingCase {"2/3 - 2/3", false,
            "2/3 - 2/3\n= 0/3              計算する\n= 0                約分する\n"},
        WorkingCase {"-1/2 × 2", false,
            "-1/2 × 2\n= -1 × 1           途中で約分する\n= -1               計算する\n"},
        WorkingCase {"1/0 + 1/2", false, "1/0 + 1/2\n分母を１以上の整数にしてください。\n"},
        WorkingCase {"1 1/40000000 + 1/40000001", false,
            "1 1/40000000 + 1/40000001\n"
            "= 40000001/40000000 + 1/40000001  帯分数を仮分数に直す\n"
            "実行時エラー 6: 桁あふれが発生しました。\n"},
        WorkingCase {"1/2 ÷ 0", false, "1/2 ÷ 0\n実行時エラー 11: 0 で割ることはできません。\n"}));

// Exact values of the lines, in lowest terms with a positive denominator; a
// zero denominator stands for a division by zero.
using oracle::Int;
using oracle::plainGcd;
struct Value {
    Int n;
    Int d;
    friend bool operator==(const Value &, const Value &) = default;
};

Value lowest(Int n, Int d)
{
    if (d == 0) {
        return {(n > 0) - (n < 0), 0};
    }
    const Int g = plainGcd(n, d) * (d < 0 ? -1 : 1);
    return {n / g, d / g};
}

Value valueOf(const ShownNumber &x)
{
    const Int whole = x.hasWhole ? x.whole : 0;
    const Int n = x.hasFraction ? whole * x.den + x.num : whole;
    return lowest(x.negative ? -n : n, x.hasFraction ? x.den : 1);
}

Value valueOf(const Expression &e)
{
    const Value a = valueOf(e.first);
    if (!e.second) {
        return a;
    }
    const Value b = valueOf(*e.second);
    const Int g = plainGcd(a.d, b.d);
    switch (e.operation.value()) {
    case Operation::Add:
        return lowest(a.n * (b.d / g) + b.n * (a.d / g), a.d / g * b.d);
    case Operation::Subtract:
        return lowest(a.n * (b.d / g) - b.n * (a.d / g), a.d / g * b.d);
    case Operation::Multiply:
        return lowest(a.n * b.n, a.d * b.d);
    case Operation::Divide:
        break;
    }
    return lowest(a.n * b.d, a.d * b.n);
}

TEST(WorkingProperty, FollowsTheEnginesPathToTheAnswer)
{
    const std::uint64_t seed = testing::testSeed(20261208);
    RecordProperty("seed", std::to_string(seed));
    testing::RandomOperands random(seed);
    constexpr int Pairs = 2000;
    int answers = 0;
    for (int pair = 0; pair < Pairs; ++pair) {
        const testing::Operand a = random.operand();
        const testing::Operand b = random.operand();
        for (const Operation operation : Operations) {
            const Problem problem {{{a.den, a.num, a.whole}, a.negative},
                {{b.den, b.num, b.whole}, b.negative}, operation};
            const Solution solution = solve(problem, AnswerForm::Mixed, true);
            const std::vector<Step> &steps = solution.working.steps;
            SCOPED_TRACE(workingText(solution.working));

            if (solution.working.report.starts_with("実行時エラー")) {
                EXPECT_TRUE(solution.answer.empty());
            } else if (!solution.working.report.empty()) {
                EXPECT_EQ(steps.size(), 1U);
            } else {
                ++answers;
                ASSERT_FALSE(steps.back().expression.second);
                EXPECT_EQ(numberText(steps.back().expression.first), answerText(solution.answer));
            }
            for (std::size_t i = 1; i < steps.size(); ++i) {
                ASSERT_EQ(valueOf(steps[i].expression), valueOf(steps[i - 1].expression))
                    << "line " << i;
                if (noteOf(steps[i].kind) != "約分する") {
                    continue;
                }
                const Expression &e = steps[i].expression;
                for (const std::optional<ShownNumber> &x : {std::optional(e.first), e.second}) {
                    EXPECT_TRUE(!x || !x->hasFraction || plainGcd(x->num, x->den) == 1);
                }
            }
        }
    }
    // The draw must reach answers often, or the test proves little.
    EXPECT_GT(answers, Pairs / 2);
}

}  // namespace
}  // namespace tobarin
