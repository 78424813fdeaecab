// Problems of several terms, over thousands of random ones: each reads, its
// problem line reads back as the same problem, its answer is the exact value
// worked out apart from the engine, and its working, in both forms and both
// methods, has every line equal to the answer, no line twice, and the answer
// in the form asked for as its last line.

#include "engine/problem/problem.h"
#include "engine/solve.h"
#include "tests/engine/random_expressions.h"
#include "tests/engine/test_support.h"
#include "tests/oracle/expression_oracle.h"

#include <gtest/gtest.h>
#include <set>
#include <stdexcept>
#include <string>

namespace tobarin {
namespace {

TEST(SeveralTermsProperty, EveryLineEqualsTheExactAnswer)
{
    const std::uint64_t seed = testing::testSeed(20261210);
    RecordProperty("seed", std::to_string(seed));
    testing::RandomExpressions random(seed);
    constexpr int Problems = 3000;
    int answered = 0;
    for (int i = 0; i < Problems; ++i) {
        const std::string text = random.next();
        SCOPED_TRACE(text);
        const Parsed<Problem> read = readProblem(text);
        ASSERT_TRUE(read.value) << read.error;
        const Problem &problem = *read.value;
        const Parsed<Problem> again = readProblem(problemText(problem));
        ASSERT_TRUE(again.value) << again.error;
        EXPECT_TRUE(again.value->expression == problem.expression) << problemText(problem);

        std::optional<oracle::Value> exact;
        try {
            exact = oracle::expressionValue(problem.expression);
        } catch (const std::domain_error &) {
            // a division by 0
        }
        for (const AnswerForm form : {AnswerForm::Mixed, AnswerForm::Improper}) {
            const Method method = i % 2 == 0 ? Method::MakeImproper : Method::KeepMixed;
            const Solution solution = solve(problem, form, method);
            const Working &working = solution.working;
            SCOPED_TRACE(workingText(working));
            if (!exact) {
                EXPECT_FALSE(solution.answer);
                EXPECT_EQ(working.report, "実行時エラー 11: 0 でわることはできません。");
                continue;
            }
            if (!wide::fitsInt64(exact->n) || !wide::fitsInt64(exact->d)) {
                EXPECT_EQ(working.report, "実行時エラー 6: 桁あふれが発生しました。");
                continue;
            }
            ASSERT_TRUE(solution.answer);
            ++answered;
            const Fraction answer = fractionOf(exact->n, exact->d);
            EXPECT_EQ(numberText(*solution.answer),
                numberText(
                    form == AnswerForm::Mixed ? mixedNumberOf(answer) : improperNumberOf(answer)));
            ASSERT_FALSE(working.steps.empty());
            EXPECT_EQ(
                expressionText(working.steps.back().expression), numberText(*solution.answer));
            std::set<std::string> lines;
            for (const Step &step : working.steps) {
                const std::string line = expressionText(step.expression);
                EXPECT_TRUE(lines.insert(line).second) << "repeated: " << line;
                EXPECT_EQ(oracle::expressionValue(step.expression), *exact) << line;
            }
        }
    }
    // The draw must reach answers, or the test proves little.
    EXPECT_GT(answered, Problems);
}

}  // namespace
}  // namespace tobarin
