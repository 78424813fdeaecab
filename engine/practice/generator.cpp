#include "engine/practice/generator.h"

#include "engine/practice/conversion_sets.h"
#include "engine/practice/making.h"
#include "engine/practice/random.h"
#include "engine/practice/rules.h"
#include "engine/practice/several_terms.h"
#include "engine/practice/shape.h"
#include "engine/practice/units.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <optional>
#include <stdexcept>
#include <type_traits>
#include <utility>

namespace tobarin::practice {

namespace {

using namespace making;

std::vector<Kind> like4Kinds()
{
    const TagSet overOne {Tag::OverOne};
    const Relation same = Relation::Same;
    return {
        // Two fractions less than 1 whose sum is more than 1, and is not;
        // sums with an improper fraction or a mixed number are more than 1.
        {Add, Proper, Proper, 2, overOne, {}, same},
        {Add, Proper, Proper, 2, {}, overOne, same},
        {Add, Improper, Proper, 1, overOne, {}, same},
        {Add, Proper, Improper, 1, overOne, {}, same},
        {Add, Improper, Improper, 1, overOne, {}, same},
        {Add, Mixed, Proper, 2, overOne, {}, same},
        {Add, Proper, Mixed, 1, overOne, {}, same},
        {Add, Mixed, Mixed, 2, overOne, {}, same},
        {Subtract, Proper, Proper, 2, {}, {}, same},
        {Subtract, Improper, Proper, 2, {}, {}, same},
        {Subtract, Improper, Improper, 1, {}, {}, same},
        {Subtract, Mixed, Proper, 2, {}, {}, same},
        {Subtract, Mixed, Mixed, 2, {}, {}, same},
        // A whole number minus a fraction.
        {Subtract, Whole, Proper, 2, {Tag::WholeMinus}, {}},
        {Subtract, Whole, Improper, 1, {Tag::WholeMinus}, {}},
        {Subtract, Whole, Mixed, 1, {Tag::WholeMinus}, {}},
    };
}

std::vector<Kind> unlike5Kinds()
{
    std::vector<Kind> kinds;
    const std::array<std::pair<Relation, Tag>, 3> relations {{{Relation::Multiple, Tag::Multiple},
        {Relation::Coprime, Tag::Coprime}, {Relation::Shared, Tag::Shared}}};
    for (const Operation operation : {Add, Subtract}) {
        for (const auto &[relation, tag] : relations) {
            for (const bool reduce : {false, true}) {
                // Over coprime denominators the result is always in lowest
                // terms: a1×d2 ± a2×d1 shares no factor with d1 or with d2.
                if (reduce && relation == Relation::Coprime) {
                    continue;
                }
                const TagSet wanted = reduce ? TagSet {tag, Tag::Reduce} : TagSet {tag};
                const TagSet unwanted = reduce ? TagSet {} : TagSet {Tag::Reduce};
                // Mostly fractions less than 1, sometimes an improper one (one
                // problem in five). A proper fraction minus an improper one is
                // below 0.
                kinds.push_back({operation, Proper, Proper, 6, wanted, unwanted, relation});
                kinds.push_back({operation, Improper, Proper, 1, wanted, unwanted, relation});
                if (operation == Add) {
                    kinds.push_back({operation, Proper, Improper, 1, wanted, unwanted, relation});
                }
            }
        }
    }
    return kinds;
}

std::vector<Kind> mixed5Kinds()
{
    const TagSet carry {Tag::Carry};
    const TagSet borrow {Tag::Borrow};
    return {
        {Add, Mixed, Mixed, 2, carry, {}},
        {Add, Mixed, Mixed, 2, {}, carry},
        {Add, Mixed, Proper, 1, carry, {}},
        {Add, Mixed, Proper, 1, {}, carry},
        {Add, Proper, Mixed, 1, carry, {}},
        {Add, Proper, Mixed, 1, {}, carry},
        {Add, Mixed, Whole, 1, {}, {}},
        {Add, Whole, Mixed, 1, {}, {}},
        {Subtract, Mixed, Mixed, 2, borrow, {}},
        {Subtract, Mixed, Mixed, 2, {}, borrow},
        {Subtract, Mixed, Proper, 1, borrow, {}},
        {Subtract, Mixed, Proper, 1, {}, borrow},
        {Subtract, Mixed, Whole, 1, {}, {}},
        // A whole number minus a mixed number always borrows.
        {Subtract, Whole, Mixed, 2, {Tag::WholeMinus, Tag::Borrow}, {}},
    };
}

std::vector<Kind> timesWhole6Kinds()
{
    std::vector<Kind> kinds;
    for (const bool cancel : {true, false}) {
        const TagSet wanted = cancel ? TagSet {Tag::Whole, Tag::Cancel} : TagSet {Tag::Whole};
        const TagSet unwanted = cancel ? TagSet {} : TagSet {Tag::Cancel};
        kinds.push_back({Multiply, Proper, Whole, 2, wanted, unwanted});
        kinds.push_back({Multiply, Improper, Whole, 1, wanted, unwanted});
        kinds.push_back({Multiply, Whole, Proper, 1, wanted, unwanted});
        kinds.push_back({Divide, Proper, Whole, 2, wanted, unwanted});
        kinds.push_back({Divide, Improper, Whole, 1, wanted, unwanted});
    }
    return kinds;
}

std::vector<Kind> fractions6Kinds(Operation operation)
{
    struct Shapes {
        Shape first;
        Shape second;
        int weight;
    };
    const std::array<Shapes, 6> shapes {{{Proper, Proper, 3}, {Improper, Proper, 1},
        {Proper, Improper, 1}, {Mixed, Proper, 1}, {Proper, Mixed, 1}, {Mixed, Mixed, 1}}};
    const auto mixedOf = [](const Shapes &s) {
        return s.first == Mixed || s.second == Mixed ? TagSet {Tag::Mixed} : TagSet {};
    };
    std::vector<Kind> kinds;
    for (const Shapes &s : shapes) {
        TagSet cancels = mixedOf(s);
        cancels.add(Tag::Cancel);
        kinds.push_back({operation, s.first, s.second, s.weight, cancels, {}});
        kinds.push_back({operation, s.first, s.second, s.weight, mixedOf(s), {Tag::Cancel}});
    }
    if (operation == Divide) {
        // A whole quotient: the divisor's denominator a multiple of the
        // dividend's (the dividend's is coprime to its numerator), and so it
        // always cancels. A proper fraction divided by a mixed number is
        // less than 1.
        const std::array<Shapes, 4> wholeAnswers {
            {{Proper, Proper, 2}, {Improper, Proper, 1}, {Mixed, Proper, 1}, {Mixed, Mixed, 1}}};
        for (const Shapes &s : wholeAnswers) {
            TagSet wanted = mixedOf(s);
            wanted.add(Tag::WholeAnswer);
            wanted.add(Tag::Cancel);
            kinds.push_back(
                {operation, s.first, s.second, s.weight, wanted, {}, Relation::Divides});
        }
    }
    return kinds;
}

std::vector<Kind> signed7Kinds()
{
    std::vector<Kind> kinds;
    struct Shapes {
        Shape first;
        Shape second;
        int weight;
    };
    const std::array<Shapes, 3> shapes {
        {{Proper, Proper, 3}, {Improper, Proper, 1}, {Proper, Improper, 1}}};
    const std::array<std::pair<bool, bool>, 3> signs {{{true, false}, {false, true}, {true, true}}};
    for (const Operation operation : {Add, Subtract, Multiply, Divide}) {
        for (const auto &[firstNegative, secondNegative] : signs) {
            const TagSet wanted {firstNegative && secondNegative ? Tag::Neg2 : Tag::Neg1};
            for (const Shapes &s : shapes) {
                kinds.push_back({operation, s.first, s.second, s.weight, wanted, {}, Relation::Any,
                    firstNegative, secondNegative});
            }
        }
        // 0 with a negative number; 0 is never the divisor.
        const TagSet zero {Tag::Zero, Tag::Neg1};
        kinds.push_back({operation, Zero, Proper, 1, zero, {}, Relation::Any, false, true});
        if (operation != Divide) {
            kinds.push_back({operation, Proper, Zero, 1, zero, {}, Relation::Any, true, false});
        }
    }
    return kinds;
}

const std::vector<Kind> &kindsOf(Unit unit)
{
    static const std::array<std::vector<Kind>, 7> kinds {like4Kinds(), unlike5Kinds(),
        mixed5Kinds(), timesWhole6Kinds(), fractions6Kinds(Multiply), fractions6Kinds(Divide),
        signed7Kinds()};
    return kinds.at(static_cast<std::size_t>(unit));
}

class Builder {
public:
    Builder(Random &random, Unit unit, const LevelLimits &limits)
        : m_random(random)
        , m_unit(unit)
        , m_limits(limits)
    {
    }

    // A problem of the kind: its denominators first, then the first operand,
    // then the second.
    std::optional<Terms> build(const Kind &kind)
    {
        return firstAccepted(m_random, denominatorPairs(kind), [&](const auto &denominators) {
            const std::vector<WrittenNumber> firsts
                = operandChoices(kind, kind.first, denominators.first, kind.firstNegative);
            const std::vector<WrittenNumber> seconds
                = operandChoices(kind, kind.second, denominators.second, kind.secondNegative);
            return firstAccepted(m_random, firsts, [&](const WrittenNumber &a) {
                return firstAccepted(
                    m_random, seconds, [&](const WrittenNumber &b) -> std::optional<Terms> {
                        if (fits(kind, a, b)) {
                            return Terms {a, b};
                        }
                        return std::nullopt;
                    });
            });
        });
    }

private:
    // The smallest numerator over its own denominator that an operand of the
    // shape can have: what a product before cancelling is at least.
    [[nodiscard]] std::int64_t smallestNumerator(
        const Kind &kind, Shape shape, std::int64_t den) const
    {
        switch (shape) {
        case Zero:
            return 0;
        case Whole:
            return smallestWhole(kind);
        case Proper:
            return 1;
        case Improper:
        case Mixed:
            return den + 1;
        }
        return 0;
    }

    [[nodiscard]] static std::int64_t smallestWhole(const Kind &kind)
    {
        // 3 × 1 and 3/4 ÷ 1 teach nothing: a whole factor or divisor is 2 or more.
        return isSumOrDifference(kind.operation) ? 1 : 2;
    }

    // The denominators (0 for a whole number or 0) that the kind and the
    // level's limits allow together.
    [[nodiscard]] std::vector<std::pair<std::int64_t, std::int64_t>> denominatorPairs(
        const Kind &kind) const
    {
        const auto denominators = [&](Shape shape) {
            std::vector<std::int64_t> list;
            if (shape == Zero || shape == Whole) {
                list.push_back(0);
            } else {
                for (std::int64_t d = 2; d <= m_limits.largestDenominator; ++d) {
                    list.push_back(d);
                }
            }
            return list;
        };
        // In 4-like two fractions over an even denominator always need 約分:
        // their numerators, prime to it, are odd, and so their sum or
        // difference is even. Only a whole number minus a fraction has one.
        const bool oddOnly = m_unit == Unit::Like4 && kind.first != Whole;
        std::vector<std::pair<std::int64_t, std::int64_t>> pairs;
        for (const std::int64_t d1 : denominators(kind.first)) {
            for (const std::int64_t d2 : denominators(kind.second)) {
                if (relationHolds(kind.relation, d1, d2) && withinLimits(kind, d1, d2)
                    && !(oddOnly && d2 % 2 == 0)) {
                    pairs.emplace_back(d1, d2);
                }
            }
        }
        return pairs;
    }

    [[nodiscard]] bool withinLimits(const Kind &kind, std::int64_t d1, std::int64_t d2) const
    {
        const std::int64_t den1 = std::max<std::int64_t>(d1, 1);
        const std::int64_t den2 = std::max<std::int64_t>(d2, 1);
        if (isSumOrDifference(kind.operation)) {
            return std::lcm(den1, den2) <= m_limits.commonDenominator;
        }
        if (kind.operation == Multiply) {
            return den1 * den2 <= m_limits.products;
        }
        // ÷: the dividend's denominator times the divisor's numerator, and
        // the other way round.
        return den1 * smallestNumerator(kind, kind.second, d2) <= m_limits.products
            && smallestNumerator(kind, kind.first, d1) * den2 <= m_limits.products;
    }

    // Every operand of the shape over the denominator, in lowest terms, within
    // the level's limits.
    [[nodiscard]] std::vector<WrittenNumber> operandChoices(
        const Kind &kind, Shape shape, std::int64_t den, bool negative) const
    {
        std::vector<WrittenNumber> terms;
        const std::int64_t wholeParts = m_limits.wholeParts(kind.operation);
        switch (shape) {
        case Zero:
            terms.push_back(wholeNumber(0));
            break;
        case Whole:
            for (std::int64_t k = smallestWhole(kind); k <= m_limits.largestDenominator; ++k) {
                terms.push_back(wholeNumber(k, negative));
            }
            break;
        case Proper:
            for (std::int64_t n = 1; n < den; ++n) {
                if (std::gcd(n, den) == 1) {
                    terms.push_back(fractionNumber(n, den, negative));
                }
            }
            break;
        case Improper:
            for (std::int64_t n = den + 1; n < m_limits.improperBelow() * den; ++n) {
                if (std::gcd(n, den) == 1) {
                    terms.push_back(fractionNumber(n, den, negative));
                }
            }
            break;
        case Mixed:
            for (std::int64_t whole = 1; whole <= wholeParts; ++whole) {
                for (std::int64_t n = 1; n < den; ++n) {
                    if (std::gcd(n, den) == 1) {
                        terms.push_back(mixedNumber(negative, whole, n, den));
                    }
                }
            }
            break;
        }
        return terms;
    }

    // Whether a and b make a problem of the kind that keeps every rule.
    [[nodiscard]] bool fits(const Kind &kind, const WrittenNumber &a, const WrittenNumber &b) const
    {
        if (brokenRule(m_unit, m_limits, 1, kind.operation, a, b)) {
            return false;
        }
        const TagSet tags = tagsOf(kind.operation, a, b);
        return tags.hasAll(kind.wanted) && !tags.hasAny(kind.unwanted);
    }

    Random &m_random;
    Unit m_unit;
    const LevelLimits &m_limits;
};

// Far more than any set meets: a set of 50 draws from hundreds of problems.
constexpr int MostRepeatsInARow = 1000;

}  // namespace

namespace making {

PracticeSet firstSet(const SetCode &code)
{
    Random random(textHash(setCodeText(code)));
    const LevelLimits &limits = levelLimits(code.level);
    const std::vector<Kind> &kinds = kindsOf(code.unit);
    Builder builder(random, code.unit, limits);
    TagSet missing = promisedTags(code.unit);
    PracticeSet set {code, {}};
    int repeats = 0;
    while (set.problems.size() < static_cast<std::size_t>(code.count)) {
        const Kind &kind = chooseKind(random, kinds, missing);
        const std::optional<Terms> terms = builder.build(kind);
        if (!terms) {
            throw std::logic_error("practice: kind " + std::to_string(&kind - kinds.data()) + " of "
                + std::string(unitInfo(code.unit).id) + " has no problem at level "
                + std::to_string(code.level));
        }
        PracticeProblem made = practiceProblem(kind.operation, *terms);
        const bool repeated = std::any_of(set.problems.begin(), set.problems.end(),
            [&](const PracticeProblem &p) { return p.problem == made.problem; });
        if (repeated) {
            if (++repeats > MostRepeatsInARow) {
                throw std::logic_error("practice: " + setCodeText(code) + " repeats its problems");
            }
            continue;
        }
        repeats = 0;
        if (const std::optional<std::string> broken
            = brokenRule(code.unit, code.level, made.problem, 1)) {
            throw std::logic_error("practice: " + made.expression + " breaks a rule: " + *broken);
        }
        missing = missing.without(made.tags);
        set.problems.push_back(std::move(made));
    }
    shuffle(set.problems, random);
    return set;
}

}  // namespace making

PracticeSet practiceSet(const SetCode &code)
{
    if (isSeveralTermUnit(code.unit)) {
        return making::severalTermSet(code);
    }
    if (isConversionUnit(code.unit)) {
        return making::conversionSet(code);
    }
    return code.version == 1 ? making::firstSet(code) : making::textbookSet(code);
}

std::string listingText(const PracticeSet &set)
{
    std::string text = "# " + setCodeText(set.code) + "\n";
    for (const PracticeProblem &problem : set.problems) {
        text += problem.expression + "\t" + tagsText(problem.tags) + "\n";
    }
    return text;
}

}  // namespace tobarin::practice
