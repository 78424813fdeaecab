// Practice sets of conversions (4-convert, 5-reduce, 5-common, 5-decimal).
// Over many codes of each unit and level every problem keeps its unit's
// rules, reads back from its line as the same problem, has an answer, and
// carries the tags its working shows: the form after "→", the divisor the
// working names, the least common multiple it names against the
// denominators, a 約分 step; sets of 10 hold every promised tag, repeat no
// problem (nor at level 3 one of level 1), and 4-convert gives each form
// about a third of the time.

#include "engine/practice/conversion_sets.h"
#include "engine/practice/rules.h"
#include "engine/practice/set_code.h"
#include "engine/solve.h"

#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <set>

namespace tobarin::practice {
namespace {

// The tags of a problem, from its line and its working's text.
TagSet tagsFromWorking(const std::string &line, const Solution &solution)
{
    const std::string working = workingText(solution.working);
    const std::map<std::string, Tag> forms {{"帯分数", Tag::ToMixed}, {"仮分数", Tag::ToImproper},
        {"整数", Tag::ToWhole}, {"小数", Tag::ToDecimal}, {"分数", Tag::ToFraction}};
    const std::string form = line.substr(line.find("→ ") + std::string("→ ").size());
    TagSet tags;
    if (forms.contains(form)) {
        tags.add(forms.at(form));
    }
    std::smatch m;
    if (std::regex_search(working, m, std::regex("最大公約数(\\d+)でわる"))) {
        const int g = std::stoi(m[1]);
        tags.add(g == 2 || g == 3 || g == 5 ? Tag::GcdSmall : Tag::GcdLarge);
        if (solution.answer && !solution.answer->hasFraction) {
            tags.add(Tag::ToWhole);
        }
    }
    if (std::regex_search(working, m, std::regex("最小公倍数(\\d+)を"))) {
        long product = 1;
        bool oneIsLeast = false;
        static const std::regex Den("/(\\d+)");
        for (auto it = std::sregex_iterator(line.begin(), line.end(), Den);
             it != std::sregex_iterator(); ++it) {
            product *= std::stol((*it)[1]);
            oneIsLeast = oneIsLeast || (*it)[1] == m[1];
        }
        tags.add(oneIsLeast                  ? Tag::Multiple
                : product == std::stol(m[1]) ? Tag::Coprime
                                             : Tag::Shared);
    }
    if (form == "分数" && working.find("約分する") != std::string::npos) {
        tags.add(Tag::Reduce);
    }
    return tags;
}

TEST(ConversionPractice, KeepsEveryRuleAndTellsTrueTags)
{
    for (const Unit unit : {Unit::Convert4, Unit::Reduce5, Unit::Common5, Unit::Decimal5}) {
        std::map<std::string, int> forms;
        for (int level = LowestLevel; level <= HighestLevel; ++level) {
            for (std::uint64_t seed = 1; seed <= 60; ++seed) {
                const PracticeSet set = practiceSet({unit, level, 10, seed, 2});
                const std::string code = setCodeText(set.code);
                ASSERT_EQ(set.problems.size(), 10U) << code;
                const PracticeSet easiest = practiceSet({unit, LowestLevel, 10, seed, 2});
                std::set<std::string> lines;
                TagSet all;
                for (const PracticeProblem &p : set.problems) {
                    EXPECT_EQ(brokenRule(unit, level, p.problem, 2), std::nullopt)
                        << code << " " << p.expression;
                    const Parsed<Problem> read = readProblem(p.expression);
                    ASSERT_TRUE(read.value) << p.expression;
                    EXPECT_EQ(*read.value, p.problem) << p.expression;
                    const Solution solution = solve(p.problem, AnswerForm::Mixed);
                    ASSERT_TRUE(hasAnswer(solution)) << p.expression;
                    EXPECT_EQ(p.tags, tagsFromWorking(p.expression, solution))
                        << code << " " << p.expression;
                    EXPECT_TRUE(lines.insert(p.expression).second)
                        << code << " repeats " << p.expression;
                    if (level == HighestLevel) {
                        for (const PracticeProblem &e : easiest.problems) {
                            EXPECT_NE(e.expression, p.expression) << code;
                        }
                    }
                    for (const Tag tag : p.tags.list()) {
                        all.add(tag);
                    }
                    ++forms[p.expression.substr(p.expression.find("→"))];
                }
                EXPECT_TRUE(all.hasAll(promisedTags(unit))) << code << ": " << tagsText(all);
            }
        }
        if (unit == Unit::Convert4) {
            for (const auto &[form, count] : forms) {
                EXPECT_GT(count, 1800 / 4) << form;
                EXPECT_LT(count, 1800 / 2) << form;
            }
        }
    }
}

TEST(ConversionPractice, HasSecondCodesOnly)
{
    EXPECT_FALSE(parseSetCode("p1:4-convert:2:10:7").value);
    EXPECT_TRUE(parseSetCode("p2:4-convert:2:10:7").value);
}

}  // namespace
}  // namespace tobarin::practice
