#pragma once

#include "engine/check/answer_check.h"
#include "engine/practice/generator.h"
#include "engine/practice/units.h"
#include "engine/solve.h"
#include "engine/working/textbook.h"
#include "engine/working/working.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A round of practice, the same on every front-end: the problems of a set one
// at a time; a right answer goes on to the next; a wrong one is told its hint
// and may be tried once more; a second miss shows the working and goes on. At
// the end, the score and the problems missed, each with its working. And the
// record of what a pupil has mastered (習得), unit by unit and tag by tag.
namespace tobarin::practice {

// How the unit asks for its answers: 小学 units take either form, 中学 asks for
// improper fractions (a mixed answer still counts as right).
[[nodiscard]] std::string_view formWanted(Unit unit);

class Round {
public:
    // What became of an answer.
    enum class Outcome {
        Right,  // right at the first or the second try: on to the next problem
        TryAgain,  // wrong (or the right value not finished) at the first try: the hint, once more
        Missed,  // wrong again: the working is shown, on to the next problem
        NotRead,  // nothing to check (no number, one that cannot be read): not a try
    };

    struct Answered {
        Outcome outcome;
        AnswerCheck check;  // what the pupil is told
        Working working;  // of a missed problem, as its unit writes it
    };

    // `method`: how the working of a missed problem works sums and
    // differences of mixed numbers, as the pupil chose.
    Round(PracticeSet set, Method method);

    [[nodiscard]] const PracticeSet &set() const { return m_set; }
    [[nodiscard]] std::size_t size() const { return m_set.problems.size(); }
    // The problem being answered (0-based), or size() once the round is over.
    [[nodiscard]] std::size_t position() const { return m_position; }
    [[nodiscard]] bool finished() const { return m_position >= size(); }
    [[nodiscard]] const PracticeProblem &current() const { return m_set.problems.at(m_position); }
    // Whether the current problem is at its second try.
    [[nodiscard]] bool secondTry() const { return m_tries == 1; }

    // Checks an answer to the current problem, written as one number or typed
    // into the fields as in the working window.
    Answered answer(const WrittenNumber &typed);
    Answered answer(const TypedOperand &typed);

    // The problems answered so far, right at the first or second try.
    [[nodiscard]] std::size_t answered() const { return m_results.size(); }
    [[nodiscard]] std::size_t right() const;
    // For each problem answered: right at the first try, at the second, or missed.
    enum class Result { First, Second, Missed };
    [[nodiscard]] const std::vector<Result> &results() const { return m_results; }
    // The problems missed so far, in order.
    [[nodiscard]] std::vector<std::size_t> missed() const;
    // The working of a problem of the set in the unit's form and the chosen method.
    [[nodiscard]] Working workingOf(std::size_t problem) const;

private:
    Answered take(AnswerCheck check);
    // The current problem solved, once, in the unit's form and the chosen method.
    const Solution &solution();

    PracticeSet m_set;
    Method m_method;
    std::size_t m_position = 0;
    int m_tries = 0;
    std::vector<Result> m_results;
    std::optional<Solution> m_solution;
};

// "10問中8問正解": the score's words, which the command line's last line
// starts with.
[[nodiscard]] std::string scoreText(std::size_t answered, std::size_t right);

// What the pupil is told, on every front-end, when the record cannot be kept
// (what went wrong follows where there is room for it), and when it has
// lines this version cannot read, which are kept as they are.
inline constexpr std::string_view RecordNotSaved = "記録を保存できませんでした。";
inline constexpr std::string_view RecordUnreadKept
    = "記録に、このバージョンでは読めない行がありました。消さずにそのまま残します。";

// What a pupil has mastered: for each unit and each tag of its problems, the
// right answers in a row (at the first try; any other result starts again
// from 0). Three in a row mark the tag 習得, and it stays so.
class Record {
public:
    static constexpr int InARow = 3;

    // One problem's result for each of its tags.
    void note(Unit unit, TagSet tags, Round::Result result);
    // Everything, the lines it could not read too: the pupil asked for it.
    void clear()
    {
        m_streaks.clear();
        m_unread.clear();
    }

    // Right answers in a row, at most InARow.
    [[nodiscard]] int streak(Unit unit, Tag tag) const;
    [[nodiscard]] bool mastered(Unit unit, Tag tag) const { return streak(unit, tag) >= InARow; }

    // The record as text, to keep on the device: one line a unit and tag,
    // "5-unlike coprime 2". A line it cannot read (a unit or tag of a later
    // version, a streak that is not a whole number, any other text) is kept
    // as it was and written again after its own lines, so that keeping the
    // record never loses what it does not understand; blank lines are left
    // out. Each front-end merges a result into the record as it is kept now:
    // fromText, note, text.
    [[nodiscard]] std::string text() const;
    [[nodiscard]] static Record fromText(std::string_view text);
    // The lines it could not read, in their order.
    [[nodiscard]] const std::vector<std::string> &unread() const { return m_unread; }

    // As a table for a unit: each tag the unit names, with its streak.
    struct Row {
        Tag tag;
        int streak;
    };
    [[nodiscard]] std::vector<Row> table(Unit unit) const;

    friend bool operator==(const Record &, const Record &) = default;

private:
    std::map<std::pair<Unit, Tag>, int> m_streaks;
    std::vector<std::string> m_unread;
};

}  // namespace tobarin::practice
