// A round of practice: a right answer goes on, a wrong one is tried once
// more, a second miss brings the working; what cannot be read is no try. And
// the record: three right at the first try in a row mark a tag 習得.

#include "engine/practice/round.h"
#include "engine/solve.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(scoreText(round.answered(), round.right()), "3問中2問正解");
}

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
