#include "engine/practice/rules.h"

#include "engine/practice/conversion_sets.h"
#include "engine/practice/several_terms.h"
#include "engine/practice/tags.h"

#include <numeric>

namespace tobarin::practice {

namespace {

using Broken = std::optional<std::string_view>;

bool isSumOrDifference(Operation operation)
{
    return operation == Operation::Add || operation == Operation::Subtract;
}

// The rules of one operand, whatever the unit; in p2, 4-like's fractions
// need not be in lowest terms (小4 writes 2/4 before it learns 約分), and an
// improper fraction at levels 1–2 is at most 2 × its denominator + 1.
Broken brokenByOperand(Unit unit, const LevelLimits &limits, int version, Operation operation,
    const WrittenNumber &term)
{
    const wide::Int128 largest = limits.largestDenominator;
    const wide::Int128 wholeParts = limits.wholeParts(operation);
    switch (shapeOf(term)) {
    case Shape::Zero:
        return std::nullopt;
    case Shape::Whole:
        if (wholePart(term) > largest) {
            return "a whole-number operand is larger than the level's largest denominator";
        }
        if (!isSumOrDifference(operation) && wholePart(term) == 1) {
            return "a whole-number factor or divisor is 1";
        }
        return std::nullopt;
    case Shape::Proper:
    case Shape::Improper:
    case Shape::Mixed:
        break;
    }
    if (term.den == 1) {
        return "a denominator is 1";
    }
    if (term.den > largest) {
        return "a denominator is larger than the level allows";
    }
    const bool unreduced = version >= 2 && unit == Unit::Like4;
    if (term.num == 0 || (!unreduced && wide::gcd(term.num, term.den) != 1)
        || term.num % term.den == 0) {
        return "an operand is not in lowest terms";
    }
    if (wholePart(term) != 0 && term.num >= term.den) {
        return "a mixed number's fraction part is not proper";
    }
    if (wholePart(term) > wholeParts) {
        return "a mixed number's integer part is larger than the level allows";
    }
    if (wholePart(term) == 0 && term.num >= limits.improperBelow() * term.den) {
        return "an improper fraction is larger than the level allows";
    }
    if (version >= 2 && limits.level < HighestLevel && wholePart(term) == 0
        && term.num > 2 * term.den + 1) {
        return "an improper fraction is larger than 2 × its denominator + 1";
    }
    if (version >= 2 && limits.level < HighestLevel && term.den > 10
        && (unit == Unit::Unlike5 || unit == Unit::Mixed5 || unit == Unit::Signed7)) {
        return "a denominator is larger than 10 below level 3";
    }
    return std::nullopt;
}

// What each unit allows of its operations and operands; p2 also allows a
// mixed number in 6-times-whole, a whole factor in 6-times and a whole
// dividend in 6-divide, but no 整数×分数 in 6-times-whole below level 3 and
// no improper fraction in 5-unlike at level 1.
Broken brokenByUnit(Unit unit, const LevelLimits &limits, int version, Operation operation,
    const WrittenNumber &a, const WrittenNumber &b)
{
    const Shape first = shapeOf(a);
    const Shape second = shapeOf(b);
    const auto fraction
        = [](Shape shape) { return shape == Shape::Proper || shape == Shape::Improper; };
    const bool sumOrDifference = isSumOrDifference(operation);
    switch (unit) {
    case Unit::Like4:
        if (!sumOrDifference) {
            return "4-like has + and − only";
        }
        if (second == Shape::Whole || (first == Shape::Whole && operation != Operation::Subtract)) {
            return "4-like has a whole number only as the first operand of −";
        }
        if (a.hasFraction && b.hasFraction && a.den != b.den) {
            return "4-like has like denominators";
        }
        return std::nullopt;
    case Unit::Unlike5:
        if (!sumOrDifference) {
            return "5-unlike has + and − only";
        }
        if (version >= 2 && limits.level == LowestLevel
            && (first == Shape::Improper || second == Shape::Improper)) {
            return "5-unlike has no improper fraction at level 1";
        }
        if (!fraction(first) || !fraction(second)) {
            return "5-unlike has two fractions without an integer part";
        }
        if (a.den == b.den) {
            return "5-unlike has unlike denominators";
        }
        return std::nullopt;
    case Unit::Mixed5: {
        if (!sumOrDifference) {
            return "5-mixed has + and − only";
        }
        const auto allowed = [](Shape shape) {
            return shape == Shape::Mixed || shape == Shape::Proper || shape == Shape::Whole;
        };
        if (!allowed(first) || !allowed(second)
            || (first != Shape::Mixed && second != Shape::Mixed)) {
            return "5-mixed has a mixed number and a mixed number, a proper fraction or a whole "
                   "number";
        }
        return std::nullopt;
    }
    case Unit::TimesWhole6:
        if (sumOrDifference) {
            return "6-times-whole has × and ÷ only";
        }
        if (!(((fraction(first) || (version >= 2 && first == Shape::Mixed))
                  && second == Shape::Whole)
                || (operation == Operation::Multiply && first == Shape::Whole
                    && fraction(second)))) {
            return "6-times-whole has a fraction and a whole number, ÷ only by the whole number";
        }
        if (version >= 2 && limits.level < HighestLevel && first == Shape::Whole) {
            return "6-times-whole has no 整数×分数 below level 3";
        }
        return std::nullopt;
    case Unit::Times6:
    case Unit::Divide6:
        if (operation != (unit == Unit::Times6 ? Operation::Multiply : Operation::Divide)) {
            return unit == Unit::Times6 ? "6-times has × only" : "6-divide has ÷ only";
        }
        {
            const auto fractionOrMixed
                = [&fraction](Shape shape) { return fraction(shape) || shape == Shape::Mixed; };
            // p2: a whole factor (either) in 6-times, a whole dividend in 6-divide.
            const bool wholeFirst = version >= 2 && first == Shape::Whole;
            const bool wholeSecond = version >= 2 && unit == Unit::Times6 && second == Shape::Whole;
            if (!((fractionOrMixed(first) || wholeFirst)
                    && (fractionOrMixed(second) || wholeSecond))
                || (wholeFirst && wholeSecond)) {
                return "6-times and 6-divide have two fractions or mixed numbers";
            }
        }
        return std::nullopt;
    case Unit::Signed7:
        // 中学 writes no mixed numbers; its fraction problems have no whole
        // number either, except 0.
        if (!(fraction(first) || first == Shape::Zero)
            || !(fraction(second) || second == Shape::Zero)) {
            return "7-signed has fractions without an integer part, and 0";
        }
        // One 0 at most: 0 + 0 and 0 × 0 teach nothing about signs.
        if (first == Shape::Zero && second == Shape::Zero) {
            return "7-signed has one 0 at most";
        }
        if (!a.negative && !b.negative) {
            return "7-signed has one or two negative operands";
        }
        return std::nullopt;
    case Unit::Three6:
    case Unit::Order6:
    case Unit::Mixed7:
        return "the unit has problems of several terms";
    case Unit::Convert4:
    case Unit::Reduce5:
    case Unit::Common5:
    case Unit::Decimal5:
        return "the unit has conversion problems";
    }
    return std::nullopt;
}

// The level's limits that hold between the operands; in p2 5-unlike's
// common denominator is at most 24 at level 1.
Broken brokenByLimits(Unit unit, const LevelLimits &limits, int version, Operation operation,
    const WrittenNumber &a, const WrittenNumber &b)
{
    if (isSumOrDifference(operation)) {
        const wide::Int128 common = wide::lcm(denominatorOf(a), denominatorOf(b));
        if (common > limits.commonDenominator) {
            return "the common denominator is larger than the level allows";
        }
        if (version >= 2 && unit == Unit::Unlike5 && limits.level == LowestLevel && common > 24) {
            return "5-unlike's common denominator is larger than 24 at level 1";
        }
        return std::nullopt;
    }
    const wide::Int128 n1 = wholePart(a) * denominatorOf(a) + a.num;
    const wide::Int128 n2 = wholePart(b) * denominatorOf(b) + b.num;
    const bool divide = operation == Operation::Divide;
    const wide::Int128 numerators = n1 * (divide ? denominatorOf(b) : n2);
    const wide::Int128 denominators = denominatorOf(a) * (divide ? n2 : denominatorOf(b));
    if (numerators > limits.products || denominators > limits.products) {
        return "a product before cancelling is larger than the level allows";
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> brokenRule(Unit unit, int level, const Problem &problem, int version)
{
    if (isSeveralTermUnit(unit)) {
        return severalTermBrokenRule(unit, level, problem);
    }
    if (isConversionUnit(unit)) {
        return conversionBrokenRule(unit, level, problem);
    }
    const std::optional<Pair> pair = windowPair(problem);
    if (!pair || !isPracticeNumber(pair->first) || !isPracticeNumber(pair->second)) {
        return "an operand is not written as a practice problem writes it";
    }
    const Broken broken
        = brokenRule(unit, levelLimits(level), version, pair->operation, pair->first, pair->second);
    return broken ? std::optional<std::string>(*broken) : std::nullopt;
}

Broken brokenRule(Unit unit, const LevelLimits &limits, int version, Operation operation,
    const WrittenNumber &a, const WrittenNumber &b)
{
    for (const WrittenNumber *term : {&a, &b}) {
        if (const Broken broken = brokenByOperand(unit, limits, version, operation, *term)) {
            return broken;
        }
    }
    if (const Broken broken = brokenByUnit(unit, limits, version, operation, a, b)) {
        return broken;
    }
    if (const Broken broken = brokenByLimits(unit, limits, version, operation, a, b)) {
        return broken;
    }
    const std::optional<Fraction> answer = answerOf(operation, a, b);
    if (!answer) {
        return "it divides by 0";
    }
    if ((operation == Operation::Subtract || operation == Operation::Divide)
        && valueOf(a) == valueOf(b)) {
        return "− or ÷ has the same value twice";
    }
    if (unit != Unit::Signed7) {
        if (a.negative || b.negative || shapeOf(a) == Shape::Zero || shapeOf(b) == Shape::Zero) {
            return "only 7-signed has negative operands and 0";
        }
        if (answer->num <= 0) {
            return "the answer is not above 0";
        }
    }
    // 約分 is taught after this unit: the result over the common
    // denominator is already in lowest terms; in p1 never a whole number
    // such as 5/5 either, which in p2 is made whole (整数に直す).
    if (unit == Unit::Like4 && tagsOf(operation, a, b).has(Tag::Reduce)
        && (version < 2 || !answer->isWhole())) {
        return "4-like's answer needs 約分";
    }
    return std::nullopt;
}

}  // namespace tobarin::practice
