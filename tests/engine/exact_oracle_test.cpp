// Calculate against exact rational arithmetic, on random operands: small,
// typed-size and large magnitudes, values just beyond 32 bits, random sign
// boxes, and pairs of nearly equal large fractions whose sum or difference
// cancels nearly all its digits. The oracle works out, apart from the engine,
// the run-time error, the denominator message or the exact answer.

#include "engine/calculate.h"
#include "tests/engine/fake_form.h"
#include "tests/engine/test_support.h"
#include "tests/oracle/calculation_oracle.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace tobarin {
namespace {

using oracle::decimal;
using oracle::Int;
using oracle::Max32;
using testing::FakeForm;

struct Operand {
    std::string whole, num, den;  // field texts
    bool negative;
};

Int fieldValue(const std::string &t)
{
    return t.empty() ? 0 : static_cast<Int>(std::stoll(t));
}

class RandomOperands {
public:
    explicit RandomOperands(std::uint64_t seed)
        : m_random(seed)
    {
    }

    Operand operand()
    {
        const int scale = pick(0, 3);  // small, typed, large, beyond 32 bits now and then
        Operand op;
        op.whole = field(scale, 999);
        op.num = field(scale, 9999);
        op.den = field(scale, 9999);
        op.negative = pick(0, 1) == 1;
        return op;
    }

    // An operand close in magnitude to `near` (a fraction without integer
    // part), so that a sum or difference cancels nearly all its digits.
    Operand closeTo(const Operand &near)
    {
        const Int num = fieldValue(near.num);
        const Int den = fieldValue(near.den);
        Operand op {"", near.num, near.den, pick(0, 1) == 1};
        if (den > 0 && num > 0) {
            const Int otherDen = pick(1 << 20, static_cast<int>(Max32));
            const Int otherNum = (num * otherDen + den / 2) / den + pick(-1, 1);
            if (otherNum >= 0 && otherNum <= Max32) {
                op.num = decimal(otherNum);
                op.den = decimal(otherDen);
            }
        }
        return op;
    }

    bool oneIn(int n) { return pick(1, n) == 1; }

private:
    std::string field(int scale, int typedLimit)
    {
        const int shape = pick(0, 19);
        if (shape == 0) {
            return "";
        }
        if (shape == 1) {
            return "0";
        }
        switch (scale) {
        case 0:
            return decimal(pick(0, 12));
        case 1:
            return decimal(pick(0, typedLimit));
        case 2:
            return decimal(pick(0, static_cast<int>(Max32)));
        default:
            // Mostly large, sometimes just beyond the 32-bit range.
            return decimal(shape == 2 ? Max32 + pick(1, 1000) : pick(0, static_cast<int>(Max32)));
        }
    }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    std::mt19937_64 m_random;
};

TEST(ExactOracle, CalculateAgreesWithExactArithmetic)
{
    const char *fromEnvironment = std::getenv("TOBARIN_SEED");
    const std::uint64_t seed
        = fromEnvironment ? std::strtoull(fromEnvironment, nullptr, 10) : 20261207;
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
