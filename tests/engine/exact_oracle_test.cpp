// Calculate against exact rational arithmetic, on random operands: small,
// typed-size and large magnitudes, values just beyond 32 bits, random sign
// boxes, and pairs of nearly equal large fractions whose sum or difference
// cancels nearly all its digits. The oracle works out, apart from the engine,
// the run-time error, the denominator message or the exact answer.

#include "engine/window/calculate.h"
#include "tests/engine/fake_form.h"
#include "tests/engine/random_operands.h"
#include "tests/engine/test_support.h"
#include "tests/oracle/calculation_oracle.h"

#include <gtest/gtest.h>
#include <string>

namespace tobarin {
namespace {

using testing::FakeForm;
using testing::Operand;
using testing::RandomOperands;

TEST(ExactOracle, CalculateAgreesWithExactArithmetic)
{
    const std::uint64_t seed = testing::testSeed(20261207);
    RecordProperty("seed", std::to_string(seed));
    RandomOperands random(seed);
    constexpr int Pairs = 100000;
    int answers = 0;
    int errors = 0;
    for (int pair = 0; pair < Pairs; ++pair) {
        Operand a = random.operand();
        const bool close = random.oneIn(8);
        if (close) {
            a.whole = "";
        }
        const Operand b = close ? random.closeTo(a) : random.operand();
        for (int operation = 0; operation < 4; ++operation) {
            FakeForm form;
            form.first(a.whole, a.num, a.den);
            form.second(b.whole, b.num, b.den);
            form.tick(0, a.negative);
            form.tick(1, b.negative);
            form.selectOperation(operation);
            const oracle::Outcome expected = oracle::predictCalculation(
                {a.whole, a.num, a.den, b.whole, b.num, b.den}, a.negative, b.negative, operation);
            const int error = testing::errorOf([&] { Command1_Click(form); });

            std::string problem;
            switch (expected.kind) {
            case oracle::Outcome::Message:
                if (form.messages().size() != 1 || error != 0) {
                    problem = "expected the denominator message";
                }
                break;
            case oracle::Outcome::Error:
                if (error != expected.error) {
                    problem = "run-time error " + std::to_string(error) + ", expected "
                        + std::to_string(expected.error);
                }
                ++errors;
                break;
            case oracle::Outcome::Answer:
                problem = error != 0
                    ? "run-time error " + std::to_string(error)
                    : oracle::checkAnswer(form.label1(3), form.label1(2), form.label1(1),
                        form.label1(0), form.visible(Line3), expected.value);
                ++answers;
                break;
            }
            ASSERT_TRUE(problem.empty())
                << problem << "\n  seed " << seed << ", pair " << pair << ", operation "
                << operation << "\n  first " << (a.negative ? "-" : "") << a.whole << " " << a.num
                << "/" << a.den << ", second " << (b.negative ? "-" : "") << b.whole << " " << b.num
                << "/" << b.den << "\n  labels [" << form.label1(3) << "|" << form.label1(2) << "|"
                << form.label1(1) << "/" << form.label1(0) << "]";
        }
    }
    // The draw must reach both outcomes often, or the test proves little.
    EXPECT_GT(answers, Pairs / 2);
    EXPECT_GT(errors, Pairs / 20);
}

}  // namespace
}  // namespace tobarin
