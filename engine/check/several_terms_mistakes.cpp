#include "engine/check/mistakes.h"
#include "engine/number/runtime_error.h"
#include "engine/problem/evaluate.h"

#include <algorithm>
#include <array>

// The mistakes of problems of several terms: the order of operations,
// parentheses and powers, each the expression as a pupil who misreads it works
// it out (engine/problem/evaluate.h).
namespace tobarin {

namespace {

// Whether any part of an expression is a node for which `test` holds.
bool anyNode(const Expression &expression, bool (*test)(const Expression &))
{
    return test(expression)
        || std::any_of(expression.operands.begin(), expression.operands.end(),
            [test](const Expression &operand) { return anyNode(operand, test); });
}

bool isPower(const Expression &e)
{
    return e.kind == Expression::Kind::Power;
}

// The value of the misreading, where it can be formed at all.
void misread(const Expression &problem, std::vector<Fraction> &out, const Reading &reading)
{
    try {
        out.push_back(exactValue(problem, reading));
    } catch (const RuntimeError &) {
        // beyond the exact range, or a division by 0: no pupil writes it
    }
}

// × ÷ beside + - outside parentheses, worked from the left.
void order(const Expression &problem, std::vector<Fraction> &out)
{
    if (anyNode(problem, [](const Expression &e) {
            return e.kind == Expression::Kind::Sum
                && std::any_of(e.operands.begin(), e.operands.end(),
                    [](const Expression &t) { return t.kind == Expression::Kind::Product; });
        })) {
        misread(problem, out, {.leftToRight = true});
    }
}

void parenDropped(const Expression &problem, std::vector<Fraction> &out)
{
    if (anyNode(problem, [](const Expression &e) {
            return e.kind == Expression::Kind::Parentheses
                && e.operands[0].kind == Expression::Kind::Sum;
        })) {
        misread(problem, out, {.withoutSumParentheses = true});
    }
}

void powerSign(const Expression &problem, std::vector<Fraction> &out)
{
    if (anyNode(problem, [](const Expression &e) {
            return (e.kind == Expression::Kind::Signed && e.sign == Sign::Minus
                       && isPower(e.operands[0]))
                || (isPower(e) && e.operands[0].isNumber() && e.operands[0].number.negative);
        })) {
        misread(problem, out, {.power = Reading::Power::SignInside});
    }
}

void powerTimes(const Expression &problem, std::vector<Fraction> &out)
{
    if (anyNode(problem, isPower)) {
        misread(problem, out, {.power = Reading::Power::Times});
    }
}

void powerPart(const Expression &problem, std::vector<Fraction> &out)
{
    if (anyNode(problem, [](const Expression &e) {
            if (!isPower(e)) {
                return false;
            }
            try {
                return !exactValue(e.operands[0]).isWhole();
            } catch (const RuntimeError &) {
                return false;
            }
        })) {
        misread(problem, out, {.power = Reading::Power::NumeratorOnly});
        misread(problem, out, {.power = Reading::Power::DenominatorOnly});
    }
}

struct Misreading {
    std::string_view id;
    void (*values)(const Expression &, std::vector<Fraction> &);
    std::string_view hint;
};

// clang-format off
constexpr std::array<Misreading, 5> Misreadings {{
    {"order", order, "たし算・ひき算より先に、かけ算・わり算を計算します。"},
    {"paren-dropped", parenDropped, "かっこの中を先に計算します。"},
    {"power-sign", powerSign, "指数がどこまでにつくか、かっこをたしかめましょう。"},
    {"power-times", powerTimes, "累乗は、同じ数を指数の回数だけかけます。"},
    {"power-part", powerPart, "分数の累乗は、分子と分母の両方を累乗します。"},
}};
// clang-format on

}  // namespace

std::string_view mistakeHint(std::string_view id)
{
    if (id == RoundedId) {
        return RoundedHint;
    }
    for (const Misreading &mistake : Misreadings) {
        if (mistake.id == id) {
            return mistake.hint;
        }
    }
    if (const std::string_view hint = conversionMistakeHint(id); !hint.empty()) {
        return hint;
    }
    return pairMistakeHint(id);
}

std::vector<Prediction> severalTermPredictions(const Expression &problem, Fraction answer)
{
    std::vector<Prediction> all = anyProblemPredictions(answer);
    for (const Misreading &mistake : Misreadings) {
        std::vector<Fraction> values;
        mistake.values(problem, values);
        if (!values.empty()) {
            all.push_back({mistake.id, std::move(values), std::string(mistake.hint)});
        }
    }
    return all;
}

}  // namespace tobarin
