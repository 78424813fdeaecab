// Calculate against exact rational arithmetic, on random operands.
//
// The oracle below works out, independently of the engine, what the
// calculation must give: the exact value of first ∘ second, or the run-time
// error (or the denominator message) that the rules predict for those fields.

#include "engine/calculate.h"
#include "engine/runtime_error.h"
#include "engine/wide.h"
#include "tests/engine/fake_form.h"
#include "tests/engine/test_support.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <numeric>
#include <random>
#include <sstream>
#include <string>

namespace tobarin {
namespace {

using testing::FakeForm;
using Int = wide::Int128;

constexpr Int Top = 922337203685477;  // the largest whole Currency value
constexpr Int Max32 = 2147483647;
constexpr int Message = -1;  // the denominator message instead of a run-time error

Int abs(Int v)
{
    return v < 0 ? -v : v;
}

Int gcd(Int a, Int b)
{
    a = abs(a);
    b = abs(b);
    while (b != 0) {
        const Int r = a % b;
        a = b;
        b = r;
    }
    return a;
}

bool fits32(Int v)
{
    return v >= -Max32 - 1 && v <= Max32;
}

std::string text(Int v)
{
    if (v == 0) {
        return "0";
    }
    std::string digits;
    for (Int m = abs(v); m > 0; m /= 10) {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(m % 10)));
    }
    return v < 0 ? "-" + digits : digits;
}

struct Operand {
    std::string whole, num, den;  // field texts
    bool negative;
};

Int fieldValue(const std::string &t)
{
    return t.empty() ? 0 : static_cast<Int>(std::stoll(t));
}

// A reduced fraction n / d with d > 0.
struct Exact {
    Int n = 0;
    Int d = 1;
};

struct Prediction {
    int error = 0;  // 0, 6, 11 or Message
    Exact value;
};

// The operand as the rules read it: reduced, d > 0; or the error forming it raises.
bool formOperand(const Operand &op, Exact &out, int &error)
{
    const Int whole = fieldValue(op.whole);
    const Int num = fieldValue(op.num);
    const Int den = fieldValue(op.den);
    Int improper = whole;
    Int d = 1;
    if (den != 0) {
        if (!fits32(whole * den) || !fits32(whole * den + num)) {
            error = RuntimeError::Overflow;
            return false;
        }
        improper = whole * den + num;
        d = den;
    }
    if (op.negative) {
        improper = -improper;
    }
    const Int g = gcd(d, improper);
    out = {improper / g, d / g};
    return true;
}

Prediction predict(const Operand &a, const Operand &b, int operation)
{
    for (const Operand *op : {&a, &b}) {
        for (const std::string *t : {&op->whole, &op->num, &op->den}) {
            if (!fits32(fieldValue(*t))) {
                return {RuntimeError::Overflow, {}};
            }
        }
    }
    for (const Operand *op : {&a, &b}) {
        if (fieldValue(op->den) == 0 && fieldValue(op->num) > 0) {
            return {Message, {}};
        }
    }
    Exact x;
    Exact y;
    int error = 0;
    if (!formOperand(a, x, error) || !formOperand(b, y, error)) {
        return {error, {}};
    }
    Int n = 0;
    Int d = 1;
    switch (operation) {
    case 0:
    case 1: {
        if (x.d * y.d > Top) {  // the product inside LCM
            return {RuntimeError::Overflow, {}};
        }
        d = x.d / gcd(x.d, y.d) * y.d;
        n = d / x.d * x.n + (operation == 0 ? 1 : -1) * (d / y.d * y.n);
        if (abs(n) > Top) {
            return {RuntimeError::Overflow, {}};
        }
        break;
    }
    case 2: {
        const Int g1 = gcd(x.d, y.n);
        const Int g2 = gcd(x.n, y.d);
        n = (x.n / g2) * (y.n / g1);
        d = (x.d / g1) * (y.d / g2);
        if (abs(n) > Top || d > Max32) {
            return {RuntimeError::Overflow, {}};
        }
        break;
    }
    default: {
        if (y.n == 0) {
            return {RuntimeError::DivisionByZero, {}};
        }
        const Int g1 = gcd(x.d, y.d);
        const Int g2 = gcd(x.n, y.n);
        n = (x.n / g2) * (y.d / g1);
        d = (y.n / g2) * (x.d / g1);
        if (!fits32(n) || !fits32(d)) {
            return {RuntimeError::Overflow, {}};
        }
        break;
    }
    }
    if (d < 0) {
        n = -n;
        d = -d;
    }
    const Int g = gcd(n, d);
    return {0, {n / g, d / g}};
}

// A label that holds a plain non-negative whole number, or "" (read as -1).
bool parseLabel(const std::string &t, Int &value)
{
    if (t.empty()) {
        value = -1;
        return true;
    }
    if (t.size() > 1 && t[0] == '0') {
        return false;
    }
    value = 0;
    for (const char c : t) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    return true;
}

// Checks the labels against the exact value; empty on success.
std::string checkAnswer(const FakeForm &form, const Exact &expected)
{
    std::ostringstream why;
    Int den = 0;
    Int num = 0;
    Int whole = 0;
    if (!parseLabel(form.label1(0), den) || !parseLabel(form.label1(1), num)
        || !parseLabel(form.label1(2), whole)) {
        return "a label does not hold a plain non-negative number";
    }
    const std::string sign = form.label1(3);
    if (sign != (expected.n < 0 ? "-" : "")) {
        return "wrong sign label '" + sign + "'";
    }
    const Int magnitude = abs(expected.n);
    if (expected.d == 1) {
        if (whole != magnitude || num != -1 || den != -1 || form.visible({"Line3"})) {
            return "a whole answer must stand alone in the integer part with the bar hidden";
        }
        return {};
    }
    if (den <= 1 || num <= 0 || num >= den || gcd(num, den) != 1) {
        return "the fraction is not proper and reduced";
    }
    if (!form.visible({"Line3"})) {
        return "the bar is hidden under a fraction";
    }
    if (whole == 0 || (whole == -1 && magnitude > expected.d)) {
        return "the integer part is missing or 0";
    }
    const Int w = whole < 0 ? 0 : whole;
    if (den != expected.d || w * den + num != magnitude) {
        return "the labels' value differs from the exact result";
    }
    return {};
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
                op.num = text(otherNum);
                op.den = text(otherDen);
            }
        }
        return op;
    }

    bool oneIn(int n) { return pick(1, n) == 1; }

private:
    std::string field(int scale, Int typedLimit)
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
            return text(pick(0, 12));
        case 1:
            return text(pick(0, static_cast<int>(typedLimit)));
        case 2:
            return text(pick(0, static_cast<int>(Max32)));
        default:
            // Mostly large, sometimes just beyond the 32-bit range.
            return text(shape == 2 ? Max32 + pick(1, 1000) : pick(0, static_cast<int>(Max32)));
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
            const Prediction expected = predict(a, b, operation);
            const int error = testing::errorOf([&] { Command1_Click(form); });

            std::string problem;
            if (expected.error == Message) {
                if (form.messages.size() != 1 || error != 0) {
                    problem = "expected the denominator message";
                }
            } else if (error != expected.error) {
                problem = "run-time error " + std::to_string(error) + ", expected "
                    + std::to_string(expected.error);
            } else if (error == 0) {
                problem = checkAnswer(form, expected.value);
                ++answers;
            } else {
                ++errors;
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
