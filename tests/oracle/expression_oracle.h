#pragma once

// The exact value of an expression (a problem, or a line of its working),
// worked out here on its own: straight down the tree in plain fractions of
// 128-bit integers, apart from the engine's evaluator, which flattens the
// expression and keeps every value within 64 bits. Shared by the tests and
// the fuzz target, which hold the engine's answers and every line of a working
// to it.

#include "engine/problem/expression.h"

#include <algorithm>
#include <stdexcept>

namespace tobarin::oracle {

__extension__ using Wide = __int128;

struct Value {
    Wide n = 0;
    Wide d = 1;  // > 0, gcd(n, d) = 1

    friend bool operator==(const Value &, const Value &) = default;
};

inline Wide checkedTimes(Wide a, Wide b)
{
    Wide r = 0;
    if (__builtin_mul_overflow(a, b, &r)) {
        throw std::overflow_error("beyond 128 bits");
    }
    return r;
}

inline Wide checkedPlus(Wide a, Wide b)
{
    Wide r = 0;
    if (__builtin_add_overflow(a, b, &r)) {
        throw std::overflow_error("beyond 128 bits");
    }
    return r;
}

inline Value valueOf(Wide n, Wide d)
{
    if (d == 0) {
        throw std::domain_error("a division by 0");
    }
    Wide a = n < 0 ? -n : n;
    Wide b = d < 0 ? -d : d;
    while (b != 0) {
        const Wide r = a % b;
        a = b;
        b = r;
    }
    const Wide g = a == 0 ? 1 : a;
    return d < 0 ? Value {-n / g, -d / g} : Value {n / g, d / g};
}

inline Value combine(const Value &x, Operation operation, const Value &y)
{
    switch (operation) {
    case Operation::Add:
        return valueOf(
            checkedPlus(checkedTimes(x.n, y.d), checkedTimes(y.n, x.d)), checkedTimes(x.d, y.d));
    case Operation::Subtract:
        return valueOf(
            checkedPlus(checkedTimes(x.n, y.d), -checkedTimes(y.n, x.d)), checkedTimes(x.d, y.d));
    case Operation::Multiply:
        return valueOf(checkedTimes(x.n, y.n), checkedTimes(x.d, y.d));
    case Operation::Divide:
        break;
    }
    return valueOf(checkedTimes(x.n, y.d), checkedTimes(x.d, y.n));
}

// A written number: W N/D is W + N/D, a decimal its digits over 10^places.
inline Value numberValue(const WrittenNumber &x)
{
    Value v {0, 1};
    if (x.isDecimal()) {
        Wide scale = 1;
        Wide digits = 0;
        for (const char c : x.decimals) {
            scale = checkedTimes(scale, 10);
            digits = checkedPlus(checkedTimes(digits, 10), c - '0');
        }
        v = valueOf(checkedPlus(checkedTimes(x.whole, scale), digits), scale);
    } else {
        if (x.hasWhole) {
            v = valueOf(x.whole, 1);
        }
        if (x.hasFraction) {
            v = combine(v, Operation::Add, valueOf(x.num, x.den));
        }
    }
    return x.negative ? Value {-v.n, v.d} : v;
}

// × ÷ bind tighter than + -, which the tree already says: a sum's operands
// are its terms, a product's its factors. It notes the largest numerator or
// denominator met on the way, to tell a value beyond the engine's exact range.
class ExpressionOracle {
public:
    Value valueOf(const Expression &e) { return noted(walk(e)); }

    [[nodiscard]] Wide largest() const { return m_largest; }

private:
    Value noted(const Value &v)
    {
        m_largest = std::max({m_largest, v.n < 0 ? -v.n : v.n, v.d});
        return v;
    }

    Value walk(const Expression &e)
    {
        switch (e.kind) {
        case Expression::Kind::Number:
            return noted(numberValue(e.number));
        case Expression::Kind::Sum:
        case Expression::Kind::Product: {
            Value v = walk(e.operands.at(0));
            for (std::size_t i = 1; i < e.operands.size(); ++i) {
                v = noted(combine(v, e.operations.at(i - 1), walk(e.operands[i])));
            }
            return v;
        }
        case Expression::Kind::Parentheses:
            return walk(e.operands.at(0));
        case Expression::Kind::Power: {
            const Value base = walk(e.operands.at(0));
            Value v {1, 1};
            for (int i = 0; i < e.exponent; ++i) {
                v = noted(combine(v, Operation::Multiply, base));
            }
            return v;
        }
        case Expression::Kind::Signed: {
            const Value v = walk(e.operands.at(0));
            return e.sign == Sign::Minus ? Value {-v.n, v.d} : v;
        }
        case Expression::Kind::List:
        case Expression::Kind::Over:
        case Expression::Kind::Conversion:
            throw std::logic_error("the oracle values no conversion line");
        case Expression::Kind::Fraction:
            break;
        }
        Value v {e.sign == Sign::Minus ? -1 : 1, 1};
        for (const Factor &f : e.numerator) {
            v = combine(v, Operation::Multiply, oracle::valueOf(f.value, 1));
        }
        for (const Factor &f : e.denominator) {
            v = combine(v, Operation::Divide, oracle::valueOf(f.value, 1));
        }
        return v;
    }

    Wide m_largest = 0;
};

inline Value expressionValue(const Expression &e)
{
    return ExpressionOracle().valueOf(e);
}

}  // namespace tobarin::oracle
