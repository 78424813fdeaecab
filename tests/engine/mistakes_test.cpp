// The known mistakes behind wrong answers: a table of problems with a wrong
// answer each and the mistake it shows, ties included; and on random school
// problems, every value a mistake predicts, typed as an answer, gets that
// mistake's hint, the general hint where another fits it too, and no hint
// where it is the answer.

#include "engine/check/answer_check.h"
#include "engine/check/mistakes.h"
#include "engine/problem/problem.h"
#include "engine/solve.h"
#include "engine/window/problem_text.h"
#include "tests/engine/test_support.h"

#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>
#include <string>

namespace tobarin {
namespace {

struct MistakeCase {
    const char *problem;
    const char *typed;
    const char *mistake;  // "" for the general hint, "right" for no hint

    friend void PrintTo(const MistakeCase &row, std::ostream *os)
    {
        *os << row.problem << " → " << row.typed;
    }
};

class KnownMistakes : public ::testing::TestWithParam<MistakeCase> { };

TEST_P(KnownMistakes, ShowTheirHint)
{
    const MistakeCase &c = GetParam();
    const AnswerCheck check
        = checkAnswer(readProblem(c.problem).value.value(), readAnswer(c.typed).value.value());
    if (std::string(c.mistake) == "right") {
        EXPECT_NE(exitStatus(check.verdict), 4) << check.text;
        return;
    }
    EXPECT_EQ(exitStatus(check.verdict), 4);
    EXPECT_EQ(check.mistake, c.mistake) << check.text;
    EXPECT_TRUE(check.text.starts_with("答えがちがいます。")) << check.text;
    EXPECT_EQ(check.verdict == Verdict::WrongSign, check.mistake == "sign");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, KnownMistakes, ::testing::Values(
    MistakeCase {"1/3 - (-1/2)", "-1/6", "minus-minus"},
    MistakeCase {"0 - (-1/2)", "-1/2", "minus-minus"},  // wins over sign
    MistakeCase {"1 2/3 + 3/4", "-2 5/12", "sign"},
    MistakeCase {"-1/2 + 1/3", "-5/6", "abs-added"},
    MistakeCase {"-1/2 - 1/3", "-1/6", "abs-subtracted"},
    MistakeCase {"1/2 + 1/3", "2/5", "across+"},
    MistakeCase {"5/6 - 1/3", "4/3", "across-"},
    MistakeCase {"2 1/3 × 3/4", "1/4", "whole-dropped"},
    MistakeCase {"1/2 + 1/3", "2/6", "not-scaled"},
    MistakeCase {"3 1/5 - 1 2/3", "2 7/15", "no-borrow"},
    MistakeCase {"3 1/5 - 1 2/3", "1 3/15", "borrow-ten"},
    MistakeCase {"2 1/3 × 3/4", "1 1/4", "mixed-to-improper"},
    MistakeCase {"2 1/3 × 3/4", "2 1/4", "parts-separately"},
    MistakeCase {"2 1/2 ÷ 2", "1 1/2", "parts-separately"},
    MistakeCase {"3 × 2/5", "6/15", "whole-both"},
    MistakeCase {"4/9 ÷ 2", "8/9", "no-reciprocal-whole"},  // wins over no-reciprocal
    MistakeCase {"2/3 ÷ 4/5", "8/15", "no-reciprocal"},
    MistakeCase {"2/3 ÷ 4/5", "6/5", "wrong-reciprocal"},  // wins over reciprocal
    MistakeCase {"2/3 ÷ 4/5", "15/8", "wrong-reciprocal"},
    MistakeCase {"1/2 + 1/3", "6/5", "reciprocal"},
    MistakeCase {"1 2/3 + 3/4", "5/12", "part-only"},
    MistakeCase {"1/3 + 1/3", "0.67", "rounded"},
    MistakeCase {"1/3 + 1/3", "0.66", "rounded"},
    // The parts as the mistake writes them, before a tie of values; the
    // mistakes of carrying and borrowing; × taken for ÷; the sign of the first
    // term; mixed numbers misread both the same way; a leading "=".
    MistakeCase {"1 4/5 + 4/5", "1 8/10", "across+"},
    MistakeCase {"2/3 × 4", "8/12", "whole-both"},
    MistakeCase {"3 - 1 2/5", "2 2/5", "no-borrow"},
    MistakeCase {"1 3/4 + 1/2", "1 1/4", "carry-dropped"},
    MistakeCase {"12 - 5 3/5", "7 2/5", "borrow-kept"},  // wins over borrow-ten
    MistakeCase {"2/3 × 4/5", "5/6", "reciprocal-in-times"},
    MistakeCase {"-5/8 + 5/6", "-35/24", "abs-added"},
    MistakeCase {"4 1/6 - 2 3/4", "5/12", "part-only"},
    MistakeCase {"1 1/2 × 2 2/3", "2 1/3", "parts-separately"},
    MistakeCase {"2/3 - 1/2 × 3/4", "= 1/8", "order"},
    // Several terms: the order of operations, parentheses, powers, and the
    // mistakes that any problem allows.
    MistakeCase {"2/3 - 1/2 × 3/4", "1/8", "order"},
    MistakeCase {"(3/4 - 1/3) × 12/5", "-1/20", "paren-dropped"},
    MistakeCase {"-3² + 1", "10", "power-sign"},
    MistakeCase {"(-3)² + 1", "-8", "power-sign"},
    MistakeCase {"3² + 1", "7", "power-times"},
    MistakeCase {"(2/3)³ + 1", "11/3", "power-part"},
    MistakeCase {"(2/3)² + 1", "7/3", ""},  // power-part and power-times
    MistakeCase {"(2/3)² + 1", "11/9", "power-part"},
    MistakeCase {"1/3 + 1/4 - 1/6", "-5/12", "sign"},
    MistakeCase {"1/3 + 1/4 - 1/6", "12/5", "reciprocal"},
    MistakeCase {"1/3 + 1/4 - 1/6", "0.41", "rounded"},
    MistakeCase {"3 1/2 - 1 2/3 + 5/6", "2/3", "part-only"},
    MistakeCase {"(-3)² × 2", "-18", ""},  // power-sign and sign
    MistakeCase {"1/2 + 1/3 + 1/4", "3/9", ""},  // across+ is of two numbers only
    // Two mistakes with different hints fit: the general hint.
    MistakeCase {"1/2 - (-1/3)", "1/6", ""},  // minus-minus and abs-subtracted
    MistakeCase {"2 1/3 + 1/4", "7/12", ""},  // whole-dropped and part-only
    MistakeCase {"1 2/3 + 3/4", "2 5/13", ""},  // none
    // A mistake whose value is the answer is no mistake.
    MistakeCase {"3/4 ÷ 1", "3/4", "right"}), testing::ByText {});
// clang-format on

TEST(KnownMistakes, HintsAreThoseOfTheTable)
{
    const AnswerCheck borrow = checkAnswer(
        readProblem("3 1/5 - 1 2/3").value.value(), readNumber("1 3/15").value.value());
    EXPECT_EQ(borrow.text, "答えがちがいます。くり下げた１は、10ではなく15/15です。");
    const AnswerCheck parts
        = checkAnswer(readProblem("2 1/2 ÷ 2").value.value(), readNumber("1 1/2").value.value());
    EXPECT_EQ(parts.text, "答えがちがいます。帯分数は、仮分数に直してからわりましょう。");
    // Words that follow the problem: equal denominators, a whole number, a
    // difference of signed numbers, ÷ by a whole number before the reciprocal.
    struct Worded {
        const char *problem;
        const char *typed;
        const char *words;  // what the hint begins with
    };
    for (const Worded &row : {
             Worded {"1/5 + 2/5", "3/10",
                 "分母が同じときは、分母はそのままにして、分子だけをたします。"},
             Worded {"3 - 2/5", "1/5", "整数を、分母が同じ分数に直してから計算します。"},
             Worded {"-1/2 - 1/3", "-1/6", "ひき算をたし算に直すと、同じ符号の数のたし算は"},
             Worded {"1/8 ÷ 8", "64", "分子と分母が逆になっていませんか。"},
         }) {
        const AnswerCheck check = checkAnswer(
            readProblem(row.problem).value.value(), readAnswer(row.typed).value.value());
        EXPECT_TRUE(check.text.starts_with("答えがちがいます。" + std::string(row.words)))
            << row.problem << " → " << check.text;
    }
}

// A problem as a school book prints one: denominators 2 to 12, whole parts up
// to 5, a sign now and then.
Problem schoolProblem(std::mt19937_64 &random)
{
    const auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const auto operand = [&] {
        TypedOperand x;
        const int den = pick(2, 12);
        if (pick(0, 3) > 0) {
            x.den = std::to_string(den);
            x.num = std::to_string(pick(1, pick(0, 2) == 0 ? 2 * den : den - 1));
        }
        if (x.den.empty() || pick(0, 2) == 0) {
            x.whole = std::to_string(pick(1, 5));
        }
        x.negative = pick(0, 4) == 0;
        return x;
    };
    return problemOfFields({operand(), operand(), static_cast<Operation>(pick(0, 3))});
}

TEST(KnownMistakes, EachPredictedValueGetsItsHint)
{
    // Of two mistakes that fit one value, the one that wins.
    const std::map<std::string_view, std::string_view> Beats {{"minus-minus", "sign"},
        {"wrong-reciprocal", "reciprocal"}, {"no-reciprocal-whole", "no-reciprocal"},
        {"borrow-kept", "borrow-ten"}};
    const std::uint64_t seed = testing::testSeed(20261209);
    RecordProperty("seed", std::to_string(seed));
    std::mt19937_64 random(seed);
    std::map<std::string, int> fired;
    constexpr int Problems = 10000;
    for (int i = 0; i < Problems; ++i) {
        const Problem problem = schoolProblem(random);
        const Solution solution = solve(problem, AnswerForm::Mixed);
        if (!solution.answer) {
            continue;
        }
        const Fraction answer = valueOf(*solution.answer).value();
        const std::vector<Prediction> &all = solution.mistakes;
        std::set<std::string_view> firedHere;
        for (const Prediction &prediction : all) {
            for (const Fraction &value : prediction.values) {
                const std::string typed = numberText(improperNumberOf(value));
                const AnswerCheck check = checkAnswer(problem, readNumber(typed).value.value());
                SCOPED_TRACE(problemText(problem) + " → " + typed);
                if (value == answer) {
                    EXPECT_NE(exitStatus(check.verdict), 4) << check.text;
                    continue;
                }
                // The mistakes that write exactly the typed parts, else
                // those of its value; of a pair, the closer.
                const auto fittingBy = [&](bool byForm) {
                    std::vector<std::string_view> fitting;
                    for (const Prediction &other : all) {
                        const bool fits = byForm
                            ? std::any_of(other.forms.begin(), other.forms.end(),
                                [&typed](const WrittenNumber &f) { return numberText(f) == typed; })
                            : std::find(other.values.begin(), other.values.end(), value)
                                != other.values.end();
                        if (fits) {
                            fitting.push_back(other.id);
                        }
                    }
                    std::erase_if(fitting, [&fitting, &Beats](std::string_view id) {
                        return std::any_of(fitting.begin(), fitting.end(), [&](std::string_view w) {
                            return Beats.contains(w) && Beats.at(w) == id;
                        });
                    });
                    return fitting;
                };
                std::vector<std::string_view> fitting = fittingBy(true);
                if (fitting.size() != 1) {
                    fitting = fittingBy(false);
                }
                const bool alone = fitting.size() == 1;
                const auto winner = std::find_if(all.begin(), all.end(),
                    [&](const Prediction &p) { return alone && p.id == fitting.front(); });
                EXPECT_EQ(check.mistake, alone ? winner->id : std::string_view());
                EXPECT_TRUE(check.text.ends_with(alone ? winner->hint : GeneralHint)) << check.text;
                if (alone) {
                    firedHere.insert(check.mistake);
                }
            }
        }
        for (const std::string_view id : firedHere) {
            ++fired[std::string(id)];
        }
    }
    // In how many problems each mistake had a value of its own, for the record.
    for (const auto &[id, count] : fired) {
        RecordProperty(id, count);
    }
    EXPECT_EQ(fired.size(), 21U);  // every mistake of the table but rounded shows up
}

}  // namespace
}  // namespace tobarin
