#include "engine/practice/term.h"

#include <string>
#include <string_view>

namespace tobarin::practice {

namespace {

// A field of at most four ASCII digits without a leading 0, or nothing.
std::optional<std::int64_t> fieldNumber(std::string_view text)
{
    if (text.empty() || text.size() > 4 || (text.size() > 1 && text.front() == '0')) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

Shape Term::shape() const
{
    if (!hasFraction()) {
        return whole == 0 ? Shape::Zero : Shape::Whole;
    }
    if (whole != 0) {
        return Shape::Mixed;
    }
    return num < den ? Shape::Proper : Shape::Improper;
}

std::int64_t Term::numerator() const
{
    const std::int64_t magnitude = whole * denominator() + num;
    return negative ? -magnitude : magnitude;
}

std::optional<Term> termOf(const TypedOperand &operand)
{
    Term term;
    term.negative = operand.negative;
    if (operand.num.empty() && operand.den.empty()) {
        const std::optional<std::int64_t> whole = fieldNumber(operand.whole);
        if (!whole || (*whole == 0 && operand.negative)) {
            return std::nullopt;
        }
        term.whole = *whole;
        return term;
    }
    const std::optional<std::int64_t> num = fieldNumber(operand.num);
    const std::optional<std::int64_t> den = fieldNumber(operand.den);
    if (!num || !den || *den == 0) {
        return std::nullopt;
    }
    term.num = *num;
    term.den = *den;
    if (!operand.whole.empty()) {
        const std::optional<std::int64_t> whole = fieldNumber(operand.whole);
        if (!whole || *whole == 0) {
            return std::nullopt;
        }
        term.whole = *whole;
    }
    return term;
}

TypedOperand operandOf(const Term &term)
{
    TypedOperand operand;
    operand.negative = term.negative;
    if (term.hasFraction()) {
        operand.num = std::to_string(term.num);
        operand.den = std::to_string(term.den);
    }
    if (term.whole != 0 || !term.hasFraction()) {
        operand.whole = std::to_string(term.whole);
    }
    return operand;
}

Ratio valueOf(const Term &term)
{
    return {term.numerator(), term.denominator()};
}

std::optional<Ratio> answerOf(Operation operation, const Term &a, const Term &b)
{
    const Ratio x = valueOf(a);
    const Ratio y = valueOf(b);
    switch (operation) {
    case Operation::Add:
        return Ratio {x.num * y.den + y.num * x.den, x.den * y.den};
    case Operation::Subtract:
        return Ratio {x.num * y.den - y.num * x.den, x.den * y.den};
    case Operation::Multiply:
        return Ratio {x.num * y.num, x.den * y.den};
    case Operation::Divide:
        if (y.num == 0) {
            return std::nullopt;
        }
        // Divided by a negative number: the sign moves to the numerator.
        return y.num > 0 ? Ratio {x.num * y.den, x.den * y.num}
                         : Ratio {-x.num * y.den, -x.den * y.num};
    }
    return std::nullopt;
}

bool less(Ratio a, Ratio b)
{
    return a.num * b.den < b.num * a.den;
}

bool equal(Ratio a, Ratio b)
{
    return a.num * b.den == b.num * a.den;
}

}  // namespace tobarin::practice
