#include "engine/practice/conversion_sets.h"

#include "engine/practice/making.h"
#include "engine/practice/random.h"
#include "engine/practice/set_code.h"

#include <algorithm>
#include <array>
#include <set>
#include <stdexcept>

namespace tobarin::practice {

namespace {

using wide::Int128;
using wide::powerOfTen;

// The denominators of 5-decimal's fractions, at every level.
constexpr std::array<Int128, 7> DecimalDenominators {2, 4, 5, 8, 10, 20, 25};
constexpr std::size_t MostPlaces = 3;
constexpr std::size_t Block = 10;

Int128 leastCommonDenominator(const Conversion &c)
{
    Int128 l = 1;
    for (const WrittenNumber &f : c.numbers) {
        l = wide::lcm(l, f.den);
    }
    return l;
}

// The tag of 通分's denominators.
Tag denominatorsTag(const Conversion &c)
{
    const Int128 l = leastCommonDenominator(c);
    Int128 product = 1;
    bool oneIsLeast = false;
    for (const WrittenNumber &f : c.numbers) {
        product *= f.den;
        oneIsLeast = oneIsLeast || f.den == l;
    }
    if (oneIsLeast) {
        return Tag::Multiple;
    }
    return l == product ? Tag::Coprime : Tag::Shared;
}

// A decimal's digits as one whole number: 1.25 is 125.
Int128 decimalDigits(const WrittenNumber &x)
{
    return x.whole * powerOfTen(x.decimals.size()) + wide::digitsValue(x.decimals).value_or(0);
}

bool lowestTerms(const WrittenNumber &x)
{
    return !x.hasFraction || wide::gcd(x.num, x.den) == 1;
}

// The forms each unit asks for.
bool asksFor(Unit unit, AskedForm asked)
{
    switch (unit) {
    case Unit::Convert4:
        return asked == AskedForm::Mixed || asked == AskedForm::Improper
            || asked == AskedForm::Whole;
    case Unit::Reduce5:
        return asked == AskedForm::Reduced;
    case Unit::Common5:
        return asked == AskedForm::Common;
    case Unit::Decimal5:
        return asked == AskedForm::Decimal || asked == AskedForm::Fraction;
    default:
        break;
    }
    return false;
}

using Broken = std::optional<std::string>;

Broken brokenByNumbers(Unit unit, const LevelLimits &limits, int level, const Conversion &c)
{
    const Int128 largest = limits.largestDenominator;
    const Int128 wholes = limits.wholePartsAddSubtract;
    const WrittenNumber &x = c.numbers.front();
    switch (unit) {
    case Unit::Convert4: {
        const Int128 whole = x.isMixed() ? x.whole : x.num / x.den;
        if (x.den > largest || whole < 1 || whole > wholes
            || (c.asked != AskedForm::Whole && !lowestTerms(x))) {
            return "4-convert: a denominator up to L, an integer part from 1 to W, in lowest terms";
        }
        return std::nullopt;
    }
    case Unit::Reduce5:
        if (x.den > 2 * largest) {
            return "5-reduce: a denominator up to twice the level's largest";
        }
        return std::nullopt;
    case Unit::Common5: {
        const std::size_t count = level == HighestLevel ? 3 : 2;
        std::set<Int128> denominators;
        for (const WrittenNumber &f : c.numbers) {
            if (f.den > largest || f.num >= f.den || !lowestTerms(f)) {
                return "5-common: proper fractions in lowest terms, denominators up to L";
            }
            denominators.insert(f.den);
        }
        if (c.numbers.size() != count || denominators.size() != count) {
            return "5-common: two fractions (three at level 3) of different denominators";
        }
        if (leastCommonDenominator(c) > limits.commonDenominator) {
            return "5-common: the common denominator larger than the level allows";
        }
        return std::nullopt;
    }
    case Unit::Decimal5:
        if (c.asked == AskedForm::Decimal) {
            const bool listed
                = std::find(DecimalDenominators.begin(), DecimalDenominators.end(), x.den)
                != DecimalDenominators.end();
            if (!listed || x.num >= x.den || !lowestTerms(x) || (x.hasWhole && x.whole > wholes)) {
                return "5-decimal: a proper fraction over 2, 4, 5, 8, 10, 20 or 25, an integer "
                       "part up to W";
            }
        } else if (x.decimals.size() > MostPlaces || x.decimals.back() == '0' || x.whole > wholes) {
            return "5-decimal: one to three places, no trailing zero, an integer part up to W";
        }
        return std::nullopt;
    default:
        break;
    }
    return "not a conversion unit";
}

// Numbers drawn at random for a unit's problems.
class Drawer {
public:
    Drawer(Random &random, int level)
        : m_random(random)
        , m_limits(levelLimits(level))
        , m_level(level)
    {
    }

    Int128 between(Int128 low, Int128 high)
    {
        return low
            + static_cast<Int128>(m_random.below(static_cast<std::uint64_t>(high - low + 1)));
    }

    // A fraction in lowest terms, proper, with a denominator from those given.
    WrittenNumber proper(Int128 den)
    {
        Int128 num = between(1, den - 1);
        while (wide::gcd(num, den) != 1) {
            num = between(1, den - 1);
        }
        return fractionNumber(num, den);
    }

    [[nodiscard]] Int128 largest() const { return m_limits.largestDenominator; }
    [[nodiscard]] Int128 wholes() const { return m_limits.wholePartsAddSubtract; }
    [[nodiscard]] int level() const { return m_level; }

private:
    Random &m_random;
    const LevelLimits &m_limits;
    int m_level;
};

Problem one(const WrittenNumber &x, AskedForm asked)
{
    return conversionProblem({{x}, asked});
}

// A problem meant to show `tag` (the generator keeps it only where it does).
Problem draw(Unit unit, Tag tag, Drawer &d)
{
    switch (unit) {
    case Unit::Convert4: {
        const Int128 den = d.between(2, d.largest());
        const Int128 whole = d.between(1, d.wholes());
        if (tag == Tag::ToWhole) {
            return one(fractionNumber(whole * den, den), AskedForm::Whole);
        }
        const WrittenNumber part = d.proper(den);
        if (tag == Tag::ToMixed) {
            return one(fractionNumber(whole * den + part.num, den), AskedForm::Mixed);
        }
        return one(mixedNumber(false, whole, part.num, den), AskedForm::Improper);
    }
    case Unit::Reduce5: {
        const Int128 divisor = tag == Tag::GcdSmall
            ? std::array<Int128, 3> {2, 3, 5}.at(static_cast<std::size_t>(d.between(0, 2)))
            : d.between(4, d.largest());
        if (tag == Tag::ToWhole) {
            return one(
                fractionNumber(d.between(2, d.wholes()) * divisor, divisor), AskedForm::Reduced);
        }
        const Int128 den = d.between(2, std::max<Int128>(2, 2 * d.largest() / divisor));
        // Proper or improper, below 2.
        Int128 num = d.between(1, 2 * den - 1);
        while (num == den || wide::gcd(num, den) != 1) {
            num = d.between(1, 2 * den - 1);
        }
        return one(fractionNumber(num * divisor, den * divisor), AskedForm::Reduced);
    }
    case Unit::Common5: {
        Conversion c {{}, AskedForm::Common};
        const std::size_t count = d.level() == HighestLevel ? 3 : 2;
        while (c.numbers.size() < count) {
            c.numbers.push_back(d.proper(d.between(2, d.largest())));
        }
        return conversionProblem(std::move(c));
    }
    case Unit::Decimal5: {
        const Int128 whole = d.between(0, d.wholes());
        if (tag == Tag::ToDecimal) {
            const Int128 den = DecimalDenominators.at(
                static_cast<std::size_t>(d.between(0, DecimalDenominators.size() - 1)));
            const WrittenNumber part = d.proper(den);
            return one(mixedNumber(false, whole, part.num, den), AskedForm::Decimal);
        }
        const auto places = static_cast<std::size_t>(d.between(1, MostPlaces));
        Int128 digits = d.between(1, powerOfTen(places) - 1);
        while (digits % 10 == 0) {
            digits = d.between(1, powerOfTen(places) - 1);
        }
        const std::string after = wide::decimalText(digits + powerOfTen(places)).substr(1);
        Parsed<WrittenNumber> decimal = readNumber(wide::decimalText(whole) + "." + after);
        return one(decimal.value.value(), AskedForm::Fraction);
    }
    default:
        break;
    }
    throw std::logic_error("practice: not a conversion unit");
}

// How many times a problem is drawn for a set before the generator is known
// to be at fault.
constexpr int MostDraws = 20000;

// The kinds of each unit: the tag each shows, and how often it is chosen.
std::vector<std::pair<Tag, int>> kindsOf(Unit unit)
{
    switch (unit) {
    case Unit::Convert4:
        return {{Tag::ToMixed, 1}, {Tag::ToImproper, 1}, {Tag::ToWhole, 1}};
    case Unit::Reduce5:
        return {{Tag::GcdSmall, 3}, {Tag::GcdLarge, 2}, {Tag::ToWhole, 1}};
    case Unit::Common5:
        return {{Tag::Multiple, 1}, {Tag::Coprime, 1}, {Tag::Shared, 1}};
    case Unit::Decimal5:
        return {{Tag::ToDecimal, 2}, {Tag::ToFraction, 1}, {Tag::Reduce, 1}};
    default:
        break;
    }
    return {};
}

}  // namespace

bool isConversionUnit(Unit unit)
{
    return unit == Unit::Convert4 || unit == Unit::Reduce5 || unit == Unit::Common5
        || unit == Unit::Decimal5;
}

TagSet conversionTags(const Conversion &c)
{
    const WrittenNumber &x = c.numbers.front();
    switch (c.asked) {
    case AskedForm::Mixed:
        return {Tag::ToMixed};
    case AskedForm::Improper:
        return {Tag::ToImproper};
    case AskedForm::Whole:
        return {Tag::ToWhole};
    case AskedForm::Reduced: {
        const Int128 g = wide::gcd(x.num, x.den);
        TagSet tags {g == 2 || g == 3 || g == 5 ? Tag::GcdSmall : Tag::GcdLarge};
        if (x.den != 0 && x.num % x.den == 0) {
            tags.add(Tag::ToWhole);
        }
        return tags;
    }
    case AskedForm::Common:
        return {denominatorsTag(c)};
    case AskedForm::Decimal:
        return {Tag::ToDecimal};
    case AskedForm::Fraction: {
        TagSet tags {Tag::ToFraction};
        if (wide::gcd(decimalDigits(x), powerOfTen(x.decimals.size())) > 1) {
            tags.add(Tag::Reduce);
        }
        return tags;
    }
    }
    return {};
}

std::optional<std::string> conversionBrokenRule(Unit unit, int level, const Problem &problem)
{
    if (!isConversionUnit(unit)) {
        return "the unit is not of conversions";
    }
    if (!problem.conversion || !asksFor(unit, problem.conversion->asked)) {
        return "not a conversion the unit asks for";
    }
    const Conversion &c = *problem.conversion;
    if (!conversionRefusal(c).empty()) {
        return "the form asked cannot take the numbers";
    }
    if (std::any_of(c.numbers.begin(), c.numbers.end(),
            [](const WrittenNumber &x) { return x.negative; })) {
        return "a negative number";
    }
    return brokenByNumbers(unit, levelLimits(level), level, c);
}

std::string_view instructionLine(const Problem &problem)
{
    if (!problem.conversion) {
        return {};
    }
    switch (problem.conversion->asked) {
    case AskedForm::Mixed:
        return "帯分数に直しましょう。";
    case AskedForm::Improper:
        return "仮分数に直しましょう。";
    case AskedForm::Whole:
        return "整数に直しましょう。";
    case AskedForm::Reduced:
        return "約分しましょう。";
    case AskedForm::Common:
        return "通分しましょう。";
    case AskedForm::Decimal:
        return "小数で表しましょう。";
    case AskedForm::Fraction:
        break;
    }
    return "分数で表しましょう。";
}

namespace making {

PracticeSet conversionSet(const SetCode &code)
{
    Random random(textHash(setCodeText(code)));
    Drawer drawer(random, code.level);
    // Level 3 gives no problem of the level-1 set again.
    std::set<std::string> seen
        = easiestExpressions(code, [](const SetCode &easiest) { return conversionSet(easiest); });
    // Of 通分, the denominators: each set of them once in ten problems, in
    // any order, as a sheet's ten.
    std::set<std::vector<Int128>> denominators;
    const std::vector<std::pair<Tag, int>> kinds = kindsOf(code.unit);
    TagSet missing = promisedTags(code.unit);
    PracticeSet set {code, {}};
    for (int draws = 0; set.problems.size() < static_cast<std::size_t>(code.count); ++draws) {
        if (draws > MostDraws) {
            throw std::logic_error("practice: " + setCodeText(code) + " finds no problem");
        }
        // A kind that shows a missing tag, while one does.
        std::vector<std::pair<Tag, int>> choices;
        for (const auto &kind : kinds) {
            if (missing.has(kind.first)) {
                choices.push_back(kind);
            }
        }
        choices = choices.empty() ? kinds : choices;
        int total = 0;
        for (const auto &choice : choices) {
            total += choice.second;
        }
        auto pick = static_cast<int>(random.below(static_cast<std::uint64_t>(total)));
        Tag tag = choices.back().first;
        for (const auto &[candidate, weight] : choices) {
            if (pick < weight) {
                tag = candidate;
                break;
            }
            pick -= weight;
        }
        Problem problem = draw(code.unit, tag, drawer);
        if (conversionBrokenRule(code.unit, code.level, problem)) {
            continue;
        }
        PracticeProblem made {problem, problemText(problem), conversionTags(*problem.conversion)};
        if (!made.tags.has(tag) || seen.contains(made.expression)) {
            continue;
        }
        if (code.unit == Unit::Common5) {
            std::vector<Int128> dens {static_cast<Int128>(set.problems.size() / Block)};
            for (const WrittenNumber &f : problem.conversion->numbers) {
                dens.push_back(f.den);
            }
            std::sort(dens.begin() + 1, dens.end());
            if (!denominators.insert(dens).second) {
                continue;
            }
        }
        seen.insert(made.expression);
        missing = missing.without(made.tags);
        set.problems.push_back(std::move(made));
    }
    shuffle(set.problems, random);
    return set;
}

}  // namespace making

}  // namespace tobarin::practice
