// Conversion problems: each kind's working as the textbook writes it, its
// problem line read back as the same problem, the numbers a form cannot
// take refused, and one table of verdicts: right, おしい with its reason,
// wrong with its hint.

#include "engine/check/answer_check.h"
#include "engine/problem/problem.h"
#include "engine/solve.h"

#include <gtest/gtest.h>
#include <string>

namespace tobarin {
namespace {

Problem read(const std::string &text)
{
    const Parsed<Problem> problem = readProblem(text);
    EXPECT_TRUE(problem.value) << text << ": " << problem.error;
    return problem.value.value_or(Problem {});
}

struct WorkingCase {
    const char *problem;
    AnswerForm form;
    const char *working;
};

TEST(Conversion, WorksEachKindAndReadsItsLineBack)
{
    constexpr AnswerForm M = AnswerForm::Mixed;
    const WorkingCase cases[] = {
        {"7/3 → 帯分数", M, "7/3 → 帯分数\n= 2 1/3            7÷3=2あまり1\n"},
        {"8/6 -> 帯分数", M,
            "8/6 → 帯分数\n= 1 2/6            8÷6=1あまり2\n= 1 1/3            約分する\n"},
        {"2と1/3→仮分数", M,
            "2 1/3 → 仮分数\n= (3×2+1)/3        分母×整数＋分子\n= 7/3              計算する\n"},
        {"-12/4 → 整数", M, "-12/4 → 整数\n= -3               12÷4=3\n"},
        {"12/18 → 約分", M,
            "12/18 → 約分\n= (12÷6)/(18÷6)    最大公約数6でわる\n= 2/3              計算する\n"},
        {"12/4 → 約分", M,
            "12/4 → 約分\n= (12÷4)/(4÷4)     最大公約数4でわる\n= 3                計算する\n"},
        {"1/2と1/6、1/3 → 通分", M,
            "1/2, 1/6, 1/3 → 通分\n= (1×3)/(2×3), 1/6, (1×2)/(3×2)  最小公倍数6を分母にする\n= "
            "3/6, 1/6, 2/6    計算する\n"},
        {"1 1/4 → 小数", M,
            "1 1/4 → 小数\n= 1 + 1÷4          分子を分母でわる\n= 1.25             計算する\n"},
        {"1.025 → 分数", M,
            "1.025 → 分数\n= 1025/1000        0.001が1025こ\n= 41/40            約分する\n= 1 1/40 "
            "          帯分数に直す\n"},
        {"1.025 → 分数", AnswerForm::Improper,
            "1.025 → 分数\n= 1025/1000        0.001が1025こ\n= 41/40            約分する\n"},
    };
    for (const WorkingCase &c : cases) {
        const Problem problem = read(c.problem);
        EXPECT_EQ(workingText(solve(problem, c.form).working), c.working) << c.problem;
        EXPECT_EQ(read(problemText(problem)), problem) << c.problem;
    }
}

TEST(Conversion, RefusesANumberTheFormCannotTake)
{
    for (const char *text :
        {"1/3 → 小数", "7/3 → 整数", "2/3 → 約分", "2/3 → 帯分数", "6/3 → 帯分数", "2/3 → 仮分数",
            "3/4 → 通分", "1/2, 1/3, 1/4, 1/5 → 通分", "1/4, 3/4 → 通分", "3/4 → 分数",
            "0.1234 → 分数", "3/4 → 半分", "→ 小数", "2 → 小数"}) {
        EXPECT_FALSE(readProblem(text).value) << text;
    }
}

struct VerdictCase {
    const char *problem;
    const char *typed;
    int status;
    const char *told;  // the mistake's id of a wrong answer, else what the verdict ends with
};

TEST(Conversion, ChecksAnswersInTheFormAsked)
{
    const VerdictCase cases[] = {
        {"7/3 → 帯分数", "2 1/3", 0, "正解です。"},
        {"7/3 → 帯分数", "7/3", 3, "帯分数に直しましょう。"},
        {"7/3 → 帯分数", "2 2/3", 4, "convert-remainder"},
        {"7/3 → 帯分数", "1 2/3", 4, "convert-remainder"},
        {"7/3 → 帯分数", "-2 1/3", 4, "sign"},
        {"2 1/3 → 仮分数", "2 1/3", 3, "仮分数に直しましょう。"},
        {"2 1/3 → 仮分数", "3/3", 4, "convert-improper"},
        {"2 1/3 → 仮分数", "5/3", 4, "convert-improper"},
        {"2 1/3 → 仮分数", "3/7", 4, "reciprocal"},
        {"12/4 → 整数", "3/1", 3, "整数に直しましょう。"},
        {"12/18 → 約分", "6/9", 3, "最大公約数でわると、一度で約分できます。"},
        {"12/18 → 約分", "2/18", 4, "reduce-one-side"},
        {"12/18 → 約分", "12/9", 4, "reduce-one-side"},
        {"6/4 → 約分", "1 1/2", 0, "です。"},
        {"3/4, 5/6 → 通分", "9/12と10/12", 0, "「9/12, 10/12」は、正解です。"},
        {"3/4, 5/6 → 通分", "18/24、20/24", 3, "もっと小さい分母で通分できます。"},
        {"3/4, 5/6 → 通分", "9/12 5/12", 4, "common-not-scaled"},
        {"3/4, 5/6 → 通分", "3/24, 5/24", 4, "common-not-scaled"},
        {"3/4, 5/6 → 通分", "3/4, 10/12", 4, "common-unequal"},
        {"3/4, 5/6 → 通分", "9/12", 4, ""},
        {"3/4 → 小数", "0.75", 0, "正解です。"},
        {"3/4 → 小数", "3/4", 3, "小数で答えましょう。"},
        {"3/4 → 小数", "3.4", 4, "decimal-digits"},
        {"3/4 → 小数", "4/3", 4, "decimal-digits"},
        {"3/4 → 小数", "0.7", 4, ""},
        {"1 1/4 → 小数", "1.14", 4, "decimal-digits"},
        {"0.6 → 分数", "0.6", 3, "分数で答えましょう。"},
        {"0.6 → 分数", "6/100", 4, "fraction-place"},
        {"1.25 → 分数", "5/4", 0, "です。"},
        {"1.25 → 分数", "125/10", 4, "fraction-place"},
        {"1.25 → 分数", "1/4", 4, "part-only"},
    };
    for (const VerdictCase &c : cases) {
        const Parsed<std::vector<WrittenNumber>> typed = readAnswers(c.typed);
        ASSERT_TRUE(typed.value) << c.typed;
        const AnswerCheck check
            = checkAnswer(solve(read(c.problem), AnswerForm::Mixed), *typed.value);
        EXPECT_EQ(exitStatus(check.verdict), c.status)
            << c.problem << " " << c.typed << ": " << check.text;
        if (c.status == 4) {
            EXPECT_EQ(check.mistake, c.told) << c.problem << " " << c.typed << ": " << check.text;
            EXPECT_NE(check.text.find("答えがちがいます。"), std::string::npos);
        } else {
            EXPECT_TRUE(check.text.ends_with(c.told))
                << c.problem << " " << c.typed << ": " << check.text;
        }
    }
}

}  // namespace
}  // namespace tobarin
