#pragma once

#include "engine/check/answer_check.h"
#include "engine/practice/generator.h"
#include "engine/practice/set_code.h"
#include "engine/practice/units.h"
#include "engine/results/result_code.h"
#include "engine/solve.h"
#include "engine/working/textbook.h"
#include "engine/working/working.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A round of practice, the same on every front-end: the problems of a set one
// at a time; a right answer goes on to the next; a wrong one is told its hint
// and may be tried once more; a second miss shows the working and goes on. At
// the end, the score, the problems missed, each with its working, and the
// result code (結果コード) a pupil may hand to the teacher. And the
// record of what a pupil has mastered (習得), unit by unit and tag by tag.
//
// Every word of it that a pupil reads is written here, in Japanese, and the
// front-ends (the window, the page, the command line) only show it: the set's
// title, each problem's prompt, the verdicts and what comes next, the time
// taken, the score, and what is wrong with a set's code.
namespace tobarin::practice {

// How the unit asks for its answers: 小学 units take either form, 中学 asks for
// improper fractions (a mixed answer still counts as right).
[[nodiscard]] std::string_view formWanted(Unit unit);

// A set's code as it is typed, by hand or through an input method: its
// full-width letters, digits and signs read as their ASCII forms (「ｐ１：５－
// ｕｎｌｉｋｅ：２：１０：７」 is p1:5-unlike:2:10:7), the long vowel mark and
// other dashes as "-", and the blanks at either end left out. Every
// front-end reads a typed code through it; bytes that are not UTF-8 stay as
// they are.
[[nodiscard]] std::string codeAsTyped(std::string_view typed);

// A code as a pupil types it (codeAsTyped), or why it opens no set, in
// Japanese for the windows: a line that names the code as given, a line that
// says what is wrong with it (where one part is), and a line that shows how a
// code is written, joined by "\n". The command line reads codes with
// parseSetCode, whose usage errors are in English.
[[nodiscard]] Parsed<SetCode> readSetCode(std::string_view typed);
// A set chosen by its unit's id, level and count as the window gives them,
// with a seed drawn from `random` (any number); or why not, as readSetCode
// says it.
[[nodiscard]] Parsed<SetCode> readChosenSet(
    std::string_view unit, std::string_view level, std::string_view count, std::uint64_t random);
// A new set of a unit, level and count, its seed taken from `random` (any
// number): six digits at most, so that the code stays short enough to pass on.
[[nodiscard]] SetCode newSetCode(Unit unit, int level, int count, std::uint64_t random);
// What a window says before the list of the units, after a code it refused.
inline constexpr std::string_view UnitsHeading = "単元は次のとおりです。";

// The set's title: its unit's title and its level's caption,
// "小5 分母がちがう分数のたし算・ひき算　レベル2".
[[nodiscard]] std::string setTitle(const SetCode &code);

// Where a window takes the answer to a problem: in the fraction fields, or,
// where they cannot hold it (通分's fractions, a decimal), on one line in
// their place, typed as the command line reads it. The hint the empty line
// shows ("例: 0.5"), or nothing for the fields.
[[nodiscard]] std::string_view answerLineHint(const Problem &problem);

// How a problem of the set is put to the pupil.
struct Prompt {
    std::string number;  // "(2)"
    std::string progress;  // how far the set has come: "2 / 10"
    std::string problem;  // the problem as a line with its "=": "1/6 + 1/3 ="

    // The command line's prompt: "(2) 1/6 + 1/3 =".
    [[nodiscard]] std::string line() const { return number + " " + problem; }
};

// What a pupil is told after a first miss, on a line of its own after the
// verdict; and the headings of the working of a problem missed and of the
// problems missed at the end.
inline constexpr std::string_view TryOnceMore = "もう一度やってみましょう。";
inline constexpr std::string_view WorkingHeading = "途中式";
inline constexpr std::string_view MissedHeading = "まちがえた問題";
inline constexpr std::string_view NoneMissed = "まちがえた問題はありません。";
// What the result code is called where it is shown: the command line's line
// before the score is "結果コード: " and the code.
inline constexpr std::string_view ResultCodeCaption = "結果コード";

// A time taken, in the whole seconds that have passed (a part of a second is
// not counted, as a stopwatch counts): "42秒", "1分05秒", "12分00秒".
[[nodiscard]] std::string durationText(std::int64_t milliseconds);
// "かかった時間: 1分05秒".
[[nodiscard]] std::string timeTakenText(std::int64_t milliseconds);

// How the working of a problem of the unit works sums and differences of
// mixed numbers: as the pupil chose (in the window, or with --method), or, not
// chosen, 帯分数のまま in the units that teach it (4-like, 5-mixed) and
// 仮分数に直して in the others.
[[nodiscard]] Method workingMethod(Unit unit, std::optional<Method> chosen);

// Whether a mistake's hint speaks of carrying or borrowing (くり上がり,
// くり下がり): the working shown after it is 帯分数のまま, whatever was chosen,
// so that the pupil sees the step the hint names.
[[nodiscard]] bool carriesOrBorrows(std::string_view mistake);

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
        // What the check found. Its text is what the pupil is told of the
        // answer; in a unit that asks for improper fractions, a right mixed
        // number is told how that unit writes it.
        AnswerCheck check;
        Working working;  // of a missed problem, as its unit writes it
        std::size_t problem = 0;  // the problem answered (0-based)
        // The verdict as a window shows it, after the problem's number:
        // "(2) 答えがちがいます。…".
        std::string verdict;
        // What comes next, for a line of its own: TryOnceMore after a first
        // miss, otherwise nothing.
        std::string_view then;
    };

    // `chosen`: how the pupil chose to work sums and differences of mixed
    // numbers, if they did (workingMethod).
    Round(PracticeSet set, std::optional<Method> chosen);

    [[nodiscard]] const PracticeSet &set() const { return m_set; }
    [[nodiscard]] std::size_t size() const { return m_set.problems.size(); }
    // The problem being answered (0-based), or size() once the round is over.
    [[nodiscard]] std::size_t position() const { return m_position; }
    [[nodiscard]] bool finished() const { return m_position >= size(); }
    [[nodiscard]] const PracticeProblem &current() const { return m_set.problems.at(m_position); }
    // Whether the current problem is at its second try.
    [[nodiscard]] bool secondTry() const { return m_tries == 1; }
    // How a problem of the set is put to the pupil.
    [[nodiscard]] Prompt prompt(std::size_t problem) const;
    // What the pupil is asked to give for a problem, on the line above its
    // answer: its own instruction (「通分しましょう。」), or the unit's form
    // (formWanted).
    [[nodiscard]] std::string_view asked(std::size_t problem) const;
    // What a window tells a screen reader after a right answer: the problem
    // that comes next, "次は (3) 7/10 - 1/6 =".
    [[nodiscard]] std::string nextText() const;

    // Checks an answer to the current problem, written as one number or typed
    // into the fields as in the working window.
    Answered answer(const WrittenNumber &typed);
    Answered answer(const TypedOperand &typed);
    // An answer of several numbers, as a 通分 problem takes one.
    Answered answer(const std::vector<WrittenNumber> &typed);
    // An answer typed on one line, read as the problem takes it: 通分's
    // fractions (readAnswers), one number to any other problem (readAnswer).
    // A line that cannot be read is told why, and is not a try.
    Answered answer(std::string_view line);

    // The problems answered so far, right at the first or second try.
    [[nodiscard]] std::size_t answered() const { return m_results.size(); }
    [[nodiscard]] std::size_t right() const;
    // Of those, the problems right at the first try.
    [[nodiscard]] std::size_t firstTries() const;
    // The score so far, scoreText of the problems answered.
    [[nodiscard]] std::string score() const;
    // For each problem answered: right at the first try, at the second, or missed.
    enum class Result { First, Second, Missed };
    [[nodiscard]] const std::vector<Result> &results() const { return m_results; }
    // The problems missed so far, in order.
    [[nodiscard]] std::vector<std::size_t> missed() const;
    // The heading of the problems missed at the end: MissedHeading, or
    // NoneMissed when there are none.
    [[nodiscard]] std::string_view missedHeading() const;
    // The working of a problem of the set in the unit's form and the method
    // for it (workingMethod; 帯分数のまま after a hint about carrying or borrowing).
    [[nodiscard]] Working workingOf(std::size_t problem) const;

    // The round's result as the teacher reads it (engine/results/result_code.h):
    // each problem's mark with the mistakes of its wrong tries, the problems
    // not reached (a round ended early) missed with none, the current one with
    // the mistake of its first try if it had one. `number` is the 出席番号, 0
    // for none; `milliseconds` the time from the first problem shown to the
    // last answer, of which whole seconds count, as durationText counts them.
    [[nodiscard]] results::ResultCode result(int number, std::int64_t milliseconds) const;
    // That result as a code to copy or show: resultCodeText.
    [[nodiscard]] std::string resultCode(int number, std::int64_t milliseconds) const;

private:
    Answered take(AnswerCheck check);
    // The current problem solved, once, in the unit's form and the chosen method.
    const Solution &solution();

    PracticeSet m_set;
    std::optional<Method> m_chosen;
    // For each problem, whether a hint about carrying or borrowing was given.
    std::vector<bool> m_carryOrBorrowTold;
    std::size_t m_position = 0;
    int m_tries = 0;
    std::vector<Result> m_results;
    // The mistake of each wrong try (results::triedMistake): of each problem
    // answered, and of the current one.
    std::vector<std::vector<std::string_view>> m_mistakes;
    std::vector<std::string_view> m_tryMistakes;
    std::optional<Solution> m_solution;
};

// "10問中9問正解（1回目で7問）": of the problems answered, those right at the
// first or second try, and of them those right at the first. The command
// line's last line starts with it.
[[nodiscard]] std::string scoreText(std::size_t answered, std::size_t right, std::size_t first);

// What the pupil is told, on every front-end, when the record cannot be kept
// (what went wrong follows where there is room for it), and when it has
// lines this version cannot read, which are kept as they are.
inline constexpr std::string_view RecordNotSaved = "記録を保存できませんでした。";
inline constexpr std::string_view RecordUnreadKept
    = "記録に、このバージョンでは読めない行がありました。消さずにそのまま残します。";
// Why the page could not keep the record, after RecordNotSaved.
inline constexpr std::string_view StorageRefused
    = "このブラウザーの保存場所がいっぱいか、使えないようになっています。";

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
