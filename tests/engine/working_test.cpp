// The working as a textbook writes it: each rule on a chosen problem, and on
// random problems a working whose every line equals the answer, that repeats
// no line, keeps the sign in front in × and ÷, and ends on the window's answer.

#include "engine/problem/problem.h"
#include "engine/solve.h"
#include "engine/window/answer.h"
#include "engine/window/answer_forms.h"
#include "engine/window/calculate.h"
#include "engine/window/problem_text.h"
#include "engine/working/textbook.h"
#include "engine/working/working.h"
#include "tests/engine/random_operands.h"
#include "tests/engine/test_support.h"
#include "tests/oracle/expression_oracle.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace tobarin {
namespace {

struct WorkingCase {
    const char *expression;
    const char
        *expected;  // the lines after the problem, "; " between them, one blank before a note
    AnswerForm form = AnswerForm::Mixed;
    Method method = Method::MakeImproper;

    friend void PrintTo(const WorkingCase &row, std::ostream *os)
    {
        *os << row.expression << (row.form == AnswerForm::Improper ? " improper" : "")
            << (row.method == Method::KeepMixed ? " keep mixed" : "");
    }
};

std::string compact(const Working &working)
{
    std::string text;
    for (std::size_t i = 1; i < working.steps.size(); ++i) {
        const Step &step = working.steps[i];
        text += (i > 1 ? "; = " : "= ") + expressionText(step.expression) + " " + stepNote(step);
    }
    return working.report.empty() ? text : text + (text.empty() ? "" : "; ") + working.report;
}

class WorkingText : public ::testing::TestWithParam<WorkingCase> { };

TEST_P(WorkingText, TakesTheTextbooksSteps)
{
    const WorkingCase &c = GetParam();
    const Solution solution = solve(readProblem(c.expression).value.value(), c.form, c.method);
    EXPECT_EQ(compact(solution.working), c.expected);
}

constexpr AnswerForm Improper = AnswerForm::Improper;
constexpr AnswerForm Mixed = AnswerForm::Mixed;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rules, WorkingText, ::testing::Values(
    // Signs of sums: both rewrites, and the sign decided before the calculation.
    WorkingCase {"1/2 + -1/3", "= 1/2 - 1/3 かっこをはずす; = 3/6 - 2/6 通分する; = 1/6 計算する"},
    WorkingCase {"1/3 - 1/2", "= 2/6 - 3/6 通分する; = -(3/6 - 2/6) 符号を決める; = -1/6 計算する"},
    WorkingCase {"-1/6 + 5/6", "= +(5/6 - 1/6) 符号を決める; = 4/6 計算する; = 2/3 約分する"},
    WorkingCase {"-1/6 - 5/6", "= -(1/6 + 5/6) 符号を決める; = -6/6 計算する; = -1 整数に直す"},
    WorkingCase {"2 - 5", "= -(5 - 2) 符号を決める; = -3 計算する"},
    // Signs of products and quotients, decided first.
    WorkingCase {"-6 ÷ 4", "= -(6 ÷ 4) 符号を決める; = -6/4 商を分数で表す; = -3/2 約分する; = -1 1/2 帯分数に直す"},
    WorkingCase {"-1 1/2 ÷ -3", "= +(1 1/2 ÷ 3) 符号を決める; = +(3/2 ÷ 3) 帯分数を仮分数に直す; "
        "= +3/(2×3) 分子はそのままにして、分母に整数をかける; = +1/(2×1) 途中で約分する; = 1/2 計算する"},
    // Zero in each place.
    WorkingCase {"0 - 1 2/4", "= -1 2/4 計算する; = -1 1/2 約分する"},
    WorkingCase {"0 - 1 2/4", "= -1 2/4 計算する; = -1 1/2 約分する; = -3/2 仮分数に直す", Improper},
    WorkingCase {"6/4 - 0", "= 6/4 計算する; = 3/2 約分する; = 1 1/2 帯分数に直す"},
    WorkingCase {"0 - -3/4", "= 0 + 3/4 ひく数の符号を変えてたす; = 3/4 計算する"},
    WorkingCase {"-2/3 × 0", "= 0 計算する"},
    WorkingCase {"0 ÷ -3/4", "= 0 計算する"},
    WorkingCase {"2/3 - 2/3", "= 0 計算する"},
    // Whole numbers.
    WorkingCase {"2 + 1/2", "= 2 1/2 計算する"},
    WorkingCase {"1/2 + 2", "= 1/2 + 4/2 整数を分数に直す; = 5/2 計算する", Improper},
    WorkingCase {"6/3 + 1/2", "= 2 + 1/2 約分する; = 2 1/2 計算する"},
    WorkingCase {"2 × 3", "= 6 計算する"},
    WorkingCase {"2 × 3/4", "= (2×3)/4 分母はそのままにして、分子に整数をかける; = (1×3)/2 途中で約分する; = 3/2 計算する", Improper},
    // As the textbooks teach them: a whole number added to a mixed number;
    // 分数÷整数 without the reciprocal; no denominator that cancelled to 1.
    WorkingCase {"1 1/3 + 2", "= 3 1/3 計算する"},
    WorkingCase {"2 + 1 2/4", "= 3 2/4 計算する; = 3 1/2 約分する"},
    WorkingCase {"4/9 ÷ 2", "= 4/(9×2) 分子はそのままにして、分母に整数をかける; = 2/(9×1) 途中で約分する; = 2/9 計算する"},
    WorkingCase {"2/3 × 12", "= (2×12)/3 分母はそのままにして、分子に整数をかける; = 2×4 途中で約分する; = 8 計算する"},
    WorkingCase {"-3/4 × 4/3", "= -(3/4 × 4/3) 符号を決める; = -(3×4)/(4×3) 分子どうし、分母どうしをかける; "
        "= -(1×1) 途中で約分する; = -1 計算する"},
    WorkingCase {"1 ÷ 1/3", "= 1 × 3 わる数の逆数をかける; = 3 計算する"},
    WorkingCase {"6 ÷ 3", "= 2 計算する"},
    WorkingCase {"7 ÷ 2", "= 7/2 商を分数で表す; = 3 1/2 帯分数に直す"},
    // Reducing operands only where it lowers the common denominator; a
    // mixed number's note only where there is one.
    WorkingCase {"2/4 + 1/6", "= 1/2 + 1/6 約分する; = 3/6 + 1/6 通分する; = 4/6 計算する; = 2/3 約分する"},
    WorkingCase {"2/4 + 3/8", "= 4/8 + 3/8 通分する; = 7/8 計算する"},
    WorkingCase {"6/2 + 1/2", "= 7/2 計算する; = 3 1/2 帯分数に直す"},
    WorkingCase {"5/1 + 1/2", "= 10/2 + 1/2 通分する; = 11/2 計算する; = 5 1/2 帯分数に直す"},
    WorkingCase {"2/4 × 3/5", "= 1/2 × 3/5 約分する; = (1×3)/(2×5) 分子どうし、分母どうしをかける; = 3/10 計算する"},
    // 帯分数のまま: carrying, borrowing, both forms, and where it does not apply.
    WorkingCase {"1 3/4 + 3/4", "= 1 6/4 計算する; = 2 2/4 くり上げる; = 2 1/2 約分する", Mixed, Method::KeepMixed},
    WorkingCase {"1 3/4 + 3/4", "= 1 6/4 計算する; = 10/4 仮分数に直す; = 5/2 約分する", Improper, Method::KeepMixed},
    WorkingCase {"2 1/2 + 1/2", "= 2 2/2 計算する; = 3 くり上げる", Improper, Method::KeepMixed},
    WorkingCase {"3 - 2/5", "= 2 5/5 - 2/5 くり下げる; = 2 3/5 計算する", Mixed, Method::KeepMixed},
    WorkingCase {"2 1/3 - 1/6", "= 2 2/6 - 1/6 通分する; = 2 1/6 計算する; = 13/6 仮分数に直す", Improper, Method::KeepMixed},
    WorkingCase {"1 1/2 - 2 1/3", "= 3/2 - 7/3 帯分数を仮分数に直す; = 9/6 - 14/6 通分する; "
        "= -(14/6 - 9/6) 符号を決める; = -5/6 計算する", Mixed, Method::KeepMixed},
    WorkingCase {"5/3 + 1 1/2", "= 5/3 + 3/2 帯分数を仮分数に直す; = 10/6 + 9/6 通分する; = 19/6 計算する; "
        "= 3 1/6 帯分数に直す", Mixed, Method::KeepMixed},
    // Several terms: decimals, parentheses, powers, products of three or more,
    // products first in a sum, and sums of three or more terms.
    WorkingCase {"0.6 × 5/9 ÷ 1.2", "= 6/10 × 5/9 ÷ 12/10 小数を分数に直す; = 3/5 × 5/9 ÷ 6/5 約分する; "
        "= 3/5 × 5/9 × 5/6 わる数の逆数をかける; = (3×5×5)/(5×9×6) 分子どうし、分母どうしをかける; "
        "= (1×1×5)/(1×3×6) 途中で約分する; = 5/18 計算する"},
    WorkingCase {"1.25 + 0.5 - 1/4", "= 125/100 + 5/10 - 1/4 小数を分数に直す; = 5/4 + 1/2 - 1/4 約分する; "
        "= 5/4 + 2/4 - 1/4 通分する; = 6/4 計算する; = 3/2 約分する; = 1 1/2 帯分数に直す"},
    WorkingCase {"(1 1/2 + 0.25) × 4", "= (1 1/2 + 25/100) × 4 小数を分数に直す; = (1 1/2 + 1/4) × 4 約分する; "
        "= (3/2 + 1/4) × 4 かっこの中の帯分数を仮分数に直す; = (6/4 + 1/4) × 4 かっこの中を通分する; "
        "= 7/4 × 4 かっこの中を計算する; = (7×4)/4 分母はそのままにして、分子に整数をかける; = 7×1 途中で約分する; "
        "= 7 計算する"},
    WorkingCase {"0.5² + 1/4", "= (5/10)² + 1/4 小数を分数に直す; = (1/2)² + 1/4 約分する; "
        "= 1/4 + 1/4 累乗を計算する; = 2/4 計算する; = 1/2 約分する"},
    WorkingCase {"-(3/6 + 2/6) × 6", "= (-5/6) × 6 かっこの中を計算する; = -(5/6 × 6) 符号を決める; "
        "= -(5×6)/6 分母はそのままにして、分子に整数をかける; = -(5×1) 途中で約分する; = -5 計算する"},
    WorkingCase {"(1/2 + 1/6) × 3", "= (3/6 + 1/6) × 3 かっこの中を通分する; = 4/6 × 3 かっこの中を計算する; "
        "= 2/3 × 3 かっこの中を約分する; = (2×3)/3 分母はそのままにして、分子に整数をかける; = 2×1 途中で約分する; "
        "= 2 計算する"},
    WorkingCase {"((1/2 + 1/3) × 2 - 1) ÷ 2", "= ((3/6 + 2/6) × 2 - 1) ÷ 2 かっこの中を通分する; "
        "= (5/6 × 2 - 1) ÷ 2 かっこの中を計算する; = (5/3 - 1) ÷ 2 かっこの中のかけ算を先に計算する; "
        "= (5/3 - 3/3) ÷ 2 かっこの中の整数を分数に直す; = 2/3 ÷ 2 かっこの中を計算する; "
        "= 2/(3×2) 分子はそのままにして、分母に整数をかける; = 1/(3×1) 途中で約分する; = 1/3 計算する"},
    WorkingCase {"(1/2 - (-1/3)) × 6", "= (1/2 + 1/3) × 6 かっこの中のひく数の符号を変えてたす; "
        "= (3/6 + 2/6) × 6 かっこの中を通分する; = 5/6 × 6 かっこの中を計算する; "
        "= (5×6)/6 分母はそのままにして、分子に整数をかける; = 5×1 途中で約分する; = 5 計算する"},
    WorkingCase {"(2² + 1) × 3", "= (4 + 1) × 3 かっこの中の累乗を計算する; = 5 × 3 かっこの中を計算する; = 15 計算する"},
    WorkingCase {"-3² + (-1/2)² × 8", "= -9 + 1/4 × 8 累乗を計算する; = -9 + 2 かけ算を先に計算する; "
        "= -(9 - 2) 符号を決める; = -7 計算する"},
    WorkingCase {"(-2/3) × 3/4 ÷ (-5/6)", "= +(2/3 × 3/4 ÷ 5/6) 符号を決める; = +(2/3 × 3/4 × 6/5) わる数の逆数をかける; "
        "= +(2×3×6)/(3×4×5) 分子どうし、分母どうしをかける; = +(1×1×3)/(1×1×5) 途中で約分する; = 3/5 計算する"},
    WorkingCase {"(-6) ÷ 3 ÷ 2", "= (-2) ÷ 2 計算する; = -(2 ÷ 2) 符号を決める; = -1 計算する"},
    WorkingCase {"7 ÷ 2 × 4 × 3", "= 7/2 × 4 × 3 計算する; = 14 × 3 計算する; = 42 計算する"},
    WorkingCase {"9 ÷ 1/3 ÷ 1/2", "= 9 × 3 × 2 わる数の逆数をかける; = 54 計算する"},
    WorkingCase {"2 × 3 × 0", "= 0 計算する"},
    WorkingCase {"1/2 × 2/3 + 3/4 ÷ 3", "= 1/3 + 1/4 かけ算・わり算を先に計算する; = 4/12 + 3/12 通分する; = 7/12 計算する"},
    WorkingCase {"1/6 - (-1/3) + (-3/4)", "= 1/6 + 1/3 - 3/4 かっこをはずす; = 2/12 + 4/12 - 9/12 通分する; "
        "= 6/12 - 9/12 正の項どうし、負の項どうしをまとめる; = -(9/12 - 6/12) 符号を決める; = -3/12 計算する; "
        "= -1/4 約分する"},
    WorkingCase {"-1/12 + 5/12 - 7/12", "= -1/12 - 7/12 + 5/12 項を並べかえる; = -8/12 + 5/12 正の項どうし、負の項どうしをまとめる; "
        "= -(8/12 - 5/12) 符号を決める; = -3/12 計算する; = -1/4 約分する"},
    WorkingCase {"-1/2 - 1/3 - 1/4", "= -6/12 - 4/12 - 3/12 通分する; = -(6/12 + 4/12 + 3/12) 符号を決める; "
        "= -13/12 計算する", Improper},
    WorkingCase {"2 × (1/2 - 1/2) ÷ 0", "実行時エラー 11: 0 でわることはできません。"},
    // No answer: the report, after the engine's own path.
    WorkingCase {"1/0 + 1/2", "分母を１以上の整数にしてください。"},
    WorkingCase {"1/2 ÷ 0", "実行時エラー 11: 0 でわることはできません。"},
    WorkingCase {"1 1/40000000 + 1/40000001", "実行時エラー 6: 桁あふれが発生しました。"}), testing::ByText {});
// clang-format on

// The exact value of an expression, worked out apart from the engine.
Fraction valueOf(const Expression &line)
{
    const oracle::Value v = oracle::expressionValue(line);
    return fractionOf(v.n, v.d);
}

// The answer the window's labels show for the problem in the form asked for.
std::string windowAnswer(const TypedProblem &problem, AnswerForm form)
{
    MemoryForm window;
    enterProblem(window, problem);
    Command1_Click(window);
    if (form == AnswerForm::Improper) {
        Option2_Click(window, static_cast<std::int16_t>(form));
    }
    const std::optional<WrittenNumber> shown = answerIn(window);
    return shown ? numberText(*shown) : "";
}

bool hasMinusInside(const Expression &line)
{
    return std::any_of(line.operands.begin(), line.operands.end(), [](const Expression &e) {
        return (e.isNumber() && e.number.negative) || hasMinusInside(e);
    });
}

TEST(WorkingProperty, EveryLineEqualsTheAnswerAndTheLastIsTheWindows)
{
    const std::uint64_t seed = testing::testSeed(20261208);
    RecordProperty("seed", std::to_string(seed));
    testing::RandomOperands random(seed);
    constexpr int Pairs = 4000;
    int answers = 0;
    for (int pair = 0; pair < Pairs; ++pair) {
        const testing::Operand a = random.operand();
        const testing::Operand b = random.operand();
        for (const Operation operation : Operations) {
            const TypedProblem typed {{a.den, a.num, a.whole, a.negative},
                {b.den, b.num, b.whole, b.negative}, operation};
            const Problem problem = problemOfFields(typed);
            for (const AnswerForm form : {AnswerForm::Mixed, AnswerForm::Improper}) {
                const Solution solution = solve(problem, form);
                if (!solution.answer) {
                    continue;
                }
                ++answers;
                const Method method = pair % 2 == 0 ? Method::MakeImproper : Method::KeepMixed;
                const Working working = solve(problem, form, method).working;
                const std::string window = windowAnswer(typed, form);
                const std::vector<Step> &steps = working.steps;
                SCOPED_TRACE(workingText(working));
                ASSERT_EQ(expressionText(steps.back().expression), window);
                const Fraction answer = valueOf(steps.back().expression);
                std::set<std::string> seen;
                bool signDecided = false;
                for (std::size_t i = 1; i < steps.size(); ++i) {
                    const Step &step = steps[i];
                    EXPECT_EQ(valueOf(step.expression), answer) << "line " << i;
                    EXPECT_TRUE(seen.insert(expressionText(step.expression)).second)
                        << "line " << i;
                    if (step.note == Note::Reduce && step.expression.isNumber()) {
                        const WrittenNumber &x = step.expression.number;
                        EXPECT_TRUE(!x.hasFraction || wide::gcd(x.num, x.den) == 1);
                    }
                    signDecided = signDecided
                        || (step.note == Note::DecideSign && operation >= Operation::Multiply);
                    EXPECT_FALSE(signDecided && hasMinusInside(step.expression)) << "line " << i;
                }
            }
        }
    }
    // The draw must reach answers often, or the test proves little.
    EXPECT_GT(answers, Pairs);
}

}  // namespace
}  // namespace tobarin
