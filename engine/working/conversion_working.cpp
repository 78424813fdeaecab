#include "engine/working/conversion_working.h"

#include "engine/number/decimal_text.h"
#include "engine/number/reader.h"

#include <stdexcept>

namespace tobarin {

namespace {

using wide::decimalText;
using wide::Int128;

Expression whole(Int128 value)
{
    return numberExpression(wholeNumber(value));
}

// n/d with a sign, a whole number where d is 1.
WrittenNumber signedNumber(Int128 n, Int128 d, bool negative)
{
    return d == 1 ? wholeNumber(n, negative) : fractionNumber(n, d, negative);
}

Expression withSign(Expression expression, bool negative)
{
    return negative ? signedExpression(Sign::Minus, std::move(expression)) : expression;
}

// a × b, or std::overflow_error beyond 128 bits.
Int128 times(Int128 a, Int128 b)
{
    return (fractionOf(a, 1) * fractionOf(b, 1)).num;
}

// "a op b" of whole numbers, written tight: "12÷6".
Expression tight(Int128 a, Operation operation, Int128 b)
{
    return tightExpression(wholeNumber(a), operation, wholeNumber(b));
}

class ConversionWorking {
public:
    ConversionWorking(const Conversion &conversion, AnswerForm form)
        : m_x(conversion.numbers.front())
        , m_form(form)
    {
        m_working.steps.push_back({Note::Problem, conversionLine(conversion)});
        switch (conversion.asked) {
        case AskedForm::Mixed:
            toMixed();
            break;
        case AskedForm::Improper:
            toImproper();
            break;
        case AskedForm::Whole:
            toWhole();
            break;
        case AskedForm::Reduced:
            reduce();
            break;
        case AskedForm::Common:
            common(conversion.numbers);
            break;
        case AskedForm::Decimal:
            toDecimal();
            break;
        case AskedForm::Fraction:
            toFraction();
            break;
        }
    }

    Working take() { return std::move(m_working); }

private:
    void step(Note note, Expression expression, std::string words = {})
    {
        m_working.steps.push_back({note, std::move(expression), false, std::move(words)});
    }

    void step(Note note, const WrittenNumber &number, std::string words = {})
    {
        step(note, numberExpression(number), std::move(words));
    }

    // A fraction's 約分 where it reduces.
    void reduceIfNeeded(Int128 n, Int128 d)
    {
        if (const Int128 g = wide::gcd(n, d); g > 1) {
            step(Note::Reduce, signedNumber(n / g, d / g, m_x.negative));
        }
    }

    void toMixed()
    {
        const Int128 q = m_x.num / m_x.den;
        const Int128 r = m_x.num % m_x.den;
        step(Note::DivideWithRemainder, mixedNumber(m_x.negative, q, r, m_x.den),
            decimalText(m_x.num) + "÷" + decimalText(m_x.den) + "=" + decimalText(q) + "あまり"
                + decimalText(r));
        if (const Int128 g = wide::gcd(r, m_x.den); g > 1) {
            step(Note::Reduce, mixedNumber(m_x.negative, q, r / g, m_x.den / g));
        }
    }

    void toWhole()
    {
        const Int128 q = m_x.num / m_x.den;
        step(Note::DivideWithRemainder, wholeNumber(q, m_x.negative),
            decimalText(m_x.num) + "÷" + decimalText(m_x.den) + "=" + decimalText(q));
    }

    void toImproper()
    {
        const Int128 n = m_x.den * m_x.whole + m_x.num;
        Expression numerator = chainExpression(
            {tight(m_x.den, Operation::Multiply, m_x.whole), whole(m_x.num)}, {Operation::Add});
        step(Note::ImproperNumerator,
            withSign(overExpression(std::move(numerator), whole(m_x.den)), m_x.negative));
        step(Note::Calculate, fractionNumber(n, m_x.den, m_x.negative));
        reduceIfNeeded(n, m_x.den);
    }

    void reduce()
    {
        const Int128 g = wide::gcd(m_x.num, m_x.den);
        step(Note::DivideByGcd,
            withSign(overExpression(tight(m_x.num, Operation::Divide, g),
                         tight(m_x.den, Operation::Divide, g)),
                m_x.negative),
            "最大公約数" + decimalText(g) + "でわる");
        step(Note::Calculate, signedNumber(m_x.num / g, m_x.den / g, m_x.negative));
    }

    void common(const std::vector<WrittenNumber> &fractions)
    {
        Int128 l = 1;
        for (const WrittenNumber &f : fractions) {
            l = times(l / wide::gcd(l, f.den), f.den);
        }
        std::vector<Expression> scaled;
        std::vector<Expression> done;
        for (const WrittenNumber &f : fractions) {
            const Int128 k = l / f.den;
            // One already over the common denominator stays as it is.
            scaled.push_back(k == 1 ? numberExpression(f)
                                    : withSign(overExpression(tight(f.num, Operation::Multiply, k),
                                                   tight(f.den, Operation::Multiply, k)),
                                        f.negative));
            done.push_back(numberExpression(fractionNumber(times(f.num, k), l, f.negative)));
        }
        step(Note::LcmAsDenominator, listExpression(std::move(scaled)),
            "最小公倍数" + decimalText(l) + "を分母にする");
        step(Note::Calculate, listExpression(std::move(done)));
    }

    void toDecimal()
    {
        Expression division = tight(m_x.num, Operation::Divide, m_x.den);
        const bool mixed = m_x.hasWhole && m_x.whole != 0;
        if (mixed) {
            division = chainExpression({whole(m_x.whole), std::move(division)}, {Operation::Add});
        }
        step(Note::NumeratorByDenominator, withSign(std::move(division), m_x.negative));
        const Fraction value = valueOf(m_x).value();
        const Parsed<WrittenNumber> decimal
            = readNumber(tobarin::decimalText(value.num, value.den));
        if (!decimal.value || decimal.value->unending) {
            throw std::logic_error("a decimal that does not end, asked for as a decimal");
        }
        step(Note::Calculate, *decimal.value);
    }

    void toFraction()
    {
        Int128 scale = 1;
        std::string unit = "1";
        for (std::size_t i = 0; i < m_x.decimals.size(); ++i) {
            scale *= 10;
            unit.insert(0, i + 1 == m_x.decimals.size() ? "0." : "0");
        }
        const Int128 digits = m_x.whole * scale + wide::digitsValue(m_x.decimals).value_or(0);
        step(Note::DecimalUnits, fractionNumber(digits, scale, m_x.negative),
            unit + "が" + decimalText(digits) + "こ");
        const Int128 g = wide::gcd(digits, scale);
        reduceIfNeeded(digits, scale);
        const Int128 n = digits / g;
        const Int128 d = scale / g;
        if (m_form == AnswerForm::Mixed && d != 1 && n > d) {
            step(Note::MakeMixed, mixedNumber(m_x.negative, n / d, n % d, d));
        }
    }

    const WrittenNumber &m_x;
    AnswerForm m_form;
    Working m_working;
};

}  // namespace

Working conversionWorking(const Conversion &conversion, AnswerForm form)
{
    return ConversionWorking(conversion, form).take();
}

}  // namespace tobarin
