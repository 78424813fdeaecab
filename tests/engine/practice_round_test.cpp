// A round of practice: a right answer goes on, a wrong one is tried once
// more, a second miss brings the working; what cannot be read is no try. And
// the record: three right at the first try in a row mark a tag 習得.

#include "engine/practice/round.h"
#include "engine/practice/tags.h"
#include "engine/solve.h"

#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "form/practice_words.h"

namespace tobarin::practice {
namespace {

// A set of three problems and their answers, from the generator.
struct Fixture {
    PracticeSet set = practiceSet(parseSetCode("p1:6-divide:2:3:11").value.value());
    WrittenNumber answerTo(std::size_t i) const
    {
        return solve(set.problems[i].problem, AnswerForm::Mixed).answer.value();
    }
};

WrittenNumber wrongFor(const WrittenNumber &answer)
{
    WrittenNumber wrong = answer;
    wrong.whole += 7;
    wrong.hasWhole = true;
    return wrong;
}

TEST(PracticeRound, GoesOnAfterARightAnswerOrASecondMiss)
{
    const Fixture f;
    Round round(f.set, Method::MakeImproper);
    using O = Round::Outcome;
    EXPECT_EQ(round.answer(f.answerTo(0)).outcome, O::Right);
    EXPECT_EQ(round.answer(TypedOperand {}).outcome, O::NotRead);  // nothing typed
    EXPECT_EQ(round.position(), 1U);
    const Round::Answered first = round.answer(wrongFor(f.answerTo(1)));
    EXPECT_EQ(first.outcome, O::TryAgain);
    EXPECT_TRUE(first.check.text.starts_with("答えがちがいます。"));
    EXPECT_TRUE(round.secondTry());
    const Round::Answered second = round.answer(wrongFor(f.answerTo(1)));
    EXPECT_EQ(second.outcome, O::Missed);
    EXPECT_EQ(second.working, round.workingOf(1));
    EXPECT_FALSE(second.working.steps.empty());
    EXPECT_EQ(round.answer(wrongFor(f.answerTo(2))).outcome, O::TryAgain);
    EXPECT_EQ(round.answer(f.answerTo(2)).outcome, O::Right);
    EXPECT_TRUE(round.finished());
    EXPECT_EQ(round.results(),
        (std::vector<Round::Result> {
            Round::Result::First, Round::Result::Missed, Round::Result::Second}));
    EXPECT_EQ(round.missed(), std::vector<std::size_t> {1});
    EXPECT_EQ(round.score(), "3問中2問正解（1回目で1問）");
}

// A line is read as its problem takes it: 通分's fractions, one number to
// any other; a line that cannot be read is no try.
TEST(PracticeRound, ReadsALineAsItsProblemTakesIt)
{
    using O = Round::Outcome;
    // 5 3/4 → 小数, 2.037 → 分数; 2/5, 3/10 → 通分.
    Round round(practiceSet(parseSetCode("p2:5-decimal:2:10:2026").value.value()), std::nullopt);
    const std::pair<std::string_view, O> tries[] = {
        {"5..75", O::NotRead}, {"5.75", O::Right}, {"2.037", O::TryAgain}, {"2 37/100", O::Missed}};
    for (const auto &[typed, outcome] : tries) {
        EXPECT_EQ(round.answer(typed).outcome, outcome) << typed;
    }
    Round common(practiceSet(parseSetCode("p2:5-common:2:10:2026").value.value()), std::nullopt);
    EXPECT_EQ(common.answer(std::string_view("4/10、")).outcome, O::NotRead);
    EXPECT_EQ(common.answer(std::string_view("4/10、3/10")).outcome, O::Right);
}

// Every tag has its words in the record, in the tags' order.
TEST(PracticeRecord, EachTagHasItsCaption)
{
    ASSERT_EQ(TagCaptions.size(), AllTags.size());
    for (std::size_t i = 0; i < AllTags.size(); ++i) {
        EXPECT_EQ(TagCaptions[i].tag, tagName(AllTags[i]));
    }
}

// The result code carries each problem's mark and the mistakes of its wrong
// tries (known kinds: (1) not reduced, the sign turned, 7 more), reads back
// as written, and a round ended early gives × for the rest.
TEST(PracticeRound, ResultCodeCarriesMarksAndMistakes)
{
    const Fixture f;
    using M = results::Mark;
    using Try = WrittenNumber (*)(const WrittenNumber &);
    const Try right = [](const WrittenNumber &a) { return a; };
    const Try unreduced = [](const WrittenNumber &a) {  // of (1), 4 2/3
        return mixedNumber(false, a.whole, a.num * 2, a.den * 2);
    };
    const Try signTurned
        = [](const WrittenNumber &a) { return mixedNumber(true, a.whole, a.num, a.den); };
    const struct {
        std::vector<std::vector<Try>> tries;  // of each problem answered
        std::vector<results::ProblemResult> expected;
    } cases[] = {
        {{{unreduced, right}, {signTurned, wrongFor}, {right}},
            {{M::Second, {"unfinished"}}, {M::Missed, {"sign", "general"}}, {M::First, {}}}},
        {{{right}, {wrongFor}}, {{M::First, {}}, {M::Missed, {"general"}}, {M::Missed, {}}}},
        {{}, {{M::Missed, {}}, {M::Missed, {}}, {M::Missed, {}}}},
    };
    for (const auto &c : cases) {
        Round round(f.set, Method::MakeImproper);
        for (std::size_t problem = 0; problem < c.tries.size(); ++problem) {
            for (const Try tried : c.tries[problem]) {
                round.answer(tried(f.answerTo(problem)));
            }
        }
        const results::ReadResult read = results::readResultCode(round.resultCode(12, 65'999));
        ASSERT_TRUE(read.code) << read.message;
        EXPECT_EQ(*read.code, (results::ResultCode {f.set.code, 12, c.expected, 65}));
    }
}

// 中学 asks for improper fractions: a right mixed number is told how it is written there.
TEST(PracticeRound, SignedUnitTellsARightMixedAnswerInImproperForm)
{
    const PracticeSet set = practiceSet(parseSetCode("p1:7-signed:2:20:7").value.value());
    Round round(set, Method::MakeImproper);
    int told = 0;
    for (const PracticeProblem &problem : set.problems) {
        const WrittenNumber mixed = solve(problem.problem, AnswerForm::Mixed).answer.value();
        const WrittenNumber improper = solve(problem.problem, AnswerForm::Improper).answer.value();
        const Round::Answered answered = round.answer(mixed);
        ASSERT_EQ(answered.outcome, Round::Outcome::Right);
        const bool isMixed = mixed.hasWhole && mixed.hasFraction;
        told += isMixed ? 1 : 0;
        EXPECT_EQ(answered.check.text,
            isMixed ? "正解です。中学では仮分数で " + numberText(improper) + " と書きます。"
                    : "正解です。");
    }
    EXPECT_GT(told, 0);
}

// The working after a second miss: 帯分数のまま in the units that teach it
// unless the pupil chose the other way, and after a hint about carrying or
// borrowing always, so that it shows the step the hint spoke of.
struct MethodCase {
    const char *unit;
    std::optional<Method> chosen;
    const char *typed;  // twice
    std::string_view mistake;  // that the typed answer shows
    Method shown;
};

TEST(PracticeRound, ShowsTheWorkingTheUnitTeachesOrTheHintSpokeOf)
{
    const char *problemText = "3 1/5 - 1 3/5";
    const Problem problem = readProblem(problemText).value.value();
    ASSERT_NE(solve(problem, AnswerForm::Mixed, Method::KeepMixed).working,
        solve(problem, AnswerForm::Mixed, Method::MakeImproper).working);
    const MethodCase cases[] {
        {"5-mixed", std::nullopt, "9", "", Method::KeepMixed},
        {"5-mixed", Method::MakeImproper, "9", "", Method::MakeImproper},
        {"5-mixed", Method::MakeImproper, "2 2/5", "no-borrow", Method::KeepMixed},
        {"4-like", std::nullopt, "9", "", Method::KeepMixed},
        {"6-times-whole", std::nullopt, "9", "", Method::MakeImproper},
        {"6-times-whole", std::nullopt, "2 2/5", "no-borrow", Method::KeepMixed},
    };
    for (const MethodCase &c : cases) {
        SCOPED_TRACE(std::string(c.unit) + " " + c.typed);
        SetCode code = parseSetCode(std::string("p2:") + c.unit + ":2:1:1").value.value();
        Round round(PracticeSet {code, {{problem, problemText, tagsOf(problem)}}}, c.chosen);
        const WrittenNumber typed = readAnswer(c.typed).value.value();
        EXPECT_EQ(round.answer(typed).check.mistake, c.mistake);
        const Round::Answered missed = round.answer(typed);
        ASSERT_EQ(missed.outcome, Round::Outcome::Missed);
        EXPECT_EQ(missed.working, solve(problem, AnswerForm::Mixed, c.shown).working);
        EXPECT_EQ(round.workingOf(0), missed.working);
    }
}

struct Words {
    std::string said;
    std::string expected;
};
std::ostream &operator<<(std::ostream &out, const Words &row)
{
    return out << row.expected;
}
class PracticeWords : public ::testing::TestWithParam<Words> { };
TEST_P(PracticeWords, AreTheEnginesOwn)
{
    EXPECT_EQ(GetParam().said, GetParam().expected);
}
// A time is counted in the whole seconds that have passed, on every front-end.
INSTANTIATE_TEST_SUITE_P(Duration, PracticeWords,
    ::testing::Values(Words {durationText(0), "0秒"}, Words {durationText(999), "0秒"},
        Words {durationText(-1), "0秒"}, Words {durationText(59'600), "59秒"},
        Words {durationText(60'000), "1分00秒"}, Words {durationText(65'400), "1分05秒"},
        Words {durationText(3'600'000), "60分00秒"},
        Words {timeTakenText(42'000), "かかった時間: 42秒"}));
INSTANTIATE_TEST_SUITE_P(Score, PracticeWords,
    ::testing::Values(Words {scoreText(10, 9, 7), "10問中9問正解（1回目で7問）"},
        Words {scoreText(0, 0, 0), "0問中0問正解（1回目で0問）"}));
// A code typed through an input method reads as typed in ASCII; one that opens
// no set says why in Japanese.
const auto refusal = [](std::string_view typed) {
    const Parsed<SetCode> read = readSetCode(typed);
    return read.value ? setCodeText(*read.value) : read.error.substr(0, read.error.rfind('\n'));
};
INSTANTIATE_TEST_SUITE_P(Code, PracticeWords,
    ::testing::Values(Words {refusal("ｐ１：５－ｕｎｌｉｋｅ：２：１０：７"), "p1:5-unlike:2:10:7"},
        Words {refusal("　p1:4ーlike:2:3:1 "), "p1:4-like:2:3:1"},
        Words {refusal("p1:nope:2:10:1"),
            "セットコード「p1:nope:2:10:1」では始められません。\n単元「nope」はありません。"},
        Words {refusal("p9:5-unlike:2:10:1"),
            "セットコード「p9:5-unlike:2:10:1」では始められません。\n"
            "「p9」のセットコードは、このバージョンでは読めません。"},
        Words {refusal("ｐ２：５－ｃｏｍｍｏｎ：２：１０：１"), "p2:5-common:2:10:1"},
        Words {refusal("p1:6-three:2:10:1"),
            "セットコード「p1:6-three:2:10:1」では始められません。\n"
            "単元「6-three」のセットコードは p2 で始まります。"},
        Words {refusal("p1:5-unlike:4:10:1"),
            "セットコード「p1:5-unlike:4:10:1」では始められません。\nレベルは 1、2、3 "
            "のどれかです。"},
        Words {refusal("p1:5-unlike:2:51:1"),
            "セットコード「p1:5-unlike:2:51:1」では始められません。\n問題の数は 1 から 50 "
            "までです。"},
        Words {refusal("5-unlike"), "セットコード「5-unlike」では始められません。"}));

TEST(PracticeRecord, ThreeInARowAtTheFirstTryMasterATag)
{
    const TagSet tags {Tag::Cancel};
    Record record;
    using R = Round::Result;
    for (const R result : {R::First, R::First, R::Second, R::First, R::First}) {
        record.note(Unit::Divide6, tags, result);
    }
    EXPECT_EQ(record.streak(Unit::Divide6, Tag::Cancel), 2);
    record.note(Unit::Divide6, tags, R::First);
    EXPECT_TRUE(record.mastered(Unit::Divide6, Tag::Cancel));
    record.note(Unit::Divide6, tags, R::Missed);  // mastered stays mastered
    EXPECT_TRUE(record.mastered(Unit::Divide6, Tag::Cancel));
    EXPECT_FALSE(record.mastered(Unit::Times6, Tag::Cancel));
    // Lines it cannot read are kept as they were, after its own.
    const std::string unread = "junk line\n5-unlike nothing 3\n5-unlike cancel 1,5\n";
    EXPECT_EQ(Record::fromText("\n" + unread + record.text()).text(), record.text() + unread);
    record.clear();
    EXPECT_EQ(record.streak(Unit::Divide6, Tag::Cancel), 0);
}

}  // namespace
}  // namespace tobarin::practice
