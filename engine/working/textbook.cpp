#include "engine/working/textbook.h"

#include "engine/number/wide.h"
#include "engine/working/rewrite.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace tobarin {

namespace {

using wide::Int128;
using namespace rewrite;

// A proper fraction (0 < num < den) with no integer part.
bool isProperFraction(const WrittenNumber &x)
{
    return !x.hasWhole && x.hasFraction && x.num > 0 && x.num < x.den;
}

// A whole number, or a number whose fraction part is proper.
bool hasProperForm(const WrittenNumber &x)
{
    return isWhole(x) || (x.num > 0 && x.num < x.den);
}

// The note of a line that reduces numbers: 整数に直す where each number
// reduced becomes whole (15/3 is 5), 約分する otherwise.
Note reduceNote(std::initializer_list<std::pair<WrittenNumber, WrittenNumber>> reduced)
{
    for (const auto &[before, after] : reduced) {
        if (!(before == after) && !isWhole(after)) {
            return Note::Reduce;
        }
    }
    return Note::MakeWhole;
}

// A sign in front of a pair of magnitudes: "-(3/6 - 2/6)"; no sign, the pair alone.
Expression signedPair(
    Sign sign, const WrittenNumber &first, Operation operation, const WrittenNumber &second)
{
    Expression pair = pairExpression(first, operation, second);
    return sign == Sign::None ? pair : signedExpression(sign, std::move(pair));
}

class Route {
public:
    Route(AnswerForm form, Method method)
        : m_form(form)
        , m_method(method)
    {
    }

    Working work(const WrittenNumber &a, Operation operation, const WrittenNumber &b)
    {
        add(Note::Problem, pairExpression(a, operation, b));
        return goOn(a, operation, b);
    }

    // The working so far, whose last line is a op b, goes on from there; from
    // the step that decides the sign where the terms were just gathered.
    Working goOn(Working &&before, const WrittenNumber &a, Operation operation,
        const WrittenNumber &b, bool fromSign)
    {
        m_working = std::move(before);
        if (fromSign) {
            signAndCalculate(a, operation, b);
            return std::move(m_working);
        }
        return goOn(a, operation, b);
    }

private:
    Working goOn(const WrittenNumber &a, Operation operation, const WrittenNumber &b)
    {
        if (isSumOperation(operation)) {
            sum(a, operation, b);
        } else {
            product(a, operation, b);
        }
        return std::move(m_working);
    }

    // A line that would repeat an earlier one is not written: the working
    // goes on from the earlier line.
    void add(Note note, const Expression &line)
    {
        for (const Step &step : m_working.steps) {
            if (step.expression == line) {
                return;
            }
        }
        m_working.steps.push_back({note, line});
    }

    void sum(const WrittenNumber &a, Operation operation, WrittenNumber b)
    {
        if (b.negative) {
            b = magnitudeOf(b);
            const bool subtracted = operation == Operation::Subtract;
            operation = subtracted ? Operation::Add : Operation::Subtract;
            add(subtracted ? Note::ChangeSubtractedSign : Note::RemoveParentheses,
                pairExpression(a, operation, b));
        }
        if (isZero(a) || isZero(b)) {
            // The other operand as typed, with its sign, is the result.
            WrittenNumber result = isZero(b) ? a : b;
            if (isZero(b) == isZero(a)) {
                result = wholeNumber(0);
            } else if (isZero(a) && operation == Operation::Subtract) {
                result.negative = !result.negative;
            }
            add(Note::Calculate, numberExpression(result));
            finish(result);
        } else if (m_method == Method::KeepMixed && keepsMixedNumbers(a, operation, b)) {
            sumOfMixedNumbers(a, operation, b);
        } else {
            sumOfFractions(a, operation, b);
        }
    }

    // Whole parts and fraction parts are worked each where nothing negative,
    // zero or improper stands in the way and a mixed number (or a whole number
    // less a fraction) makes it worth it.
    static bool keepsMixedNumbers(
        const WrittenNumber &a, Operation operation, const WrittenNumber &b)
    {
        const bool subtract = operation == Operation::Subtract;
        const bool worthIt
            = a.isMixed() || b.isMixed() || (subtract && isWhole(a) && b.hasFraction);
        const bool notNegative = !subtract
            || times(improperNumerator(a), denominatorOf(b))
                >= times(improperNumerator(b), denominatorOf(a));
        return !a.negative && hasProperForm(a) && hasProperForm(b) && worthIt && notNegative;
    }

    // Reduces both where that lowers their common denominator; a whole number
    // counts as a denominator of 1.
    void reduceWhereItLowers(WrittenNumber &a, Operation operation, WrittenNumber &b)
    {
        const WrittenNumber lowestA = lowestOf(a);
        const WrittenNumber lowestB = lowestOf(b);
        if (lcm(denominatorOf(lowestA), denominatorOf(lowestB))
            < lcm(denominatorOf(a), denominatorOf(b))) {
            a = lowestA;
            b = lowestB;
            add(Note::Reduce, pairExpression(a, operation, b));
        }
    }

    void sumOfFractions(WrittenNumber a, Operation operation, WrittenNumber b)
    {
        if (m_form == AnswerForm::Mixed && operation == Operation::Add && !a.negative) {
            // A whole number and a mixed number added: the whole parts at once.
            const WrittenNumber *whole = isWhole(a) ? &a : isWhole(b) ? &b : nullptr;
            const WrittenNumber &mixed = whole == &a ? b : a;
            if (whole && mixed.isMixed() && hasProperForm(mixed)) {
                WrittenNumber result
                    = mixedNumber(false, whole->whole + mixed.whole, mixed.num, mixed.den);
                add(Note::Calculate, numberExpression(result));
                if (reducible(result)) {
                    const WrittenNumber before = result;
                    result = lowestOf(result);
                    add(reduceNote({{before, result}}), numberExpression(result));
                }
                return;
            }
        }
        if (m_form == AnswerForm::Mixed && operation == Operation::Subtract && !a.negative
            && a.isMixed() && hasProperForm(a) && isWhole(b) && !b.negative && b.whole <= a.whole) {
            // A mixed number less a whole number: the whole parts at once.
            const WrittenNumber result = mixedNumber(false, a.whole - b.whole, a.num, a.den);
            add(Note::Calculate, numberExpression(result));
            finish(result);
            return;
        }
        if (a.isMixed() || b.isMixed()) {
            a = improperOf(a);
            b = improperOf(b);
            add(Note::MakeImproper, pairExpression(a, operation, b));
        }
        reduceWhereItLowers(a, operation, b);
        if (m_form == AnswerForm::Mixed && operation == Operation::Add && !a.negative) {
            // A whole number and a proper fraction added make the mixed number at once.
            const WrittenNumber *whole = isWhole(a) ? &a : isWhole(b) ? &b : nullptr;
            const WrittenNumber &fraction = whole == &a ? b : a;
            if (whole && isProperFraction(fraction)) {
                const WrittenNumber result
                    = mixedNumber(false, whole->whole, fraction.num, fraction.den);
                add(Note::Calculate, numberExpression(result));
                return;
            }
        }
        if (a.hasFraction && b.hasFraction && a.den != b.den) {
            const Int128 common = lcm(a.den, b.den);
            a = over(a, common);
            b = over(b, common);
            add(Note::CommonDenominator, pairExpression(a, operation, b));
        } else if (a.hasFraction != b.hasFraction) {
            WrittenNumber &whole = a.hasFraction ? b : a;
            const Int128 den = denominatorOf(a.hasFraction ? a : b);
            whole = fractionNumber(times(whole.whole, den), den, whole.negative);
            add(Note::WholeAsFraction, pairExpression(a, operation, b));
        }
        signAndCalculate(a, operation, b);
    }

    // Two numbers over one denominator (or whole): the sign decided where it
    // must be, and the result.
    void signAndCalculate(const WrittenNumber &a, Operation operation, const WrittenNumber &b)
    {
        const Int128 den = std::max(denominatorOf(a), denominatorOf(b));
        const Int128 first = improperNumerator(a);
        const Int128 second = improperNumerator(b);
        const Int128 result = plus(
            a.negative ? -first : first, operation == Operation::Subtract ? -second : second);
        if (result != 0 && (a.negative || result < 0)) {
            // The sign of the result first, then the magnitudes: the larger
            // first where the signs are opposite.
            const Sign sign = result < 0 ? Sign::Minus : Sign::Plus;
            const WrittenNumber magnitudeA = magnitudeOf(a);
            if (a.negative && operation == Operation::Subtract) {
                add(Note::DecideSign, signedPair(sign, magnitudeA, Operation::Add, b));
            } else {
                const bool aLarger = first > second;
                add(Note::DecideSign,
                    signedPair(sign, aLarger ? magnitudeA : b, Operation::Subtract,
                        aLarger ? b : magnitudeA));
            }
        }
        const bool negative = result < 0;
        const WrittenNumber calculated = resultOf(negative ? -result : result, den, negative);
        add(Note::Calculate, numberExpression(calculated));
        finish(calculated);
    }

    void sumOfMixedNumbers(WrittenNumber a, Operation operation, WrittenNumber b)
    {
        reduceWhereItLowers(a, operation, b);
        if (a.hasFraction && b.hasFraction && a.den != b.den) {
            const Int128 common = lcm(a.den, b.den);
            a = over(a, common);
            b = over(b, common);
            add(Note::CommonDenominator, pairExpression(a, operation, b));
        }
        const Int128 den = std::max(denominatorOf(a), denominatorOf(b));
        const auto wholeOf
            = [](const WrittenNumber &x) { return x.hasWhole ? x.whole : Int128 {0}; };
        const auto partOf
            = [](const WrittenNumber &x) { return x.hasFraction ? x.num : Int128 {0}; };
        const bool subtract = operation == Operation::Subtract;
        if (subtract && partOf(a) < partOf(b)) {
            // One of the integer part becomes a fraction: 3 3/15 is 2 18/15.
            a = mixedNumber(false, wholeOf(a) - 1, partOf(a) + den, den);
            add(Note::Borrow, pairExpression(a, operation, b));
        }
        const Int128 whole = subtract ? wholeOf(a) - wholeOf(b) : wholeOf(a) + wholeOf(b);
        const Int128 part = subtract ? partOf(a) - partOf(b) : partOf(a) + partOf(b);
        WrittenNumber result = mixedNumber(false, whole, part, den);
        add(Note::Calculate, numberExpression(result));
        if (part >= den) {
            if (m_form == AnswerForm::Mixed || part == den) {
                result = mixedNumber(false, whole + 1, part - den, den);
                add(Note::Carry, numberExpression(result));
            } else {
                result = resultOf(plus(times(whole, den), part), den, false);
                add(Note::MakeImproperAnswer, numberExpression(result));
            }
        }
        if (reducible(result)) {
            const WrittenNumber before = result;
            result = lowestOf(result);
            add(reduceNote({{before, result}}), numberExpression(result));
        }
        if (m_form == AnswerForm::Improper && result.isMixed()) {
            add(Note::MakeImproperAnswer, numberExpression(improperOf(result)));
        }
    }

    void product(WrittenNumber a, Operation operation, WrittenNumber b)
    {
        if (isZero(a) || (operation == Operation::Multiply && isZero(b))) {
            add(Note::Calculate, numberExpression(wholeNumber(0)));
            return;
        }
        Sign sign = Sign::None;
        if (a.negative || b.negative) {
            sign = a.negative != b.negative ? Sign::Minus : Sign::Plus;
            a = magnitudeOf(a);
            b = magnitudeOf(b);
            add(Note::DecideSign, signedPair(sign, a, operation, b));
        }
        const bool negative = sign == Sign::Minus;
        if (a.isMixed() || b.isMixed()) {
            a = improperOf(a);
            b = improperOf(b);
            add(Note::MakeImproper, signedPair(sign, a, operation, b));
        }
        if (reducible(a) || reducible(b)) {
            const WrittenNumber beforeA = a;
            const WrittenNumber beforeB = b;
            a = lowestOf(a);
            b = lowestOf(b);
            add(reduceNote({{beforeA, a}, {beforeB, b}}), signedPair(sign, a, operation, b));
        }
        const bool divided = operation == Operation::Divide;
        if (operation == Operation::Divide) {
            if (isWhole(a) && isWhole(b)) {
                if (a.whole % b.whole == 0) {
                    add(Note::Calculate,
                        numberExpression(wholeNumber(a.whole / b.whole, negative)));
                    return;
                }
                const WrittenNumber quotient = resultOf(a.whole, b.whole, negative);
                add(Note::QuotientAsFraction, numberExpression(quotient));
                finish(quotient);
                return;
            }
            if (isWhole(b)) {
                divideByWhole(sign, a, b);
                return;
            }
            // The reciprocal of 1/3 is 3, of 1 2/3 (5/3) is 3/5.
            b = resultOf(b.den, b.num, false);
            operation = Operation::Multiply;
            add(Note::Reciprocal, signedPair(sign, a, operation, b));
        }
        if (isWhole(a) && isWhole(b)) {
            add(Note::Calculate, numberExpression(wholeNumber(times(a.whole, b.whole), negative)));
            return;
        }
        const auto numeratorOf
            = [](const WrittenNumber &x) { return x.hasFraction ? x.num : x.whole; };
        std::vector<Factor> numerator {{numeratorOf(a), {}}, {numeratorOf(b), {}}};
        std::vector<Factor> denominator;
        for (const WrittenNumber *x : {&a, &b}) {
            if (x->hasFraction) {
                denominator.push_back({x->den, {}});
            }
        }
        // 分数×整数 and 整数×分数 as typed: the whole number multiplies the
        // numerator. After the reciprocal, numerators and denominators each.
        add(!divided && (isWhole(a) || isWhole(b)) ? Note::MultiplyNumeratorByWhole
                                                   : Note::MultiplyAcross,
            fractionExpression(sign, numerator, denominator));

        // Each numerator with the other factor's denominator, by their GCD.
        bool cancelled = false;
        if (b.hasFraction) {
            cancelled = cancel(numerator[0], denominator.back()) || cancelled;
        }
        if (a.hasFraction) {
            cancelled = cancel(numerator[1], denominator.front()) || cancelled;
        }
        calculateProduct(sign, numerator, denominator, cancelled);
    }

    // A fraction divided by a whole number, as it is taught before the
    // reciprocal (分数÷整数): the whole number multiplies the denominator, and
    // cancels with the numerator.
    void divideByWhole(Sign sign, const WrittenNumber &a, const WrittenNumber &b)
    {
        std::vector<Factor> numerator {{a.num, {}}};
        std::vector<Factor> denominator {{a.den, {}}, {b.whole, {}}};
        add(Note::MultiplyDenominatorByWhole, fractionExpression(sign, numerator, denominator));
        const bool cancelled = cancel(numerator.front(), denominator.back());
        calculateProduct(sign, numerator, denominator, cancelled);
    }

    // A numerator's factor and a denominator's divided by their GCD, each
    // keeping the number it had; whether they had one above 1.
    static bool cancel(Factor &top, Factor &bottom)
    {
        const Int128 g = wide::gcd(top.value, bottom.value);
        if (g <= 1) {
            return false;
        }
        top = {top.value / g, top.value};
        bottom = {bottom.value / g, bottom.value};
        return true;
    }

    // The line that cancels, if any, then the product worked out.
    void calculateProduct(Sign sign, const std::vector<Factor> &numerator,
        const std::vector<Factor> &denominator, bool cancelled)
    {
        if (cancelled) {
            add(Note::CancelAcross, fractionExpression(sign, numerator, denominator));
        }
        Int128 n = 1;
        Int128 d = 1;
        for (const Factor &factor : numerator) {
            n = times(n, factor.value);
        }
        for (const Factor &factor : denominator) {
            d = times(d, factor.value);
        }
        const WrittenNumber result = resultOf(n, d, sign == Sign::Minus);
        add(Note::Calculate, numberExpression(result));
        finish(result);
    }

public:
    Working finishFrom(Working &&before, const WrittenNumber &result)
    {
        m_working = std::move(before);
        finish(result);
        return std::move(m_working);
    }

private:
    // After the result: reduced, then in the answer's form.
    void finish(WrittenNumber result)
    {
        if (reducible(result)) {
            const WrittenNumber before = result;
            result = lowestOf(result);
            add(reduceNote({{before, result}}), numberExpression(result));
        }
        if (m_form == AnswerForm::Mixed && result.hasFraction && result.num >= result.den) {
            const Int128 improper = improperNumerator(result);
            add(Note::MakeMixed,
                numberExpression(mixedNumber(
                    result.negative, improper / result.den, improper % result.den, result.den)));
        } else if (m_form == AnswerForm::Improper && result.isMixed()) {
            add(Note::MakeImproperAnswer, numberExpression(improperOf(result)));
        }
    }

    AnswerForm m_form;
    Method m_method;
    Working m_working;
};

}  // namespace

Working textbookWorking(const Pair &problem, AnswerForm form, Method method)
{
    return Route(form, method).work(problem.first, problem.operation, problem.second);
}

Working goOnWorking(Working before, const Pair &line, AnswerForm form, Method method, bool fromSign)
{
    return Route(form, method)
        .goOn(std::move(before), line.first, line.operation, line.second, fromSign);
}

Working finishWorking(Working before, const WrittenNumber &result, AnswerForm form)
{
    return Route(form, Method::MakeImproper).finishFrom(std::move(before), result);
}

}  // namespace tobarin
