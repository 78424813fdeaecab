// The sets of 6-three, 6-order and 7-mixed. A problem is made as a teacher
// writes one: first its shape (which operations, where the parentheses and
// powers stand, which number is a decimal, a whole or a mixed number), then
// the numbers, each drawn for its place; the problem is then read as the
// command line reads it and kept only when it keeps every rule of the unit
// and level and shows the tags its shape is for. While a set lacks a tag its
// unit promises, the next shape is one that shows it.

#include "engine/number/runtime_error.h"
#include "engine/practice/making.h"
#include "engine/practice/rules.h"
#include "engine/practice/several_terms.h"
#include "engine/practice/shape.h"
#include "engine/problem/evaluate.h"
#include "engine/solve.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <set>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace tobarin::practice {

namespace {

using wide::Int128;
using Kind = Expression::Kind;

bool anyNode(const Expression &expression, const auto &test)
{
    return test(expression)
        || std::any_of(expression.operands.begin(), expression.operands.end(),
            [&test](const Expression &operand) { return anyNode(operand, test); });
}

// Calls visit on each number of the expression, with whether it stands as a
// factor of a × ÷ group.
void eachNumber(const Expression &expression, bool factor, const auto &visit)
{
    if (expression.kind == Kind::Number) {
        visit(expression.number, factor);
        return;
    }
    for (const Expression &operand : expression.operands) {
        eachNumber(operand, expression.kind == Kind::Product, visit);
    }
}

std::optional<Fraction> valueOrNothing(const Expression &expression)
{
    try {
        return exactValue(expression);
    } catch (const RuntimeError &) {
        return std::nullopt;
    }
}

Int128 magnitude(Int128 value)
{
    return value < 0 ? -value : value;
}

// + or − beside × or ÷ outside parentheses: a sum with a product among its terms.
bool mixesOrder(const Expression &e)
{
    return anyNode(e, [](const Expression &x) {
        return x.kind == Kind::Sum
            && std::any_of(x.operands.begin(), x.operands.end(),
                [](const Expression &t) { return t.kind == Kind::Product; });
    });
}

bool isWholeNumber(const WrittenNumber &x)
{
    return !x.isDecimal() && !x.hasFraction;
}

using Broken = std::optional<std::string>;

// The rules of one number, wherever it stands.
Broken brokenByNumber(Unit unit, const LevelLimits &limits, const WrittenNumber &x, bool factor)
{
    if (x.negative && unit != Unit::Mixed7) {
        return "only 7-mixed has negative numbers";
    }
    if (x.isDecimal()) {
        if (unit == Unit::Mixed7) {
            return "7-mixed has no decimal";
        }
        if (x.unending || x.decimals.size() > 2 || x.decimals.back() == '0'
            || x.whole > limits.wholeParts(factor ? Operation::Multiply : Operation::Add)) {
            return "a decimal has more than two places, a trailing 0 or too large a whole part";
        }
        return std::nullopt;
    }
    if (!isPracticeNumber(x)) {
        return "a number is not written as a practice problem writes it";
    }
    if (isWholeNumber(x)) {
        if (x.whole == 0 && unit != Unit::Mixed7) {
            return "only 7-mixed has 0";
        }
        if (x.whole > limits.largestDenominator) {
            return "a whole number is larger than the level's largest denominator";
        }
        if (factor && x.whole == 1) {
            return "a whole-number factor or divisor is 1";
        }
        return std::nullopt;
    }
    if (x.den == 1 || x.den > limits.largestDenominator) {
        return "a denominator is 1 or larger than the level allows";
    }
    if (unit == Unit::Mixed7 && limits.level < HighestLevel && x.den > 10) {
        return "a denominator is larger than 10 below level 3";
    }
    if (x.num == 0 || wide::gcd(x.num, x.den) != 1 || x.num % x.den == 0) {
        return "a number is not in lowest terms";
    }
    if (x.isMixed()) {
        if (unit == Unit::Mixed7) {
            return "7-mixed has no mixed number";
        }
        if (x.num >= x.den
            || x.whole > limits.wholeParts(factor ? Operation::Multiply : Operation::Add)) {
            return "a mixed number's parts are beyond the level";
        }
        return std::nullopt;
    }
    if (x.num >= limits.improperBelow() * x.den
        || (limits.level < HighestLevel && x.num > 2 * x.den + 1)) {
        return "an improper fraction is larger than the level allows";
    }
    return std::nullopt;
}

// The level's limits in each × ÷ group, each sum and each power, and the
// same number across − or ÷.
Broken brokenByParts(Unit unit, const LevelLimits &limits, const Expression &e)
{
    for (const Expression &operand : e.operands) {
        if (Broken broken = brokenByParts(unit, limits, operand)) {
            return broken;
        }
    }
    if (e.kind == Kind::Power) {
        const std::optional<Fraction> base = valueOrNothing(e.operands[0]);
        const Int128 most = e.exponent == 2 ? 5 : 3;
        if (!base || (e.exponent != 2 && e.exponent != 3) || magnitude(base->num) > most
            || base->den > most) {
            return "a power is not of 2 or 3, or its base is too large";
        }
        return std::nullopt;
    }
    if (e.kind == Kind::Parentheses) {
        const std::optional<Fraction> inside = valueOrNothing(e.operands[0]);
        if (inside && inside->num == 0) {
            return "a parenthesis is worth 0";
        }
        return std::nullopt;
    }
    if (e.kind != Kind::Sum && e.kind != Kind::Product) {
        return std::nullopt;
    }
    if (e.kind == Kind::Product && unit != Unit::Mixed7
        && std::all_of(e.operands.begin(), e.operands.end(), [](const Expression &x) {
               return x.isNumber() && !x.number.hasFraction && !x.number.isDecimal();
           })) {
        return "a × ÷ group of whole numbers only";
    }
    std::vector<Fraction> values;
    for (const Expression &operand : e.operands) {
        const std::optional<Fraction> value = valueOrNothing(operand);
        if (!value) {
            return "it divides by 0";
        }
        values.push_back(*value);
    }
    for (std::size_t i = 0; i < e.operations.size(); ++i) {
        const Operation operation = e.operations[i];
        if ((operation == Operation::Subtract || operation == Operation::Divide)
            && e.operands[i].isNumber() && e.operands[i + 1].isNumber()
            && values[i] == values[i + 1]) {
            return "− or ÷ has the same value twice";
        }
    }
    if (e.kind == Kind::Sum) {
        Int128 common = 1;
        Fraction total = values.front();
        for (std::size_t i = 0; i < values.size(); ++i) {
            common = wide::lcm(common, values[i].den);
            if (i > 0) {
                total
                    = e.operations[i - 1] == Operation::Add ? total + values[i] : total - values[i];
            }
            if (unit == Unit::Order6 && total.num < 0) {
                return "a total from the left is below 0";
            }
        }
        if (common > limits.commonDenominator) {
            return "the common denominator is larger than the level allows";
        }
        return std::nullopt;
    }
    Int128 numerators = 1;
    Int128 denominators = 1;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const bool divisor = i > 0 && e.operations[i - 1] == Operation::Divide;
        numerators *= divisor ? values[i].den : magnitude(values[i].num);
        denominators *= divisor ? magnitude(values[i].num) : values[i].den;
        if (numerators > limits.products || denominators > limits.products) {
            return "a product before cancelling is larger than the level allows";
        }
    }
    return std::nullopt;
}

// What the unit allows of the problem's shape and its answer.
Broken brokenByUnit(Unit unit, int level, const Expression &e)
{
    const std::size_t numbers = numberCount(e);
    const bool fewest = unit == Unit::Three6 || level == LowestLevel;
    if (numbers < (level == HighestLevel && !fewest ? 4U : 3U) || numbers > (fewest ? 3U : 4U)) {
        return "the number of numbers is not the unit's at the level";
    }
    const bool power = anyNode(e, [](const Expression &x) { return x.kind == Kind::Power; });
    const bool sign = anyNode(e, [](const Expression &x) { return x.kind == Kind::Signed; });
    if (unit != Unit::Mixed7 && (power || sign)) {
        return "only 7-mixed has powers and signs";
    }
    const std::optional<Fraction> answer = valueOrNothing(e);
    if (!answer) {
        return "it divides by 0";
    }
    switch (unit) {
    case Unit::Three6: {
        int fractions = 0;
        eachNumber(e, false,
            [&fractions](const WrittenNumber &x, bool) { fractions += x.hasFraction ? 1 : 0; });
        if (e.kind != Kind::Product || fractions < 2) {
            return "6-three is one × ÷ group of three numbers, two with a fraction";
        }
        if (answer->num <= 0) {
            return "the answer is not above 0";
        }
        return std::nullopt;
    }
    case Unit::Order6: {
        bool mixed = false;
        eachNumber(e, false, [&mixed](const WrittenNumber &x, bool) { mixed |= x.isMixed(); });
        const bool paren
            = anyNode(e, [](const Expression &x) { return x.kind == Kind::Parentheses; });
        if (mixed || (!paren && !mixesOrder(e))) {
            return "6-order has fractions and whole numbers, + − beside × ÷ or parentheses";
        }
        if (answer->num < 0) {
            return "the answer is below 0";
        }
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

// A shape of problem: its text with a letter for each number, "a + b × c",
// and what each number is to be.
enum class Pick {
    Fraction,  // proper, sometimes improper
    Mixed,
    Whole,
    Decimal,  // one or two places
    FractionOrWhole,  // 6-order: mostly a fraction
    Signed,  // 7-mixed: a fraction or an integer, either sign
    Base2,  // an integer of either sign to be squared
    Base3,  // to be cubed
    PositiveBase,  // after a minus sign: -a²
    FractionBase,  // a small proper fraction of either sign to be squared
};

struct Pattern {
    std::string_view text;
    std::array<Pick, 4> picks;
    int weight;
    TagSet wanted;

    [[nodiscard]] std::size_t numbers() const
    {
        return static_cast<std::size_t>(
            std::count_if(text.begin(), text.end(), [](char c) { return c >= 'a' && c <= 'd'; }));
    }
};

constexpr std::array<std::string_view, 4> ThreeFactors {
    "a × b × c", "a × b ÷ c", "a ÷ b × c", "a ÷ b ÷ c"};

std::vector<Pattern> three6Patterns()
{
    std::vector<Pattern> patterns;
    constexpr std::array<std::pair<Pick, Tag>, 4> odd {{{Pick::Decimal, Tag::Decimal},
        {Pick::Whole, Tag::Whole}, {Pick::Mixed, Tag::Mixed}, {Pick::Fraction, Tag::Cancel}}};
    for (const std::string_view text : ThreeFactors) {
        const bool divide = text.find("÷") != std::string_view::npos;
        for (std::size_t at = 0; at < 3; ++at) {
            for (const auto &[pick, tag] : odd) {
                Pattern pattern {text, {Pick::Fraction, Pick::Fraction, Pick::Fraction}, 2, {tag}};
                pattern.picks.at(at) = pick;
                if (divide) {
                    pattern.wanted.add(Tag::Divide);
                }
                patterns.push_back(pattern);
            }
        }
    }
    return patterns;
}

std::vector<Pattern> order6Patterns()
{
    constexpr std::array<std::string_view, 12> plain {"a + b × c", "a - b × c", "a + b ÷ c",
        "a - b ÷ c", "a × b + c", "a × b - c", "a ÷ b + c", "a ÷ b - c", "a + b × c - d",
        "a × b + c × d", "a × b - c ÷ d", "a - b ÷ c + d"};
    constexpr std::array<std::string_view, 12> parenthesised {"(a + b) × c", "(a - b) × c",
        "(a + b) ÷ c", "(a - b) ÷ c", "a × (b + c)", "a × (b - c)", "a ÷ (b + c)", "a ÷ (b - c)",
        "(a + b) × c - d", "a × (b - c) + d", "(a + b) × (c - d)", "a ÷ (b + c) × d"};
    std::vector<Pattern> patterns;
    const auto add = [&patterns](std::string_view text, Tag tag) {
        const Pick any = Pick::FractionOrWhole;
        patterns.push_back({text, {any, any, any, any}, 4, {tag}});
        // The same with a decimal in one place.
        for (std::size_t at = 0; at < Pattern {text, {}, 0, {}}.numbers(); ++at) {
            Pattern decimal {text, {any, any, any, any}, 1, {tag, Tag::Decimal}};
            decimal.picks.at(at) = Pick::Decimal;
            patterns.push_back(decimal);
        }
    };
    for (const std::string_view text : plain) {
        add(text, Tag::TimesFirst);
    }
    for (const std::string_view text : parenthesised) {
        add(text, Tag::Paren);
    }
    return patterns;
}

std::vector<Pattern> mixed7Patterns()
{
    const Pick s = Pick::Signed;
    const TagSet order {Tag::Order, Tag::Neg};
    const TagSet paren {Tag::Paren, Tag::Neg};
    const TagSet power {Tag::Power};
    return {
        {"a + b × c", {s, s, s}, 3, order},
        {"a - b ÷ c", {s, s, s}, 3, order},
        {"a × b - c", {s, s, s}, 3, order},
        {"a × b × c", {s, s, s}, 1, {Tag::Neg}},
        {"a - b + c", {s, s, s}, 1, {Tag::Neg}},
        {"(a + b) × c", {s, s, s}, 3, paren},
        {"a ÷ (b - c)", {s, s, s}, 2, paren},
        {"a² × b + c", {Pick::Base2, s, s}, 2, power},
        {"-a² + b × c", {Pick::PositiveBase, s, s}, 2, {Tag::Power, Tag::Neg, Tag::Order}},
        {"a³ ÷ b - c", {Pick::Base3, s, s}, 2, power},
        {"a × b² - c", {s, Pick::FractionBase, s}, 2, power},
        {"a × (b + c)²", {s, s, s}, 1, {Tag::Paren, Tag::Power}},
        {"a + b × c - d", {s, s, s, s}, 3, order},
        {"a × b + c ÷ d", {s, s, s, s}, 3, order},
        {"(a - b) × c + d", {s, s, s, s}, 3, paren},
        {"a ÷ (b + c) × d", {s, s, s, s}, 2, paren},
        {"a² - b × (c + d)", {Pick::Base2, s, s, s}, 2, {Tag::Power, Tag::Paren}},
        {"-a² × b + c ÷ d", {Pick::PositiveBase, s, s, s}, 2, {Tag::Power, Tag::Neg}},
        {"a³ + b × c - d", {Pick::Base3, s, s, s}, 2, power},
        {"a × b² + c - d", {s, Pick::FractionBase, s, s}, 1, power},
    };
}

const std::vector<Pattern> &patternsOf(Unit unit)
{
    static const std::vector<Pattern> three = three6Patterns();
    static const std::vector<Pattern> order = order6Patterns();
    static const std::vector<Pattern> mixed = mixed7Patterns();
    return unit == Unit::Three6 ? three : unit == Unit::Order6 ? order : mixed;
}

// How often a denominator is drawn: the textbook's common ones often, 11
// and 12 seldom, and in 7-mixed none above 10 below level 3.
int denominatorWeight(Unit unit, int level, std::int64_t den)
{
    if (den > 12) {
        return 2;
    }
    static constexpr std::array<int, 11> Sixth {6, 8, 8, 8, 6, 6, 6, 6, 5, 2, 4};
    static constexpr std::array<int, 11> Seventh {8, 8, 8, 8, 6, 4, 5, 4, 4, 0, 0};
    const auto index = static_cast<std::size_t>(den - 2);
    if (unit == Unit::Mixed7) {
        return level < HighestLevel ? Seventh.at(index) : std::max(Seventh.at(index), 3);
    }
    return Sixth.at(index);
}

class Filler {
public:
    Filler(Random &random, Unit unit, int level)
        : m_random(random)
        , m_unit(unit)
        , m_level(level)
        , m_limits(levelLimits(level))
    {
    }

    // The pattern's text with a number for each letter.
    std::string fill(const Pattern &pattern)
    {
        std::string text;
        for (const char c : pattern.text) {
            if (c >= 'a' && c <= 'd') {
                text += number(pattern.picks.at(static_cast<std::size_t>(c - 'a')));
            } else {
                text += c;
            }
        }
        return text;
    }

private:
    std::int64_t between(std::int64_t low, std::int64_t high)
    {
        return low
            + static_cast<std::int64_t>(m_random.below(static_cast<std::uint64_t>(high - low + 1)));
    }

    bool oneIn(std::uint64_t n) { return m_random.below(n) == 0; }

    std::int64_t denominator()
    {
        std::int64_t total = 0;
        for (std::int64_t d = 2; d <= m_limits.largestDenominator; ++d) {
            total += denominatorWeight(m_unit, m_level, d);
        }
        auto draw = static_cast<std::int64_t>(m_random.below(static_cast<std::uint64_t>(total)));
        for (std::int64_t d = 2;; ++d) {
            draw -= denominatorWeight(m_unit, m_level, d);
            if (draw < 0) {
                return d;
            }
        }
    }

    // A numerator prime to den from low to high, or 0 when there is none.
    std::int64_t numerator(std::int64_t low, std::int64_t high, std::int64_t den)
    {
        std::vector<std::int64_t> choices;
        for (std::int64_t n = low; n <= high; ++n) {
            if (std::gcd(n, den) == 1 && n % den != 0) {
                choices.push_back(n);
            }
        }
        return choices.empty()
            ? 0
            : choices.at(static_cast<std::size_t>(m_random.below(choices.size())));
    }

    std::string fraction(bool improper)
    {
        const std::int64_t den = denominator();
        const std::int64_t n
            = improper ? numerator(den + 1, 2 * den + 1, den) : numerator(1, den - 1, den);
        return std::to_string(n) + "/" + std::to_string(den);
    }

    // Minus or plus, drawn after the magnitude, in parentheses when negative
    // so that it reads as one signed number wherever it stands.
    std::string signedText(const std::string &magnitude)
    {
        return oneIn(2) ? "(-" + magnitude + ")" : magnitude;
    }

    // Every draw is a statement of its own, or the condition of a ?:, so that
    // the draws come in one order whatever order a compiler evaluates the
    // arguments of a call in: the same set natively and in WebAssembly.
    std::string number(Pick pick)
    {
        switch (pick) {
        case Pick::Fraction:
            return fraction(oneIn(5));
        case Pick::Mixed: {
            const std::int64_t den = denominator();
            const std::int64_t whole = between(1, m_limits.wholePartsMultiplyDivide);
            const std::int64_t num = numerator(1, den - 1, den);
            return std::to_string(whole) + " " + std::to_string(num) + "/" + std::to_string(den);
        }
        case Pick::Whole:
            return std::to_string(between(2, m_limits.largestDenominator));
        case Pick::Decimal: {
            // One place, or two ending in 5 (0.25, 1.75), which a textbook's
            // decimals among fractions mostly are.
            const std::int64_t hundredths
                = oneIn(3) ? 5 * (2 * between(0, 29) + 1) : 10 * between(1, 29);
            std::string digits = std::to_string(hundredths % 100 + 100).substr(1);
            if (digits.back() == '0') {
                digits.pop_back();
            }
            return std::to_string(hundredths / 100) + "." + digits;
        }
        case Pick::FractionOrWhole:
            return oneIn(4) ? std::to_string(between(1, m_limits.largestDenominator))
                            : fraction(oneIn(6));
        case Pick::Signed: {
            const std::string magnitude = oneIn(3)
                ? std::to_string(between(1, m_limits.largestDenominator))
                : fraction(oneIn(5));
            return signedText(magnitude);
        }
        case Pick::Base2:
            return signedText(std::to_string(between(2, 5)));
        case Pick::Base3:
            return signedText(std::to_string(between(2, 3)));
        case Pick::PositiveBase:
            return std::to_string(between(2, 4));
        case Pick::FractionBase: {
            const std::int64_t den = between(2, 5);
            const std::int64_t num = numerator(1, den - 1, den);
            return signedText(std::to_string(num) + "/" + std::to_string(den));
        }
        }
        return "1";
    }

    Random &m_random;
    Unit m_unit;
    int m_level;
    const LevelLimits &m_limits;
};

// Numbers drawn for one shape before another is tried: most shapes are met
// within a few dozen draws.
constexpr int DrawsAShape = 300;
constexpr int MostShapes = 2000;

// A problem of the shape that keeps the rules and shows its tags.
std::optional<PracticeProblem> madeOf(Filler &filler, const Pattern &pattern, Unit unit, int level)
{
    for (int draw = 0; draw < DrawsAShape; ++draw) {
        Parsed<Problem> read = readProblem(filler.fill(pattern));
        if (!read.value || severalTermBrokenRule(unit, level, *read.value)) {
            continue;
        }
        PracticeProblem made {*read.value, problemText(*read.value), severalTermTags(*read.value)};
        if (made.tags.hasAll(pattern.wanted)) {
            return made;
        }
    }
    return std::nullopt;
}

}  // namespace

bool isSeveralTermUnit(Unit unit)
{
    return unit == Unit::Three6 || unit == Unit::Order6 || unit == Unit::Mixed7;
}

TagSet severalTermTags(const Problem &problem)
{
    const Expression &e = problem.expression;
    TagSet tags;
    eachNumber(e, false, [&tags](const WrittenNumber &x, bool) {
        if (x.isDecimal()) {
            tags.add(Tag::Decimal);
        } else if (x.isMixed()) {
            tags.add(Tag::Mixed);
        } else if (!x.hasFraction && x.whole != 0) {
            tags.add(Tag::Whole);
        }
        if (x.negative) {
            tags.add(Tag::Neg);
        }
    });
    const auto has = [&e](const auto &test) { return anyNode(e, test); };
    if (has([](const Expression &x) {
            return x.kind == Kind::Product
                && std::find(x.operations.begin(), x.operations.end(), Operation::Divide)
                != x.operations.end();
        })) {
        tags.add(Tag::Divide);
    }
    if (mixesOrder(e)) {
        tags.add(Tag::Order);
    }
    if (has([](const Expression &x) { return x.kind == Kind::Parentheses; })) {
        tags.add(Tag::Paren);
    }
    if (has([](const Expression &x) { return x.kind == Kind::Power; })) {
        tags.add(Tag::Power);
    }
    if (has([](const Expression &x) { return x.kind == Kind::Signed && x.sign == Sign::Minus; })) {
        tags.add(Tag::Neg);
    }
    try {
        const Fraction value = exactValue(e);
        if (value.num == 0) {
            tags.add(Tag::Zero);
        }
        if (exactValue(e, {.leftToRight = true}) != value) {
            tags.add(Tag::TimesFirst);
        }
    } catch (const RuntimeError &) {
        return tags;  // no value: nothing to say of it, nor of its working
    }
    const Working working = solve(problem, AnswerForm::Improper).working;
    if (std::any_of(working.steps.begin(), working.steps.end(),
            [](const Step &step) { return step.note == Note::CancelAcross; })) {
        tags.add(Tag::Cancel);
    }
    return tags;
}

std::optional<std::string> severalTermBrokenRule(Unit unit, int level, const Problem &problem)
{
    if (!isSeveralTermUnit(unit)) {
        return "the unit is not of several terms";
    }
    const LevelLimits &limits = levelLimits(level);
    const Expression &e = problem.expression;
    Broken broken;
    eachNumber(e, false, [&](const WrittenNumber &x, bool factor) {
        if (!broken) {
            broken = brokenByNumber(unit, limits, x, factor);
        }
    });
    if (broken) {
        return broken;
    }
    if (Broken parts = brokenByParts(unit, limits, e)) {
        return parts;
    }
    return brokenByUnit(unit, level, e);
}

namespace making {

PracticeSet severalTermSet(const SetCode &code)
{
    Random random(textHash(setCodeText(code)));
    Filler filler(random, code.unit, code.level);
    std::vector<const Pattern *> fitting;
    for (const Pattern &pattern : patternsOf(code.unit)) {
        const std::size_t numbers = pattern.numbers();
        const bool three = code.unit == Unit::Three6 || code.level == LowestLevel;
        if (three ? numbers == 3 : (code.level == HighestLevel ? numbers == 4 : true)) {
            fitting.push_back(&pattern);
        }
    }
    // Level 3 gives no problem of the level-1 set again.
    std::set<std::string> seen
        = easiestExpressions(code, [](const SetCode &easiest) { return severalTermSet(easiest); });
    TagSet missing = promisedTags(code.unit);
    PracticeSet set {code, {}};
    int shapes = 0;
    while (set.problems.size() < static_cast<std::size_t>(code.count)) {
        if (++shapes > MostShapes) {
            throw std::logic_error("practice: " + setCodeText(code) + " finds no problem");
        }
        // A shape that shows a missing tag, while one does.
        std::vector<std::pair<const Pattern *, int>> choices;
        for (const Pattern *pattern : fitting) {
            if (pattern->wanted.hasAny(missing)) {
                choices.emplace_back(pattern, pattern->weight);
            }
        }
        if (choices.empty()) {
            for (const Pattern *pattern : fitting) {
                choices.emplace_back(pattern, pattern->weight);
            }
        }
        int total = 0;
        for (const auto &choice : choices) {
            total += choice.second;
        }
        auto draw = static_cast<int>(random.below(static_cast<std::uint64_t>(total)));
        const Pattern *pattern = choices.back().first;
        for (const auto &[candidate, weight] : choices) {
            if (draw < weight) {
                pattern = candidate;
                break;
            }
            draw -= weight;
        }
        std::optional<PracticeProblem> made = madeOf(filler, *pattern, code.unit, code.level);
        if (!made || !seen.insert(made->expression).second) {
            continue;
        }
        missing = missing.without(made->tags);
        set.problems.push_back(std::move(*made));
    }
    shuffle(set.problems, random);
    return set;
}

}  // namespace making

}  // namespace tobarin::practice
