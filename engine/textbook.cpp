#include "engine/textbook.h"

#include "engine/conversions.h"
#include "engine/wide.h"

#include <algorithm>
#include <utility>

namespace tobarin {

namespace {

using wide::Int128;

// The operands of a problem the window answers fit 32 bits as improper
// fractions, so every product and common denominator below stays far inside
// 128 bits.

Int128 lcm(Int128 a, Int128 b)
{
    return a / wide::gcd(a, b) * b;
}

bool isZero(const ShownNumber &x)
{
    return (!x.hasWhole || x.whole == 0) && (!x.hasFraction || x.num == 0);
}

bool isWhole(const ShownNumber &x)
{
    return !x.hasFraction;
}

bool isMixed(const ShownNumber &x)
{
    return x.hasWhole && x.hasFraction;
}

// The denominator a number brings to a common denominator: 1 for a whole.
Int128 denominatorOf(const ShownNumber &x)
{
    return x.hasFraction ? x.den : 1;
}

// The magnitude over its own denominator: 2 1/3 is 7 (thirds).
Int128 improperNumerator(const ShownNumber &x)
{
    return (x.hasWhole ? x.whole * denominatorOf(x) : 0) + (x.hasFraction ? x.num : 0);
}

ShownNumber wholeNumber(Int128 magnitude, bool negative = false)
{
    ShownNumber x;
    x.whole = magnitude;
    x.negative = negative && magnitude != 0;
    return x;
}

// n / d written as a fraction, whatever its value.
ShownNumber fractionOf(Int128 n, Int128 d, bool negative)
{
    ShownNumber x;
    x.hasWhole = false;
    x.hasFraction = true;
    x.num = n;
    x.den = d;
    x.negative = negative && n != 0;
    return x;
}

// n / d as a result is written: 0 and a denominator of 1 as a whole number.
ShownNumber resultOf(Int128 n, Int128 d, bool negative)
{
    return n == 0 || d == 1 ? wholeNumber(n / d, negative) : fractionOf(n, d, negative);
}

ShownNumber magnitudeOf(ShownNumber x)
{
    x.negative = false;
    return x;
}

// A mixed number made improper; any other number as it is.
ShownNumber improperOf(const ShownNumber &x)
{
    return isMixed(x) ? resultOf(improperNumerator(x), x.den, x.negative) : x;
}

// In lowest terms: the fraction part reduced, written whole where nothing of
// it is left.
ShownNumber lowestOf(const ShownNumber &x)
{
    if (isWhole(x)) {
        return x;
    }
    const Int128 g = wide::gcd(x.num, x.den);
    if (x.hasWhole && x.den / g == 1) {
        return wholeNumber(x.whole + x.num / g, x.negative);
    }
    if (x.hasWhole) {
        return shownMixed(x.negative, x.whole, x.num / g, x.den / g);
    }
    return resultOf(x.num / g, x.den / g, x.negative);
}

// A fraction part not in lowest terms, or over 1: it is then written as a
// whole number (a fraction part of 0 too).
bool reducible(const ShownNumber &x)
{
    return x.hasFraction && (wide::gcd(x.num, x.den) != 1 || x.den == 1);
}

// The fraction part over another denominator, a multiple of its own.
ShownNumber over(ShownNumber x, Int128 den)
{
    if (x.hasFraction) {
        x.num = x.num * (den / x.den);
        x.den = den;
    }
    return x;
}

// A proper fraction (0 < num < den) with no integer part.
bool isProperFraction(const ShownNumber &x)
{
    return !x.hasWhole && x.hasFraction && x.num > 0 && x.num < x.den;
}

// A whole number, or a number whose fraction part is proper.
bool hasProperForm(const ShownNumber &x)
{
    return isWhole(x) || (x.num > 0 && x.num < x.den);
}

Line signedLine(Sign sign, const ShownNumber &first, Operation operation, const ShownNumber &second)
{
    Line line = pairLine(first, operation, second);
    if (sign != Sign::None) {
        line.shape = Line::Shape::Signed;
        line.sign = sign;
    }
    return line;
}

Line productLine(Sign sign, std::vector<Factor> numerator, std::vector<Factor> denominator)
{
    Line line;
    line.shape = Line::Shape::Product;
    line.sign = sign;
    line.numerator = std::move(numerator);
    line.denominator = std::move(denominator);
    return line;
}

class Route {
public:
    Route(AnswerForm form, Method method)
        : m_form(form)
        , m_method(method)
    {
    }

    Working work(ShownNumber a, Operation operation, ShownNumber b)
    {
        add(Note::Problem, pairLine(a, operation, b));
        if (operation == Operation::Add || operation == Operation::Subtract) {
            sum(a, operation, b);
        } else {
            product(a, operation, b);
        }
        return std::move(m_working);
    }

private:
    void add(Note note, const Line &line) { m_working.steps.push_back({note, line}); }

    void sum(ShownNumber a, Operation operation, ShownNumber b)
    {
        if (b.negative) {
            b = magnitudeOf(b);
            const bool subtracted = operation == Operation::Subtract;
            operation = subtracted ? Operation::Add : Operation::Subtract;
            add(subtracted ? Note::ChangeSubtractedSign : Note::RemoveParentheses,
                pairLine(a, operation, b));
        }
        if (isZero(a) || isZero(b)) {
            // The other operand as typed, with its sign, is the result.
            ShownNumber result = isZero(b) ? a : b;
            if (isZero(b) == isZero(a)) {
                result = wholeNumber(0);
            } else if (isZero(a) && operation == Operation::Subtract) {
                result.negative = !result.negative;
            }
            add(Note::Calculate, numberLine(result));
            finish(result);
        } else if (m_method == Method::Mixed && keepsMixedNumbers(a, operation, b)) {
            sumOfMixedNumbers(a, operation, b);
        } else {
            sumOfFractions(a, operation, b);
        }
    }

    // Whole parts and fraction parts are worked each where nothing negative,
    // zero or improper stands in the way and a mixed number (or a whole number
    // less a fraction) makes it worth it.
    static bool keepsMixedNumbers(const ShownNumber &a, Operation operation, const ShownNumber &b)
    {
        const bool subtract = operation == Operation::Subtract;
        const bool worthIt = isMixed(a) || isMixed(b) || (subtract && isWhole(a) && b.hasFraction);
        const bool notNegative = !subtract
            || improperNumerator(a) * denominatorOf(b) >= improperNumerator(b) * denominatorOf(a);
        return !a.negative && hasProperForm(a) && hasProperForm(b) && worthIt && notNegative;
    }

    // Reduces both where that lowers their common denominator; a whole number
    // counts as a denominator of 1.
    void reduceWhereItLowers(ShownNumber &a, Operation operation, ShownNumber &b)
    {
        const ShownNumber lowestA = lowestOf(a);
        const ShownNumber lowestB = lowestOf(b);
        if (lcm(denominatorOf(lowestA), denominatorOf(lowestB))
            < lcm(denominatorOf(a), denominatorOf(b))) {
            a = lowestA;
            b = lowestB;
            add(Note::Reduce, pairLine(a, operation, b));
        }
    }

    void sumOfFractions(ShownNumber a, Operation operation, ShownNumber b)
    {
        if (isMixed(a) || isMixed(b)) {
            a = improperOf(a);
            b = improperOf(b);
            add(Note::MakeImproper, pairLine(a, operation, b));
        }
        reduceWhereItLowers(a, operation, b);
        if (m_form == AnswerForm::Mixed && operation == Operation::Add && !a.negative) {
            // A whole number and a proper fraction added make the mixed number at once.
            const ShownNumber *whole = isWhole(a) ? &a : isWhole(b) ? &b : nullptr;
            const ShownNumber &fraction = whole == &a ? b : a;
            if (whole && isProperFraction(fraction)) {
                const ShownNumber result
                    = shownMixed(false, whole->whole, fraction.num, fraction.den);
                add(Note::Calculate, numberLine(result));
                return;
            }
        }
        if (a.hasFraction && b.hasFraction && a.den != b.den) {
            const Int128 common = lcm(a.den, b.den);
            a = over(a, common);
            b = over(b, common);
            add(Note::CommonDenominator, pairLine(a, operation, b));
        } else if (a.hasFraction != b.hasFraction) {
            ShownNumber &whole = a.hasFraction ? b : a;
            const Int128 den = denominatorOf(a.hasFraction ? a : b);
            whole = fractionOf(whole.whole * den, den, whole.negative);
            add(Note::WholeAsFraction, pairLine(a, operation, b));
        }
        const Int128 den = std::max(denominatorOf(a), denominatorOf(b));
        const Int128 first = improperNumerator(a);
        const Int128 second = improperNumerator(b);
        const Int128 result
            = (a.negative ? -first : first) + (operation == Operation::Subtract ? -second : second);
        if (result != 0 && (a.negative || result < 0)) {
            // The sign of the result first, then the magnitudes: the larger
            // first where the signs are opposite.
            const Sign sign = result < 0 ? Sign::Minus : Sign::Plus;
            const ShownNumber magnitudeA = magnitudeOf(a);
            if (a.negative && operation == Operation::Subtract) {
                add(Note::DecideSign, signedLine(sign, magnitudeA, Operation::Add, b));
            } else {
                const bool aLarger = first > second;
                add(Note::DecideSign,
                    signedLine(sign, aLarger ? magnitudeA : b, Operation::Subtract,
                        aLarger ? b : magnitudeA));
            }
        }
        const bool negative = result < 0;
        const ShownNumber calculated = resultOf(negative ? -result : result, den, negative);
        add(Note::Calculate, numberLine(calculated));
        finish(calculated);
    }

    void sumOfMixedNumbers(ShownNumber a, Operation operation, ShownNumber b)
    {
        reduceWhereItLowers(a, operation, b);
        if (a.hasFraction && b.hasFraction && a.den != b.den) {
            const Int128 common = lcm(a.den, b.den);
            a = over(a, common);
            b = over(b, common);
            add(Note::CommonDenominator, pairLine(a, operation, b));
        }
        const Int128 den = std::max(denominatorOf(a), denominatorOf(b));
        const auto wholeOf = [](const ShownNumber &x) { return x.hasWhole ? x.whole : Int128 {0}; };
        const auto partOf = [](const ShownNumber &x) { return x.hasFraction ? x.num : Int128 {0}; };
        const bool subtract = operation == Operation::Subtract;
        if (subtract && partOf(a) < partOf(b)) {
            // One of the integer part becomes a fraction: 3 3/15 is 2 18/15.
            a = shownMixed(false, wholeOf(a) - 1, partOf(a) + den, den);
            add(Note::Borrow, pairLine(a, operation, b));
        }
        const Int128 whole = subtract ? wholeOf(a) - wholeOf(b) : wholeOf(a) + wholeOf(b);
        const Int128 part = subtract ? partOf(a) - partOf(b) : partOf(a) + partOf(b);
        ShownNumber result = shownMixed(false, whole, part, den);
        add(Note::Calculate, numberLine(result));
        if (part >= den) {
            if (m_form == AnswerForm::Mixed || part == den) {
                result = shownMixed(false, whole + 1, part - den, den);
                add(Note::Carry, numberLine(result));
            } else {
                result = resultOf(whole * den + part, den, false);
                add(Note::MakeImproperAnswer, numberLine(result));
            }
        }
        if (reducible(result)) {
            result = lowestOf(result);
            add(Note::Reduce, numberLine(result));
        }
        if (m_form == AnswerForm::Improper && isMixed(result)) {
            add(Note::MakeImproperAnswer, numberLine(improperOf(result)));
        }
    }

    void product(ShownNumber a, Operation operation, ShownNumber b)
    {
        if (isZero(a) || (operation == Operation::Multiply && isZero(b))) {
            add(Note::Calculate, numberLine(wholeNumber(0)));
            return;
        }
        Sign sign = Sign::None;
        if (a.negative || b.negative) {
            sign = a.negative != b.negative ? Sign::Minus : Sign::Plus;
            a = magnitudeOf(a);
            b = magnitudeOf(b);
            add(Note::DecideSign, signedLine(sign, a, operation, b));
        }
        const bool negative = sign == Sign::Minus;
        if (isMixed(a) || isMixed(b)) {
            a = improperOf(a);
            b = improperOf(b);
            add(Note::MakeImproper, signedLine(sign, a, operation, b));
        }
        if (reducible(a) || reducible(b)) {
            a = lowestOf(a);
            b = lowestOf(b);
            add(Note::Reduce, signedLine(sign, a, operation, b));
        }
        if (operation == Operation::Divide) {
            if (isWhole(a) && isWhole(b)) {
                if (a.whole % b.whole == 0) {
                    add(Note::Calculate, numberLine(wholeNumber(a.whole / b.whole, negative)));
                    return;
                }
                const ShownNumber quotient = resultOf(a.whole, b.whole, negative);
                add(Note::QuotientAsFraction, numberLine(quotient));
                finish(quotient);
                return;
            }
            // The reciprocal of 3 is 1/3, of 1/3 is 3, of 1 is 1.
            b = isWhole(b) ? resultOf(1, b.whole, false) : resultOf(b.den, b.num, false);
            operation = Operation::Multiply;
            add(Note::Reciprocal, signedLine(sign, a, operation, b));
        }
        if (isWhole(a) && isWhole(b)) {
            add(Note::Calculate, numberLine(wholeNumber(a.whole * b.whole, negative)));
            return;
        }
        const auto numeratorOf
            = [](const ShownNumber &x) { return x.hasFraction ? x.num : x.whole; };
        std::vector<Factor> numerator {{numeratorOf(a), {}}, {numeratorOf(b), {}}};
        std::vector<Factor> denominator;
        for (const ShownNumber *x : {&a, &b}) {
            if (x->hasFraction) {
                denominator.push_back({x->den, {}});
            }
        }
        add(Note::MultiplyAcross, productLine(sign, numerator, denominator));

        // Each numerator with the other factor's denominator, by their GCD.
        bool cancelled = false;
        const auto cancel = [&cancelled](Factor &top, Factor &bottom) {
            const Int128 g = wide::gcd(top.value, bottom.value);
            if (g > 1) {
                top = {top.value / g, top.value};
                bottom = {bottom.value / g, bottom.value};
                cancelled = true;
            }
        };
        if (b.hasFraction) {
            cancel(numerator[0], denominator.back());
        }
        if (a.hasFraction) {
            cancel(numerator[1], denominator.front());
        }
        if (cancelled) {
            add(Note::CancelAcross, productLine(sign, numerator, denominator));
        }
        Int128 n = 1;
        Int128 d = 1;
        for (const Factor &factor : numerator) {
            n *= factor.value;
        }
        for (const Factor &factor : denominator) {
            d *= factor.value;
        }
        const ShownNumber result = resultOf(n, d, negative);
        add(Note::Calculate, numberLine(result));
        finish(result);
    }

    // After the result: reduced, then in the answer's form.
    void finish(ShownNumber result)
    {
        if (reducible(result)) {
            result = lowestOf(result);
            add(Note::Reduce, numberLine(result));
        }
        if (m_form == AnswerForm::Mixed && result.hasFraction && result.num >= result.den) {
            const Int128 improper = improperNumerator(result);
            add(Note::MakeMixed,
                numberLine(shownMixed(
                    result.negative, improper / result.den, improper % result.den, result.den)));
        } else if (m_form == AnswerForm::Improper && isMixed(result)) {
            add(Note::MakeImproperAnswer, numberLine(improperOf(result)));
        }
    }

    AnswerForm m_form;
    Method m_method;
    Working m_working;
};

ShownNumber typedNumber(const TypedOperand &operand)
{
    const auto read = [&operand](Field field) { return ToLong(TextValue(operand.field(field))); };
    return shownTyped(
        read(Field::Whole), read(Field::Numerator), read(Field::Denominator), operand.negative);
}

}  // namespace

Working textbookWorking(const Problem &problem, AnswerForm form, Method method)
{
    return Route(form, method)
        .work(typedNumber(problem.first), problem.operation, typedNumber(problem.second));
}

}  // namespace tobarin
