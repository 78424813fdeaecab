// The sets of the generator p2: problems as a teacher sets them. The kinds of
// problem come first, as in p1; then the denominators, drawn from a table of
// the unit and level that follows the textbooks (the common denominators of
// a unit often, the large ones seldom); then the numbers that make the kind.
// A set is made ten problems at a time, and each ten holds what a teacher
// asks of a sheet: at least so many problems of some kinds (two that carry
// in 4-like, a whole answer...), at most so many of others (one whole number
// ± a mixed number, two unit-fraction divisors...), and no pair of
// denominators twice. At level 3 no problem of the level-1 set of the same
// seed comes again.

#include "engine/practice/making.h"
#include "engine/practice/rules.h"
#include "engine/practice/units.h"

#include <algorithm>
#include <array>
#include <map>
#include <numeric>
#include <set>
#include <stdexcept>
#include <string>

namespace tobarin::practice::making {

namespace {

using wide::Int128;

constexpr int Block = 10;  // problems a sheet asks its quotas and caps of

// How often a denominator stands in a unit's problems at a level, against
// the others: the textbook's common ones often, 11 and above seldom (in
// 4-like), or never below level 3 (5-unlike, 5-mixed, 7-signed).
int denominatorWeight(Unit unit, int level, std::int64_t den)
{
    if (den == 0) {
        return 1;  // a whole number or 0: no denominator to draw
    }
    if (den > 12) {
        return 2;  // level 3 only
    }
    // 2 to 12.
    static constexpr std::array<int, 11> Like4 {3, 6, 10, 10, 10, 6, 10, 5, 10, 1, 1};
    static constexpr std::array<int, 11> Unlike5 {10, 10, 10, 8, 8, 4, 6, 4, 6, 0, 0};
    static constexpr std::array<int, 11> Times6 {6, 8, 8, 8, 6, 6, 6, 6, 5, 2, 4};
    static constexpr std::array<int, 11> Signed7 {8, 8, 8, 8, 6, 4, 5, 4, 4, 0, 0};
    const auto index = static_cast<std::size_t>(den - 2);
    switch (unit) {
    case Unit::Like4:
        return Like4.at(index);
    case Unit::Unlike5:
    case Unit::Mixed5:
        return level < HighestLevel ? Unlike5.at(index) : std::max(Unlike5.at(index), 3);
    case Unit::Signed7:
        return level < HighestLevel ? Signed7.at(index) : std::max(Signed7.at(index), 3);
    case Unit::TimesWhole6:
    case Unit::Times6:
    case Unit::Divide6:
    case Unit::Three6:
    case Unit::Order6:
    case Unit::Mixed7:
    case Unit::Convert4:
    case Unit::Reduce5:
    case Unit::Common5:
    case Unit::Decimal5:
        break;
    }
    return Times6.at(index);
}

// The kinds of problem of a unit at a level: p1's, with what a teacher adds.
std::vector<Kind> textbookKinds(Unit unit, int level)
{
    const TagSet carry {Tag::Carry};
    const TagSet wholeAnswer {Tag::WholeAnswer};
    const Relation same = Relation::Same;
    switch (unit) {
    case Unit::Like4:
        return {
            {Add, Proper, Proper, 2, {Tag::OverOne}, wholeAnswer, same},
            {Add, Proper, Proper, 2, {}, {Tag::WholeAnswer, Tag::OverOne}, same},
            {Add, Proper, Proper, 1, wholeAnswer, {}, same},
            {Add, Improper, Proper, 1, {}, {}, same},
            {Add, Mixed, Proper, 2, {}, carry, same},
            {Add, Mixed, Proper, 2, carry, {}, same},
            {Add, Proper, Mixed, 1, carry, {}, same},
            {Add, Mixed, Mixed, 1, carry, {}, same},
            {Add, Mixed, Mixed, 1, {}, carry, same},
            {Subtract, Proper, Proper, 3, {}, {}, same},
            {Subtract, Improper, Proper, 2, {}, {}, same},
            {Subtract, Improper, Proper, 1, wholeAnswer, {}, same},
            {Subtract, Mixed, Proper, 2, {}, {}, same},
            {Subtract, Mixed, Mixed, 1, {}, {}, same},
            {Subtract, Whole, Proper, 2, {Tag::WholeMinus}, {}},
            {Subtract, Whole, Mixed, 1, {Tag::WholeMinus}, {}},
        };
    case Unit::Unlike5: {
        std::vector<Kind> kinds;
        const std::array<std::pair<Relation, Tag>, 3> relations {
            {{Relation::Multiple, Tag::Multiple}, {Relation::Coprime, Tag::Coprime},
                {Relation::Shared, Tag::Shared}}};
        for (const Operation operation : {Add, Subtract}) {
            for (const auto &[relation, tag] : relations) {
                for (const bool reduce : {false, true}) {
                    if (reduce && relation == Relation::Coprime) {
                        continue;  // over coprime denominators nothing reduces
                    }
                    const TagSet wanted = reduce ? TagSet {tag, Tag::Reduce} : TagSet {tag};
                    const TagSet unwanted = reduce ? TagSet {} : TagSet {Tag::Reduce};
                    kinds.push_back({operation, Proper, Proper, 6, wanted, unwanted, relation});
                    if (level > LowestLevel) {
                        kinds.push_back(
                            {operation, Improper, Proper, 1, wanted, unwanted, relation});
                    }
                }
            }
        }
        return kinds;
    }
    case Unit::Mixed5: {
        const TagSet borrow {Tag::Borrow};
        // Two fractions in lowest terms make a whole number only over one
        // denominator, so a whole answer is looked for there alone.
        return {
            {Add, Mixed, Mixed, 2, carry, wholeAnswer},
            {Add, Mixed, Mixed, 2, {}, carry},
            {Add, Mixed, Mixed, 1, wholeAnswer, {}, same},
            {Add, Mixed, Proper, 1, carry, wholeAnswer},
            {Add, Mixed, Proper, 1, {}, carry},
            {Add, Mixed, Proper, 1, wholeAnswer, {}, same},
            {Add, Proper, Mixed, 1, carry, {}},
            {Add, Mixed, Whole, 1, {}, {}},
            {Subtract, Mixed, Mixed, 2, borrow, {}},
            {Subtract, Mixed, Mixed, 1, {Tag::Borrow, Tag::Reduce}, {}},
            {Subtract, Mixed, Mixed, 2, {}, borrow},
            {Subtract, Mixed, Proper, 1, borrow, {}},
            {Subtract, Mixed, Proper, 1, {Tag::Borrow, Tag::Reduce}, {}},
            {Subtract, Mixed, Proper, 1, {}, borrow},
            {Subtract, Mixed, Whole, 1, {}, {}},
            {Subtract, Whole, Mixed, 2, {Tag::WholeMinus, Tag::Borrow}, {}},
        };
    }
    case Unit::TimesWhole6: {
        std::vector<Kind> kinds;
        for (const bool cancel : {true, false}) {
            const TagSet wanted = cancel ? TagSet {Tag::Whole, Tag::Cancel} : TagSet {Tag::Whole};
            const TagSet unwanted = cancel ? TagSet {} : TagSet {Tag::Cancel};
            kinds.push_back({Multiply, Proper, Whole, 3, wanted, unwanted});
            kinds.push_back({Multiply, Improper, Whole, 1, wanted, unwanted});
            kinds.push_back({Multiply, Mixed, Whole, 1, wanted, unwanted});
            kinds.push_back({Divide, Proper, Whole, 3, wanted, unwanted});
            kinds.push_back({Divide, Improper, Whole, 1, wanted, unwanted});
            kinds.push_back({Divide, Mixed, Whole, 1, wanted, unwanted});
            if (level == HighestLevel) {
                kinds.push_back({Multiply, Whole, Proper, 1, wanted, unwanted});
            }
        }
        return kinds;
    }
    case Unit::Times6: {
        const TagSet cancel {Tag::Cancel};
        return {
            {Multiply, Proper, Proper, 3, cancel, {Tag::CancelBoth}},
            {Multiply, Proper, Proper, 2, {}, cancel},
            {Multiply, Proper, Proper, 2, {Tag::CancelBoth}, {}},
            {Multiply, Improper, Proper, 1, cancel, {}},
            {Multiply, Proper, Improper, 1, {}, {}},
            {Multiply, Proper, Improper, 1, wholeAnswer, {}},
            {Multiply, Mixed, Proper, 1, {Tag::Mixed}, {}},
            {Multiply, Proper, Mixed, 1, {Tag::Mixed}, {}},
            {Multiply, Mixed, Mixed, 1, {Tag::Mixed}, {}},
            {Multiply, Whole, Proper, 1, {Tag::WholeFactor}, {}},
            {Multiply, Proper, Whole, 1, {Tag::WholeFactor}, {}},
        };
    }
    case Unit::Divide6: {
        const TagSet cancel {Tag::Cancel};
        return {
            {Divide, Proper, Proper, 3, cancel, {}},
            {Divide, Proper, Proper, 2, {}, cancel},
            {Divide, Improper, Proper, 1, {}, {}},
            {Divide, Proper, Improper, 1, {}, {}},
            {Divide, Mixed, Proper, 1, {Tag::Mixed}, {}},
            {Divide, Proper, Mixed, 1, {Tag::Mixed}, {}},
            {Divide, Mixed, Mixed, 1, {Tag::Mixed}, {}},
            {Divide, Proper, Proper, 2, {Tag::WholeAnswer, Tag::Cancel}, {}, Relation::Divides},
            {Divide, Mixed, Proper, 1, {Tag::Mixed, Tag::WholeAnswer}, {}, Relation::Divides},
            {Divide, Whole, Proper, 1, {Tag::WholeDividend}, {}},
            {Divide, Whole, Improper, 1, {Tag::WholeDividend}, {}},
        };
    }
    case Unit::Signed7:
    case Unit::Three6:
    case Unit::Order6:
    case Unit::Mixed7:
    case Unit::Convert4:
    case Unit::Reduce5:
    case Unit::Common5:
    case Unit::Decimal5:
        break;
    }
    std::vector<Kind> kinds;
    const std::array<std::pair<bool, bool>, 3> signs {{{true, false}, {false, true}, {true, true}}};
    for (const Operation operation : {Add, Subtract, Multiply, Divide}) {
        for (const auto &[firstNegative, secondNegative] : signs) {
            const TagSet wanted {firstNegative && secondNegative ? Tag::Neg2 : Tag::Neg1};
            kinds.push_back({operation, Proper, Proper, 3, wanted, {}, Relation::Any, firstNegative,
                secondNegative});
            kinds.push_back({operation, Improper, Proper, 1, wanted, {}, Relation::Any,
                firstNegative, secondNegative});
            kinds.push_back({operation, Proper, Improper, 1, wanted, {}, Relation::Any,
                firstNegative, secondNegative});
        }
        // 0 with a negative number; 0 is never the divisor, and x + 0, x − 0
        // teach nothing beyond level 1.
        const TagSet zero {Tag::Zero, Tag::Neg1};
        kinds.push_back({operation, Zero, Proper, 1, zero, {}, Relation::Any, false, true});
        if (operation != Divide && (level == LowestLevel || !isSumOrDifference(operation))) {
            kinds.push_back({operation, Proper, Zero, 1, zero, {}, Relation::Any, true, false});
        }
    }
    return kinds;
}

// What at least so many problems of each ten show: tags, or an operation.
struct Quota {
    TagSet tags;
    std::optional<Operation> operation;
    int count;

    [[nodiscard]] bool heldBy(const PracticeProblem &made, Operation operationMade) const
    {
        return made.tags.hasAll(tags) && (!operation || *operation == operationMade);
    }
    [[nodiscard]] bool targets(const Kind &kind) const
    {
        return kind.wanted.hasAll(tags) && (!operation || *operation == kind.operation);
    }
};

std::vector<Quota> quotasOf(Unit unit)
{
    switch (unit) {
    case Unit::Like4:
        return {{{Tag::Carry}, {}, 2}, {{Tag::WholeAnswer}, {}, 1}};
    case Unit::Mixed5:
        return {{{Tag::WholeAnswer}, {}, 1}, {{Tag::Borrow, Tag::Reduce}, {}, 1}};
    case Unit::Times6:
        return {
            {{Tag::CancelBoth}, {}, 2}, {{Tag::WholeAnswer}, {}, 1}, {{Tag::WholeFactor}, {}, 1}};
    case Unit::Divide6:
        return {{{Tag::WholeDividend}, {}, 1}};
    case Unit::Signed7:
        return {{{}, Add, 2}, {{}, Subtract, 2}, {{}, Multiply, 2}, {{}, Divide, 2}};
    case Unit::Unlike5:
    case Unit::TimesWhole6:
    case Unit::Three6:
    case Unit::Order6:
    case Unit::Mixed7:
    case Unit::Convert4:
    case Unit::Reduce5:
    case Unit::Common5:
    case Unit::Decimal5:
        break;
    }
    return {};
}

// A problem of a set, as its block's caps read it.
struct Made {
    PracticeProblem problem;
    Operation operation;
    Terms terms;
};

// The pair of denominators of a problem of two fractions, as one pair
// whichever stands first.
std::pair<Int128, Int128> denominatorPair(const Terms &terms)
{
    const Int128 d1 = denominatorOf(terms.first);
    const Int128 d2 = denominatorOf(terms.second);
    return {std::min(d1, d2), std::max(d1, d2)};
}

// What at most so many problems of each ten show.
struct Caps {
    int wholeAndMixed = 0;  // a whole number ± a mixed number
    int ownDenominator = 0;  // × a whole number that is the other's denominator: 27/7 × 7
    int unitDivisors = 0;  // ÷ a unit fraction
    int equalDenominators = 0;  // 5-mixed: fraction parts over the same denominator
    int zeros = 0;  // 7-signed: a zero operand
    // The pairs of denominators of two fractions, each at most once; one
    // denominator shared by both (4-like's problems) at most twice, since
    // ten problems over nine usual denominators would otherwise need the
    // rare ones (11, 12) in every ten.
    std::map<std::pair<Int128, Int128>, int> pairs;

    [[nodiscard]] bool pairFull(const std::pair<Int128, Int128> &pair) const
    {
        const auto found = pairs.find(pair);
        return found != pairs.end() && found->second >= (pair.first == pair.second ? 2 : 1);
    }

    static Caps of(Unit unit, const Made &made)
    {
        Caps caps;
        const auto &[a, b] = made.terms;
        const Shape first = shapeOf(a);
        const Shape second = shapeOf(b);
        const bool sum = isSumOrDifference(made.operation);
        caps.wholeAndMixed = sum
                && ((first == Shape::Whole && second == Shape::Mixed)
                    || (first == Shape::Mixed && second == Shape::Whole))
            ? 1
            : 0;
        caps.ownDenominator = made.operation == Operation::Multiply
                && ((first == Shape::Whole && b.hasFraction && wholePart(a) == b.den)
                    || (second == Shape::Whole && a.hasFraction && wholePart(b) == a.den))
            ? 1
            : 0;
        caps.unitDivisors
            = made.operation == Operation::Divide && second == Shape::Proper && b.num == 1 ? 1 : 0;
        caps.equalDenominators
            = unit == Unit::Mixed5 && a.hasFraction && b.hasFraction && a.den == b.den ? 1 : 0;
        caps.zeros = first == Shape::Zero || second == Shape::Zero ? 1 : 0;
        if (a.hasFraction && b.hasFraction) {
            caps.pairs[denominatorPair(made.terms)] = 1;
        }
        return caps;
    }

    // Whether a block that holds these can take one more problem of `more`.
    [[nodiscard]] bool take(const Caps &more)
    {
        for (const auto &pair : more.pairs) {
            if (pairFull(pair.first)) {
                return false;
            }
        }
        if (wholeAndMixed + more.wholeAndMixed > 1 || ownDenominator + more.ownDenominator > 1
            || unitDivisors + more.unitDivisors > 2
            || equalDenominators + more.equalDenominators > 1 || zeros + more.zeros > 1) {
            return false;
        }
        wholeAndMixed += more.wholeAndMixed;
        ownDenominator += more.ownDenominator;
        unitDivisors += more.unitDivisors;
        equalDenominators += more.equalDenominators;
        zeros += more.zeros;
        for (const auto &[pair, count] : more.pairs) {
            pairs[pair] += count;
        }
        return true;
    }
};

// Picks choices in a random order, each more likely by its weight, and gives
// what attempt makes of the first it accepts, or nothing.
template <typename Choice, typename Attempt>
std::invoke_result_t<Attempt &, const Choice &> firstAcceptedByWeight(
    Random &random, std::vector<std::pair<Choice, int>> choices, Attempt &&attempt)
{
    while (!choices.empty()) {
        std::uint64_t total = 0;
        for (const auto &choice : choices) {
            total += static_cast<std::uint64_t>(choice.second);
        }
        if (total == 0) {
            break;
        }
        std::uint64_t draw = random.below(total);
        std::size_t pick = 0;
        while (draw >= static_cast<std::uint64_t>(choices[pick].second)) {
            draw -= static_cast<std::uint64_t>(choices[pick].second);
            ++pick;
        }
        if (auto made = attempt(choices[pick].first)) {
            return made;
        }
        choices.erase(choices.begin() + static_cast<std::ptrdiff_t>(pick));
    }
    return {};
}

class TextbookBuilder {
public:
    TextbookBuilder(Random &random, Unit unit, int level)
        : m_random(random)
        , m_unit(unit)
        , m_level(level)
        , m_limits(levelLimits(level))
    {
    }

    // A problem of the kind that the block can still take.
    std::optional<Made> build(const Kind &kind, const Caps &block)
    {
        const bool sum = isSumOrDifference(kind.operation);
        const bool wholeAndMixed = sum
            && ((kind.first == Whole && kind.second == Mixed)
                || (kind.first == Mixed && kind.second == Whole));
        if ((wholeAndMixed && block.wholeAndMixed > 0)
            || ((kind.first == Zero || kind.second == Zero) && block.zeros > 0)) {
            return std::nullopt;  // the block has had its one
        }
        return firstAcceptedByWeight(m_random, denominatorPairs(kind, block),
            [&](const std::pair<std::int64_t, std::int64_t> &denominators) -> std::optional<Made> {
                const std::vector<WrittenNumber> firsts
                    = operandChoices(kind, kind.first, denominators.first, kind.firstNegative);
                // The block's unit-fraction divisors may be used up.
                const std::vector<WrittenNumber> seconds
                    = operandChoices(kind, kind.second, denominators.second, kind.secondNegative,
                        kind.operation == Divide && block.unitDivisors >= 2);
                return firstPairAccepted(
                    firsts, seconds, [&](const WrittenNumber &a, const WrittenNumber &b) {
                        return fits(kind, a, b, block);
                    });
            });
    }

private:
    // Pairs of operands in a random order, each pair equally likely, and what
    // attempt makes of the first it accepts. After MostPairs refusals the
    // denominators are given up as a teacher would: over large mixed numbers
    // a pair of denominators offers thousands of pairs, and a kind that none
    // of them completes would otherwise be tried against every one.
    template <typename Attempt>
    std::optional<Made> firstPairAccepted(const std::vector<WrittenNumber> &firsts,
        const std::vector<WrittenNumber> &seconds, Attempt &&attempt)
    {
        static constexpr std::size_t MostPairs = 400;
        const std::size_t total = firsts.size() * seconds.size();
        m_pairOrder.resize(total);
        std::iota(m_pairOrder.begin(), m_pairOrder.end(), std::size_t {0});
        for (std::size_t tried = 0; tried < std::min(total, MostPairs); ++tried) {
            const std::size_t pick
                = tried + static_cast<std::size_t>(m_random.below(total - tried));
            std::swap(m_pairOrder[tried], m_pairOrder[pick]);
            const std::size_t index = m_pairOrder[tried];
            if (auto made
                = attempt(firsts[index / seconds.size()], seconds[index % seconds.size()])) {
                return made;
            }
        }
        return std::nullopt;
    }

    // The pairs of denominators (0 for a whole number or 0) that the kind,
    // the level and the block allow, each with its weight.
    [[nodiscard]] std::vector<std::pair<std::pair<std::int64_t, std::int64_t>, int>>
    denominatorPairs(const Kind &kind, const Caps &block) const
    {
        const auto denominators = [&](Shape shape) {
            std::vector<std::int64_t> list;
            if (shape == Zero || shape == Whole) {
                list.push_back(0);
            } else {
                for (std::int64_t d = 2; d <= m_limits.largestDenominator; ++d) {
                    if (denominatorWeight(m_unit, m_level, d) > 0) {
                        list.push_back(d);
                    }
                }
            }
            return list;
        };
        std::vector<std::pair<std::pair<std::int64_t, std::int64_t>, int>> pairs;
        for (const std::int64_t d1 : denominators(kind.first)) {
            for (const std::int64_t d2 : denominators(kind.second)) {
                const std::pair<Int128, Int128> pair {
                    std::min<Int128>(std::max<std::int64_t>(d1, 1), std::max<std::int64_t>(d2, 1)),
                    std::max<Int128>(std::max<std::int64_t>(d1, 1), std::max<std::int64_t>(d2, 1))};
                const bool equal = m_unit == Unit::Mixed5 && d1 == d2 && d1 > 0;
                if (!relationHolds(kind.relation, d1, d2)
                    || (d1 > 0 && d2 > 0 && block.pairFull(pair))
                    || (equal && block.equalDenominators > 0)) {
                    continue;
                }
                int weight = denominatorWeight(m_unit, m_level, d1)
                    * denominatorWeight(m_unit, m_level, d2);
                // Small common denominators, as a textbook's sums have them.
                if (isSumOrDifference(kind.operation) && d1 != d2 && d1 > 0 && d2 > 0
                    && std::lcm(d1, d2) <= 24) {
                    weight *= 2;
                }
                if (kind.relation == Relation::Same || d1 == 0 || d2 == 0) {
                    // One denominator drawn, not two.
                    weight = denominatorWeight(m_unit, m_level, std::max(d1, d2));
                }
                pairs.push_back({{d1, d2}, weight});
            }
        }
        return pairs;
    }

    // Every operand of the shape over the denominator within the level's
    // limits; in 4-like, fractions not in lowest terms too.
    [[nodiscard]] std::vector<WrittenNumber> operandChoices(const Kind &kind, Shape shape,
        std::int64_t den, bool negative, bool unitDivisorsDone = false) const
    {
        std::vector<WrittenNumber> terms;
        const bool anyNumerator = m_unit == Unit::Like4;
        const auto usable = [&](std::int64_t n) {
            return n % den != 0 && (anyNumerator || std::gcd(n, den) == 1);
        };
        const std::int64_t smallestWhole = isSumOrDifference(kind.operation) ? 1 : 2;
        const std::int64_t largestImproper
            = m_level < HighestLevel ? 2 * den + 1 : m_limits.improperBelow() * den - 1;
        switch (shape) {
        case Zero:
            terms.push_back(wholeNumber(0));
            break;
        case Whole:
            for (std::int64_t k = smallestWhole; k <= m_limits.largestDenominator; ++k) {
                terms.push_back(wholeNumber(k, negative));
            }
            break;
        case Proper:
            for (std::int64_t n = 1; n < den; ++n) {
                if (usable(n) && !(n == 1 && unitDivisorsDone)) {
                    terms.push_back(fractionNumber(n, den, negative));
                }
            }
            break;
        case Improper:
            for (std::int64_t n = den + 1; n <= largestImproper; ++n) {
                if (usable(n)) {
                    terms.push_back(fractionNumber(n, den, negative));
                }
            }
            break;
        case Mixed:
            for (std::int64_t whole = 1; whole <= m_limits.wholeParts(kind.operation); ++whole) {
                for (std::int64_t n = 1; n < den; ++n) {
                    if (usable(n)) {
                        terms.push_back(mixedNumber(negative, whole, n, den));
                    }
                }
            }
            break;
        }
        return terms;
    }

    [[nodiscard]] std::optional<Made> fits(
        const Kind &kind, const WrittenNumber &a, const WrittenNumber &b, const Caps &block) const
    {
        if (brokenRule(m_unit, m_limits, 2, kind.operation, a, b)) {
            return std::nullopt;
        }
        const TagSet tags = tagsOf(kind.operation, a, b);
        if (!tags.hasAll(kind.wanted) || tags.hasAny(kind.unwanted)) {
            return std::nullopt;
        }
        Made made {practiceProblem(kind.operation, {a, b}), kind.operation, {a, b}};
        Caps caps = block;
        if (!caps.take(Caps::of(m_unit, made))) {
            return std::nullopt;
        }
        return made;
    }

    Random &m_random;
    Unit m_unit;
    int m_level;
    const LevelLimits &m_limits;
    std::vector<std::size_t> m_pairOrder;  // kept to spare an allocation a draw
};

// The kind of the next problem: one that meets a quota where it must, or
// shows a promised tag the set still lacks, or any of the unit's.
const Kind *chooseFor(Random &random, const std::vector<Kind> &kinds, const Quota *quota,
    TagSet missing, const std::vector<const Kind *> &refused)
{
    std::vector<std::pair<const Kind *, int>> choices;
    const auto add = [&](auto &&keep) {
        for (const Kind &kind : kinds) {
            if (keep(kind) && std::find(refused.begin(), refused.end(), &kind) == refused.end()) {
                choices.emplace_back(&kind, kind.weight);
            }
        }
    };
    if (quota) {
        add([quota](const Kind &kind) { return quota->targets(kind); });
    } else {
        add([missing](const Kind &kind) { return kind.wanted.hasAny(missing); });
        if (choices.empty()) {
            add([](const Kind &) { return true; });
        }
    }
    return firstAcceptedByWeight(
        random, choices, [](const Kind *kind) -> std::optional<const Kind *> { return kind; })
        .value_or(nullptr);
}

// Far more than any set meets: a set of 50 draws from hundreds of problems.
constexpr int MostTries = 2000;

}  // namespace

PracticeSet textbookSet(const SetCode &code)
{
    Random random(textHash(setCodeText(code)));
    const std::vector<Kind> kinds = textbookKinds(code.unit, code.level);
    const std::vector<Quota> quotas = quotasOf(code.unit);
    TextbookBuilder builder(random, code.unit, code.level);
    // Level 3 gives no problem of the level-1 set again.
    std::set<std::string> seen
        = easiestExpressions(code, [](const SetCode &easiest) { return textbookSet(easiest); });
    TagSet missing = promisedTags(code.unit);
    PracticeSet set {code, {}};
    for (int start = 0; start < code.count; start += Block) {
        const int size = std::min(Block, code.count - start);
        // The quotas of a block of fewer than ten, in proportion.
        std::vector<const Quota *> plan;
        for (const Quota &quota : quotas) {
            for (int i = 0; i < quota.count * size / Block; ++i) {
                plan.push_back(&quota);
            }
        }
        Caps block;
        const std::size_t first = set.problems.size();
        for (int slot = 0; slot < size; ++slot) {
            const Quota *quota = static_cast<std::size_t>(slot) < plan.size()
                ? plan[static_cast<std::size_t>(slot)]
                : nullptr;
            std::vector<const Kind *> refused;
            std::optional<Made> made;
            for (int tries = 0; !made; ++tries) {
                const Kind *kind = chooseFor(random, kinds, quota, missing, refused);
                if (!kind || tries > MostTries) {
                    throw std::logic_error("practice: " + setCodeText(code)
                        + " has no problem left for a slot of its block");
                }
                made = builder.build(*kind, block);
                if (!made) {
                    refused.push_back(kind);  // no numbers complete it in this block
                } else if (!seen.insert(made->problem.expression).second
                    || (quota && !quota->heldBy(made->problem, made->operation))) {
                    made.reset();
                }
            }
            if (const std::optional<std::string> broken
                = brokenRule(code.unit, code.level, made->problem.problem, 2)) {
                throw std::logic_error(
                    "practice: " + made->problem.expression + " breaks a rule: " + *broken);
            }
            if (!block.take(Caps::of(code.unit, *made))) {
                throw std::logic_error("practice: a problem over the caps of its block");
            }
            missing = missing.without(made->problem.tags);
            set.problems.push_back(std::move(made->problem));
        }
        // Fisher–Yates within the block, so that the problems chosen for the
        // quotas do not all stand first and every ten keeps its caps.
        for (std::size_t left = set.problems.size() - first; left > 1; --left) {
            std::swap(set.problems[first + static_cast<std::size_t>(random.below(left))],
                set.problems[first + left - 1]);
        }
    }
    return set;
}

}  // namespace tobarin::practice::making
