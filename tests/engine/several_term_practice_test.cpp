// Practice sets of several terms (6-three, 6-order, 7-mixed). Over many codes
// of each unit and level every problem is held to its unit's rules and its
// tags, each worked out here again from the problem line as printed: the
// numbers as the text writes them, the value exactly and from the left, the
// working; sets of 10 hold every promised tag, repeat no problem, and one
// code gives one set. The sets of the other units are pinned as they were.

#include "engine/practice/conversion_sets.h"
#include "engine/practice/generator.h"
#include "engine/practice/random.h"
#include "engine/practice/set_code.h"
#include "engine/practice/several_terms.h"
#include "engine/practice/units.h"
#include "engine/problem/evaluate.h"
#include "engine/solve.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <regex>
#include <set>

namespace tobarin::practice {
namespace {

// The tags of a problem line, from its text: its numbers as written, its
// operations and brackets, its value exactly and from the left, its working.
TagSet tagsFromText(const std::string &line, const Problem &problem)
{
    TagSet tags;
    static const std::regex Number(R"((^|[ (])(-?)(\d+)(\.\d+)?( \d+/\d+|/\d+)?)");
    for (auto it = std::sregex_iterator(line.begin(), line.end(), Number);
         it != std::sregex_iterator(); ++it) {
        const std::smatch &m = *it;
        if (m[4].matched)
            tags.add(Tag::Decimal);
        else if (m[5].matched && m[5].str().front() == ' ')
            tags.add(Tag::Mixed);
        else if (!m[5].matched && m[3].str() != "0")
            tags.add(Tag::Whole);
        if (m[2].length() > 0)
            tags.add(Tag::Neg);
    }
    if (line.find("÷") != std::string::npos)
        tags.add(Tag::Divide);
    // A "(" that opens a calculation, not a signed number: "(1/2 + 1/3)".
    if (std::regex_search(line, std::regex(R"(\([^()]* [-+×÷] )")))
        tags.add(Tag::Paren);
    if (line.find("²") != std::string::npos || line.find("³") != std::string::npos)
        tags.add(Tag::Power);
    const Fraction value = exactValue(problem.expression);
    if (value.num == 0)
        tags.add(Tag::Zero);
    if (exactValue(problem.expression, {.leftToRight = true}) != value)
        tags.add(Tag::TimesFirst);
    // + − beside × ÷ inside one pair of parentheses or outside all: each
    // signed number, then each innermost parenthesis, looked at and made "N".
    std::string rest = std::regex_replace(line, std::regex(R"(\(-[^ ()]+\))"), "N");
    const auto mixes = [](const std::string &part) {
        return (part.find(" + ") != std::string::npos || part.find(" - ") != std::string::npos)
            && (part.find("×") != std::string::npos || part.find("÷") != std::string::npos);
    };
    for (std::smatch inner; std::regex_search(rest, inner, std::regex(R"(\([^()]*\))"));
         rest = inner.prefix().str() + "N" + inner.suffix().str())
        if (mixes(inner.str()))
            tags.add(Tag::Order);
    if (mixes(rest))
        tags.add(Tag::Order);
    const Working working = solve(problem, AnswerForm::Improper).working;
    for (const Step &step : working.steps)
        if (step.note == Note::CancelAcross)
            tags.add(Tag::Cancel);
    return tags;
}

// What the problem breaks of the rules that show in its text, or "".
std::string brokenHere(Unit unit, int level, const std::string &line, const Problem &problem)
{
    const TagSet tags = tagsFromText(line, problem);
    const std::size_t numbers = numberCount(problem.expression);
    const std::size_t fewest = level == HighestLevel && unit != Unit::Three6 ? 4 : 3;
    const std::size_t most = level == LowestLevel || unit == Unit::Three6 ? 3 : 4;
    if (numbers < fewest || numbers > most)
        return "count";
    std::smatch den;
    for (std::string rest = line; std::regex_search(rest, den, std::regex(R"(/(\d+))"));
         rest = den.suffix())
        if (std::stoi(den[1]) > (level == HighestLevel ? 20 : unit == Unit::Mixed7 ? 10 : 12))
            return "denominator";
    const Fraction value = exactValue(problem.expression);
    switch (unit) {
    case Unit::Three6:
        if (line.find_first_of("+-(") != std::string::npos || value.num <= 0)
            return "6-three";
        break;
    case Unit::Order6:
        if (tags.hasAny({Tag::Neg, Tag::Mixed, Tag::Power}) || value.num < 0
            || !tags.hasAny({Tag::Order, Tag::Paren}))
            return "6-order";
        break;
    default:
        if (tags.hasAny({Tag::Mixed, Tag::Decimal}))
            return "7-mixed";
    }
    return "";
}

class SeveralTermSets : public ::testing::TestWithParam<std::tuple<Unit, int>> { };

#if defined(__EMSCRIPTEN__) || defined(__SANITIZE_ADDRESS__)
constexpr std::uint64_t Seeds = 50;
#else
constexpr std::uint64_t Seeds = 200;
#endif

TEST_P(SeveralTermSets, KeepEveryRuleAndTellTrueTags)
{
    const auto [unit, level] = GetParam();
    for (std::uint64_t seed = 0; seed < Seeds && !HasFailure(); ++seed) {
        const SetCode code {unit, level, seed % 5 == 0 ? 25 : DefaultCount, seed * 7919};
        const PracticeSet set = practiceSet(code);
        ASSERT_EQ(set.problems.size(), static_cast<std::size_t>(code.count));
        TagSet seen;
        std::set<std::string> lines;
        for (const PracticeProblem &made : set.problems) {
            SCOPED_TRACE(setCodeText(code) + "  " + made.expression);
            const Parsed<Problem> read = readProblem(made.expression);
            ASSERT_TRUE(read.value) << read.error;
            ASSERT_EQ(*read.value, made.problem);
            EXPECT_EQ(brokenHere(unit, level, made.expression, made.problem), "");
            EXPECT_FALSE(severalTermBrokenRule(unit, level, made.problem));
            EXPECT_EQ(tagsText(made.tags), tagsText(tagsFromText(made.expression, made.problem)));
            const Solution solution = solve(made.problem, unitInfo(unit).answerForm);
            ASSERT_TRUE(solution.answer) << solution.working.report;
            EXPECT_EQ(valueOf(*solution.answer), exactValue(made.problem.expression));
            for (const Tag tag : made.tags.list())
                seen.add(tag);
            lines.insert(made.expression);
        }
        EXPECT_EQ(lines.size(), set.problems.size()) << "a problem repeats";
        EXPECT_TRUE(seen.hasAll(promisedTags(unit)))
            << setCodeText(code) << " lacks " << tagsText(promisedTags(unit).without(seen));
        EXPECT_EQ(practiceSet(code), set) << "one code, two sets";
        if (level == HighestLevel) {
            for (const PracticeProblem &easy :
                practiceSet({unit, LowestLevel, code.count, code.seed}).problems)
                EXPECT_EQ(lines.count(easy.expression), 0U) << "level 3 repeats level 1";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Units, SeveralTermSets,
    ::testing::Combine(
        ::testing::Values(Unit::Three6, Unit::Order6, Unit::Mixed7), ::testing::Values(1, 2, 3)),
    [](const auto &row) {
        std::string name = std::string(unitInfo(std::get<0>(row.param)).id);
        std::replace(name.begin(), name.end(), '-', '_');
        return name + "_level_" + std::to_string(std::get<1>(row.param));
    });

// Chosen problems against the rules: each breaks the one named.
TEST(SeveralTermRules, SayWhatAProblemBreaks)
{
    const std::pair<const char *, const char *> Cases[] = {
        {"6-three 2/3 × 3/4 + 1/2", "6-three is one × ÷ group"},
        {"6-three 2/3 × 3 × 4", "6-three is one × ÷ group"},
        {"6-three 2/3 × 0.125 ÷ 1/2", "more than two places"},
        {"6-order 1/2 - 3/4 × 1", "factor or divisor is 1"},
        {"6-order 1/3 - 1/2 + 1/2", "below 0"},
        {"6-order (-1/2) + 1/3 × 2", "negative"},
        {"7-mixed 1 1/2 + 1/3 × 2", "no mixed number"},
        {"7-mixed 1/2 ÷ 0 + 1/3", "divides by 0"},
        {"7-mixed 2/3 ÷ (1/2 - 1/3 - 1/6)", "worth 0"},
        {"7-mixed 6² × 1/2 - 1/3", "base is too large"},
        {"7-mixed 1/11 × 2 - 1/2", "larger than 10 below level 3"},
        {"7-mixed 1/2 - 1/2 + 1/3 - 1/4", "same value twice"},
        {"7-mixed 1/2 + 1/3 - 1/4", ""},
    };
    for (const auto &[text, expected] : Cases) {
        const std::string line(text);
        const std::size_t blank = line.find(' ');
        const Problem problem = readProblem(line.substr(blank + 1)).value.value();
        const std::optional<std::string> broken
            = severalTermBrokenRule(*unitNamed(line.substr(0, blank)), 2, problem);
        EXPECT_NE(broken.value_or("").find(expected), std::string::npos)
            << text << ": " << broken.value_or("(keeps every rule)");
        EXPECT_EQ(broken.has_value(), *expected != '\0') << text;
    }
}

// The other units' p2 sets are what they were before these units came.
TEST(TextbookGenerator, GivesTheSetsItGave)
{
    std::string listings;
    for (const UnitInfo &unit : units()) {
        for (int level = LowestLevel;
             level <= HighestLevel && !isSeveralTermUnit(unit.unit) && !isConversionUnit(unit.unit);
             ++level)
            listings += listingText(practiceSet({unit.unit, level, MostProblems, 1}));
    }
    EXPECT_EQ(textHash(listings), 0x6770901584da33fbU);
}

}  // namespace
}  // namespace tobarin::practice
