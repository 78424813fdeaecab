#include "engine/practice/tags.h"

#include "engine/practice/conversion_sets.h"
#include "engine/practice/several_terms.h"

#include <numeric>

namespace tobarin::practice {

namespace {

constexpr std::array<std::string_view, AllTags.size()> TagNames {"same", "multiple", "coprime",
    "shared", "reduce", "carry", "borrow", "whole-minus", "whole", "improper", "mixed", "cancel",
    "over-one", "whole-answer", "neg1", "neg2", "zero", "cancel-both", "whole-factor",
    "whole-dividend", "decimal", "divide", "times-first", "paren", "power", "order", "neg",
    "to-mixed", "to-improper", "to-whole", "gcd-small", "gcd-large", "to-decimal", "to-fraction"};

bool isSumOrDifference(Operation operation)
{
    return operation == Operation::Add || operation == Operation::Subtract;
}

// The common-denominator tag of two denominators (both 2 or more).
Tag denominatorsTag(wide::Int128 d1, wide::Int128 d2)
{
    if (d1 == d2) {
        return Tag::Same;
    }
    if (d1 % d2 == 0 || d2 % d1 == 0) {
        return Tag::Multiple;
    }
    return wide::gcd(d1, d2) == 1 ? Tag::Coprime : Tag::Shared;
}

bool needsReduce(Operation operation, const WrittenNumber &a, const WrittenNumber &b)
{
    const wide::Int128 common = wide::lcm(denominatorOf(a), denominatorOf(b));
    const wide::Int128 first = numeratorOf(a) * (common / denominatorOf(a));
    const wide::Int128 second = numeratorOf(b) * (common / denominatorOf(b));
    const wide::Int128 result = operation == Operation::Add ? first + second : first - second;
    return result != 0 && wide::gcd(result, common) != 1;
}

// The fraction part of a term times the other term's denominator, so that two
// fraction parts compare and add over one denominator: a1/b1 + a2/b2 ≥ 1 is
// a1×b2 + a2×b1 ≥ b1×b2. A whole number's fraction part is 0.
wide::Int128 fractionPartTimes(const WrittenNumber &term, const WrittenNumber &other)
{
    return term.hasFraction ? term.num * denominatorOf(other) : 0;
}

void addMixedWayTags(
    TagSet &tags, Operation operation, const WrittenNumber &a, const WrittenNumber &b)
{
    const Shape first = shapeOf(a);
    const Shape second = shapeOf(b);
    const bool anyMixed = first == Shape::Mixed || second == Shape::Mixed;
    const wide::Int128 partA = fractionPartTimes(a, b);
    const wide::Int128 partB = fractionPartTimes(b, a);
    const wide::Int128 one = denominatorOf(a) * denominatorOf(b);
    if (operation == Operation::Add) {
        if (anyMixed && partA + partB >= one) {
            tags.add(Tag::Carry);
        }
        return;
    }
    const bool firstHasWhole = first == Shape::Mixed || first == Shape::Whole;
    if (firstHasWhole && b.hasFraction && partA < partB) {
        tags.add(Tag::Borrow);
    }
}

// Of × (÷ after the reciprocal of the divisor): whether each numerator shares
// a factor with the other factor's denominator, on both diagonals.
bool cancelsBoth(Operation operation, const WrittenNumber &a, const WrittenNumber &b)
{
    const wide::Int128 n1 = wholePart(a) * denominatorOf(a) + a.num;
    const wide::Int128 n2 = wholePart(b) * denominatorOf(b) + b.num;
    if (operation == Operation::Multiply) {
        return wide::gcd(n1, denominatorOf(b)) != 1 && wide::gcd(n2, denominatorOf(a)) != 1;
    }
    return wide::gcd(n1, n2) != 1 && wide::gcd(denominatorOf(a), denominatorOf(b)) != 1;
}

bool cancels(Operation operation, const WrittenNumber &a, const WrittenNumber &b)
{
    const wide::Int128 n1 = wholePart(a) * denominatorOf(a) + a.num;
    const wide::Int128 n2 = wholePart(b) * denominatorOf(b) + b.num;
    if (operation == Operation::Multiply) {
        return wide::gcd(n1, denominatorOf(b)) != 1 || wide::gcd(n2, denominatorOf(a)) != 1;
    }
    // After the reciprocal of the divisor: n1/d1 × d2/n2.
    return wide::gcd(n1, n2) != 1 || wide::gcd(denominatorOf(a), denominatorOf(b)) != 1;
}

}  // namespace

std::string_view tagName(Tag tag)
{
    return TagNames.at(static_cast<std::size_t>(tag));
}

std::vector<Tag> TagSet::list() const
{
    std::vector<Tag> tags;
    for (const Tag tag : AllTags) {
        if (has(tag)) {
            tags.push_back(tag);
        }
    }
    return tags;
}

std::string tagsText(TagSet tags)
{
    std::string text;
    for (const Tag tag : tags.list()) {
        if (!text.empty()) {
            text += ',';
        }
        text += tagName(tag);
    }
    return text;
}

TagSet tagsOf(const Problem &problem)
{
    if (problem.conversion) {
        return conversionTags(*problem.conversion);
    }
    const std::optional<Pair> pair = windowPair(problem);
    if (!pair) {
        return severalTermTags(problem);
    }
    return isPracticeNumber(pair->first) && isPracticeNumber(pair->second)
        ? tagsOf(pair->operation, pair->first, pair->second)
        : TagSet {};
}

TagSet tagsOf(Operation operation, const WrittenNumber &a, const WrittenNumber &b)
{
    TagSet tags;
    const Shape first = shapeOf(a);
    const Shape second = shapeOf(b);
    const bool anyZero = first == Shape::Zero || second == Shape::Zero;
    for (const Shape shape : {first, second}) {
        if (shape == Shape::Whole) {
            tags.add(Tag::Whole);
        } else if (shape == Shape::Improper) {
            tags.add(Tag::Improper);
        } else if (shape == Shape::Mixed) {
            tags.add(Tag::Mixed);
        } else if (shape == Shape::Zero) {
            tags.add(Tag::Zero);
        }
    }
    const int negatives = (a.negative ? 1 : 0) + (b.negative ? 1 : 0);
    if (negatives == 1) {
        tags.add(Tag::Neg1);
    } else if (negatives == 2) {
        tags.add(Tag::Neg2);
    }

    if (isSumOrDifference(operation) && !anyZero) {
        if (a.hasFraction && b.hasFraction) {
            tags.add(denominatorsTag(a.den, b.den));
        }
        if (needsReduce(operation, a, b)) {
            tags.add(Tag::Reduce);
        }
        if (negatives == 0 && first != Shape::Improper && second != Shape::Improper) {
            addMixedWayTags(tags, operation, a, b);
        }
        if (operation == Operation::Subtract && first == Shape::Whole && b.hasFraction
            && negatives == 0) {
            tags.add(Tag::WholeMinus);
        }
    }
    if (!isSumOrDifference(operation) && !anyZero && cancels(operation, a, b)) {
        tags.add(Tag::Cancel);
        if (cancelsBoth(operation, a, b)) {
            tags.add(Tag::CancelBoth);
        }
    }
    if (operation == Operation::Multiply && !anyZero
        && ((first == Shape::Whole) != (second == Shape::Whole))) {
        tags.add(Tag::WholeFactor);
    }
    if (operation == Operation::Divide && first == Shape::Whole && second != Shape::Whole
        && !anyZero) {
        tags.add(Tag::WholeDividend);
    }

    const std::optional<Fraction> answer = answerOf(operation, a, b);
    if (answer) {
        if (answer->num == 0) {
            tags.add(Tag::Zero);
        } else if (answer->num % answer->den == 0) {
            tags.add(Tag::WholeAnswer);
        }
        if (answer->num > answer->den) {
            tags.add(Tag::OverOne);
        }
    }
    return tags;
}

}  // namespace tobarin::practice
