#include "engine/problem/evaluate.h"

#include "engine/number/runtime_error.h"

#include <stdexcept>
#include <utility>
#include <vector>

namespace tobarin {

namespace {

using wide::Int128;

// An expression flattened into what is written, left to right, so that a
// misreading can leave parentheses out or take a power otherwise, and the
// order of working can be changed, without changing the expression itself.
struct Item {
    enum class Kind { Value, Operation, Open, Close, Negate, Power };
    Kind kind;
    Fraction value {};
    Operation operation = Operation::Add;
    int exponent = 0;
};

Fraction checked(const Fraction &value)
{
    if (!fitsExactly(value)) {
        raiseOverflow();
    }
    return value;
}

// Every arithmetic failure as the run-time error it is.
template <typename Make> Fraction exactly(Make &&make)
{
    try {
        return checked(std::forward<Make>(make)());
    } catch (const std::overflow_error &) {
        raiseOverflow();
    }
}

Fraction numberValue(const WrittenNumber &number)
{
    const std::optional<Fraction> value = valueOf(number);
    if (!value) {
        raiseOverflow();  // a number too long to keep
    }
    return checked(*value);
}

class Flattener {
public:
    explicit Flattener(const Reading &reading)
        : m_reading(reading)
    {
    }

    std::vector<Item> take(const Expression &expression)
    {
        add(expression);
        return std::move(m_items);
    }

private:
    void push(Item::Kind kind) { m_items.push_back({kind}); }

    void grouped(const Expression &expression)
    {
        push(Item::Kind::Open);
        add(expression);
        push(Item::Kind::Close);
    }

    void add(const Expression &expression)
    {
        switch (expression.kind) {
        case Expression::Kind::Number:
            m_items.push_back({Item::Kind::Value, numberValue(expression.number)});
            return;
        case Expression::Kind::Sum:
        case Expression::Kind::Product:
            for (std::size_t i = 0; i < expression.operands.size(); ++i) {
                if (i > 0) {
                    m_items.push_back({Item::Kind::Operation, {}, expression.operations[i - 1]});
                }
                add(expression.operands[i]);
            }
            return;
        case Expression::Kind::Parentheses:
            if (m_reading.withoutSumParentheses
                && expression.operands[0].kind == Expression::Kind::Sum) {
                add(expression.operands[0]);
            } else {
                grouped(expression.operands[0]);
            }
            return;
        case Expression::Kind::Power:
            power(expression);
            return;
        case Expression::Kind::Signed:
            signedOperand(expression);
            return;
        case Expression::Kind::List:
        case Expression::Kind::Over:
        case Expression::Kind::Conversion:
            // Lines of a conversion, which solve never evaluates.
            throw std::logic_error("a conversion's line has no value");
        case Expression::Kind::Fraction:
            break;
        }
        fraction(expression);
    }

    void power(const Expression &expression)
    {
        const Expression &base = expression.operands[0];
        const bool negativeBase = base.isNumber() && base.number.negative;
        if (m_reading.power == Reading::Power::SignInside && negativeBase) {
            // (-a)^n read as -(a^n).
            WrittenNumber size = base.number;
            size.negative = false;
            push(Item::Kind::Open);
            push(Item::Kind::Negate);
            m_items.push_back({Item::Kind::Value, numberValue(size)});
            m_items.push_back({Item::Kind::Power, {}, {}, expression.exponent});
            push(Item::Kind::Close);
            return;
        }
        grouped(base);
        m_items.push_back({Item::Kind::Power, {}, {}, expression.exponent});
    }

    void signedOperand(const Expression &expression)
    {
        const Expression &operand = expression.operands[0];
        push(Item::Kind::Open);
        if (m_reading.power == Reading::Power::SignInside && expression.sign == Sign::Minus
            && operand.kind == Expression::Kind::Power) {
            // -a^n read as (-a)^n.
            push(Item::Kind::Open);
            push(Item::Kind::Negate);
            grouped(operand.operands[0]);
            push(Item::Kind::Close);
            m_items.push_back({Item::Kind::Power, {}, {}, operand.exponent});
        } else {
            if (expression.sign == Sign::Minus) {
                push(Item::Kind::Negate);
            }
            add(operand);
        }
        push(Item::Kind::Close);
    }

    // A product written as one fraction of its factors.
    void fraction(const Expression &expression)
    {
        Fraction value = fractionOf(1, 1);
        for (const Factor &factor : expression.numerator) {
            value = exactly([&] { return value * fractionOf(factor.value, 1); });
        }
        for (const Factor &factor : expression.denominator) {
            if (factor.value == 0) {
                raiseDivisionByZero();
            }
            value = exactly([&] { return value / fractionOf(factor.value, 1); });
        }
        m_items.push_back({Item::Kind::Value, expression.sign == Sign::Minus ? -value : value});
    }

    const Reading &m_reading;
    std::vector<Item> m_items;
};

class Evaluator {
public:
    Evaluator(const std::vector<Item> &items, const Reading &reading)
        : m_items(items)
        , m_reading(reading)
    {
    }

    Fraction run()
    {
        const Fraction value = sum();
        if (m_at != m_items.size()) {
            throw std::logic_error("an expression flattened out of order");
        }
        return value;
    }

private:
    [[nodiscard]] bool atOperation(bool sums) const
    {
        return m_at < m_items.size() && m_items[m_at].kind == Item::Kind::Operation
            && isSumOperation(m_items[m_at].operation) == sums;
    }

    Fraction sum()
    {
        if (m_reading.leftToRight) {
            // Every operation from the left.
            Fraction value = unary();
            while (m_at < m_items.size() && m_items[m_at].kind == Item::Kind::Operation) {
                const Operation operation = m_items[m_at++].operation;
                value = apply(value, operation, unary());
            }
            return value;
        }
        Fraction value = product();
        while (atOperation(true)) {
            const Operation operation = m_items[m_at++].operation;
            value = apply(value, operation, product());
        }
        return value;
    }

    Fraction product()
    {
        Fraction value = unary();
        while (atOperation(false)) {
            const Operation operation = m_items[m_at++].operation;
            value = apply(value, operation, unary());
        }
        return value;
    }

    Fraction unary()
    {
        if (m_items.at(m_at).kind == Item::Kind::Negate) {
            ++m_at;
            return -unary();
        }
        Fraction value = primary();
        while (m_at < m_items.size() && m_items[m_at].kind == Item::Kind::Power) {
            value = power(value, m_items[m_at++].exponent);
        }
        return value;
    }

    Fraction primary()
    {
        const Item &item = m_items.at(m_at++);
        if (item.kind == Item::Kind::Value) {
            return item.value;
        }
        if (item.kind != Item::Kind::Open) {
            throw std::logic_error("an expression flattened out of order");
        }
        const Fraction value = sum();
        if (m_items.at(m_at++).kind != Item::Kind::Close) {
            throw std::logic_error("an expression flattened out of order");
        }
        return value;
    }

    static Fraction apply(const Fraction &a, Operation operation, const Fraction &b)
    {
        switch (operation) {
        case Operation::Add:
            return exactly([&] { return a + b; });
        case Operation::Subtract:
            return exactly([&] { return a - b; });
        case Operation::Multiply:
            return exactly([&] { return a * b; });
        case Operation::Divide:
            break;
        }
        if (b.num == 0) {
            raiseDivisionByZero();
        }
        return exactly([&] { return a / b; });
    }

    [[nodiscard]] Fraction power(const Fraction &base, int exponent) const
    {
        switch (m_reading.power) {
        case Reading::Power::Times:
            return apply(base, Operation::Multiply, fractionOf(exponent, 1));
        case Reading::Power::NumeratorOnly:
        case Reading::Power::DenominatorOnly:
            if (!base.isWhole()) {
                const bool top = m_reading.power == Reading::Power::NumeratorOnly;
                const Fraction raised = raise(fractionOf(top ? base.num : base.den, 1), exponent);
                return top ? apply(raised, Operation::Divide, fractionOf(base.den, 1))
                           : apply(fractionOf(base.num, 1), Operation::Divide, raised);
            }
            break;
        case Reading::Power::AsWritten:
        case Reading::Power::SignInside:
            break;
        }
        return raise(base, exponent);
    }

    static Fraction raise(const Fraction &base, int exponent)
    {
        Fraction value = fractionOf(1, 1);
        for (int i = 0; i < exponent; ++i) {
            value = apply(value, Operation::Multiply, base);
        }
        return value;
    }

    const std::vector<Item> &m_items;
    const Reading &m_reading;
    std::size_t m_at = 0;
};

}  // namespace

bool fitsExactly(const Fraction &value)
{
    return wide::fitsInt64(value.num) && wide::fitsInt64(value.den);
}

Fraction exactValue(const Expression &expression, const Reading &reading)
{
    const std::vector<Item> items = Flattener(reading).take(expression);
    return Evaluator(items, reading).run();
}

}  // namespace tobarin
