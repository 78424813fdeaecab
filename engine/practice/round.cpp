#include "engine/practice/round.h"

#include "engine/practice/conversion_sets.h"
#include "engine/practice/several_terms.h"
#include "engine/solve.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <utility>

#include "form/practice_words.h"

namespace tobarin::practice {

namespace {

// The code point that starts `text` and the bytes it takes, or 0 bytes where
// the text does not start with UTF-8.
std::pair<char32_t, std::size_t> firstCharacter(std::string_view text)
{
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const auto follows = [&](std::size_t i) { return i < text.size() && (byte(i) & 0xC0) == 0x80; };
    if (byte(0) < 0x80) {
        return {byte(0), 1};
    }
    if ((byte(0) & 0xE0) == 0xC0 && follows(1)) {
        return {((byte(0) & 0x1FU) << 6) | (byte(1) & 0x3FU), 2};
    }
    if ((byte(0) & 0xF0) == 0xE0 && follows(1) && follows(2)) {
        return {((byte(0) & 0x0FU) << 12) | ((byte(1) & 0x3FU) << 6) | (byte(2) & 0x3FU), 3};
    }
    return {0, 0};
}

// What a reason of readSetCode says, after the line that names the code.
std::string refusedCode(std::string_view given, std::string_view reason)
{
    const SetCode example {Unit::Unlike5, DefaultLevel, DefaultCount, 4821};
    std::string text = "セットコード「" + echoed(given) + "」では始められません。\n";
    if (!reason.empty()) {
        text += std::string(reason) + "\n";
    }
    return text + "セットコードは " + std::string(CodeVersion)
        + ":単元:レベル:問題の数:番号 の形で書きます（例: " + setCodeText(example) + "）。";
}

// What is wrong with the unit, level, count or seed of a code, or nothing.
std::string partRefused(std::string_view unit, std::string_view level, std::string_view count,
    std::string_view seed = "0")
{
    if (!parseUnit(unit).value) {
        return "単元「" + echoed(unit) + "」はありません。";
    }
    if (!parseLevel(level).value) {
        return "レベルは " + std::to_string(LowestLevel) + "、" + std::to_string(DefaultLevel)
            + "、" + std::to_string(HighestLevel) + " のどれかです。";
    }
    if (!parseCount(count).value) {
        return "問題の数は 1 から " + std::to_string(MostProblems) + " までです。";
    }
    if (!parseSeed(seed).value) {
        return "最後の番号は、0 かそれより大きい整数です。";
    }
    return {};
}

}  // namespace

std::string_view formWanted(Unit unit)
{
    if (isConversionUnit(unit)) {
        return {};  // each problem's instruction line asks for its form
    }
    return unitInfo(unit).answerForm == AnswerForm::Improper ? "仮分数で答えましょう。"
                                                             : "帯分数でも仮分数でもよい。";
}

std::string codeAsTyped(std::string_view typed)
{
    std::string code;
    for (std::string_view rest = typed; !rest.empty();) {
        const auto [c, length] = firstCharacter(rest);
        if (length == 0) {
            code += rest.front();  // not UTF-8: kept, and refused as it is
            rest.remove_prefix(1);
            continue;
        }
        if (c >= U'！' && c <= U'～') {
            code += static_cast<char>(c - U'！' + U'!');
        } else if (c == U'　') {
            code += ' ';
        } else if (c == U'ー' || c == U'−' || (c >= U'‐' && c <= U'―')) {
            code += '-';
        } else {
            code += rest.substr(0, length);
        }
        rest.remove_prefix(length);
    }
    const std::size_t begin = code.find_first_not_of(" \t");
    return begin == std::string::npos
        ? std::string()
        : code.substr(begin, code.find_last_not_of(" \t") - begin + 1);
}

std::string_view answerLineHint(const Problem &problem)
{
    if (!problem.conversion) {
        return {};
    }
    switch (problem.conversion->asked) {
    case AskedForm::Common:
        return "例: 3/6、4/6";
    case AskedForm::Decimal:
        return "例: 0.5";
    default:
        return {};
    }
}

Parsed<SetCode> readSetCode(std::string_view typed)
{
    const std::string code = codeAsTyped(typed);
    Parsed<SetCode> read = parseSetCode(code);
    if (read.value) {
        return read;
    }
    std::array<std::string_view, 5> parts {};
    std::size_t count = 0;
    for (std::string_view rest = code;; ++count) {
        const std::size_t colon = rest.find(':');
        if (count < parts.size()) {
            parts.at(count) = rest.substr(0, colon);
        }
        if (colon == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(colon + 1);
    }
    std::string reason;
    if (count + 1 == parts.size()) {
        reason = partRefused(parts[1], parts[2], parts[3], parts[4]);
        // Every part is one this program reads: the version is not, or not
        // for this unit.
        const std::optional<Unit> unit = unitNamed(parts[1]);
        if (reason.empty() && parts[0] == FirstVersion && unit
            && (isSeveralTermUnit(*unit) || isConversionUnit(*unit))) {
            reason = "単元「" + echoed(parts[1]) + "」のセットコードは " + std::string(CodeVersion)
                + " で始まります。";
        } else if (reason.empty()) {
            reason = "「" + echoed(parts[0]) + "」のセットコードは、このバージョンでは読めません。";
        }
    }
    read.error = refusedCode(code, reason);
    return read;
}

Parsed<SetCode> readChosenSet(
    std::string_view unit, std::string_view level, std::string_view count, std::uint64_t random)
{
    const std::string reason = partRefused(unit, level, count);
    if (!reason.empty()) {
        return {std::nullopt,
            refusedCode(
                std::string(unit) + ":" + std::string(level) + ":" + std::string(count), reason)};
    }
    return {newSetCode(
                *parseUnit(unit).value, *parseLevel(level).value, *parseCount(count).value, random),
        {}};
}

SetCode newSetCode(Unit unit, int level, int count, std::uint64_t random)
{
    return {unit, level, count, random % 1000000U};
}

std::string setTitle(const SetCode &code)
{
    return std::string(unitInfo(code.unit).title) + "　"
        + std::string(LevelCaptions.at(static_cast<std::size_t>(code.level - LowestLevel)));
}

std::string durationText(std::int64_t milliseconds)
{
    const std::int64_t seconds = std::max<std::int64_t>(milliseconds, 0) / 1000;
    const std::string rest = std::to_string(seconds % 60);
    return seconds < 60
        ? rest + "秒"
        : std::to_string(seconds / 60) + "分" + (rest.size() < 2 ? "0" : "") + rest + "秒";
}

std::string timeTakenText(std::int64_t milliseconds)
{
    return "かかった時間: " + durationText(milliseconds);
}

Method workingMethod(Unit unit, std::optional<Method> chosen)
{
    if (chosen) {
        return *chosen;
    }
    return unit == Unit::Like4 || unit == Unit::Mixed5 ? Method::KeepMixed : Method::MakeImproper;
}

bool carriesOrBorrows(std::string_view mistake)
{
    return mistake == "no-borrow" || mistake == "borrow-ten" || mistake == "borrow-kept"
        || mistake == "carry-dropped";
}

Round::Round(PracticeSet set, std::optional<Method> chosen)
    : m_set(std::move(set))
    , m_chosen(chosen)
    , m_carryOrBorrowTold(m_set.problems.size(), false)
{
}

const Solution &Round::solution()
{
    if (!m_solution) {
        m_solution = solve(current().problem, unitInfo(m_set.code.unit).answerForm,
            workingMethod(m_set.code.unit, m_chosen));
    }
    return *m_solution;
}

Round::Answered Round::answer(const WrittenNumber &typed)
{
    return take(checkAnswer(solution(), typed));
}

Round::Answered Round::answer(const std::vector<WrittenNumber> &typed)
{
    return take(checkAnswer(solution(), typed));
}

Round::Answered Round::answer(std::string_view line)
{
    const std::optional<Conversion> &conversion = current().problem.conversion;
    if (conversion && conversion->asked == AskedForm::Common) {
        Parsed<std::vector<WrittenNumber>> typed = readAnswers(line);
        return typed.value ? answer(*typed.value)
                           : take({Verdict::Unreadable, std::move(typed.error)});
    }
    Parsed<WrittenNumber> typed = readAnswer(line);
    return typed.value ? answer(*typed.value) : take({Verdict::Unreadable, std::move(typed.error)});
}

std::string_view Round::asked(std::size_t problem) const
{
    const std::string_view instruction = instructionLine(m_set.problems.at(problem).problem);
    return instruction.empty() ? formWanted(m_set.code.unit) : instruction;
}

Round::Answered Round::answer(const TypedOperand &typed)
{
    return take(checkAnswer(solution(), typed));
}

Prompt Round::prompt(std::size_t problem) const
{
    return {"(" + std::to_string(problem + 1) + ")",
        std::to_string(problem + 1) + " / " + std::to_string(size()),
        m_set.problems.at(problem).expression + " ="};
}

std::string Round::nextText() const
{
    return finished() ? std::string() : "次は " + prompt(m_position).line();
}

Round::Answered Round::take(AnswerCheck check)
{
    Answered answered {Outcome::NotRead, std::move(check), {}, m_position, {}, {}};
    // 中学 writes no mixed numbers: a right one is told how the unit writes it.
    if (answered.check.verdict == Verdict::CorrectMixed
        && unitInfo(m_set.code.unit).answerForm == AnswerForm::Improper && solution().answer) {
        answered.check.text
            = "正解です。中学では仮分数で " + numberText(*solution().answer) + " と書きます。";
    }
    answered.verdict = prompt(m_position).number + " " + answered.check.text;
    if (const auto mistake = results::triedMistake(answered.check)) {
        m_tryMistakes.push_back(*mistake);
    }
    switch (categoryOf(answered.check.verdict)) {
    case VerdictCategory::Correct:
        answered.outcome = Outcome::Right;
        m_results.push_back(m_tries == 0 ? Result::First : Result::Second);
        break;
    case VerdictCategory::Close:
    case VerdictCategory::Wrong:
        if (carriesOrBorrows(answered.check.mistake)) {
            m_carryOrBorrowTold.at(m_position) = true;
        }
        if (m_tries == 0) {
            m_tries = 1;
            answered.outcome = Outcome::TryAgain;
            answered.then = TryOnceMore;
            return answered;
        }
        answered.outcome = Outcome::Missed;
        answered.working = m_carryOrBorrowTold.at(m_position)
                && workingMethod(m_set.code.unit, m_chosen) != Method::KeepMixed
            ? workingOf(m_position)
            : solution().working;
        m_results.push_back(Result::Missed);
        break;
    case VerdictCategory::NoAnswer:
    case VerdictCategory::Unreadable:
        return answered;
    }
    m_mistakes.push_back(std::exchange(m_tryMistakes, {}));
    ++m_position;
    m_tries = 0;
    m_solution.reset();
    return answered;
}

std::size_t Round::right() const
{
    return static_cast<std::size_t>(std::count_if(
        m_results.begin(), m_results.end(), [](Result r) { return r != Result::Missed; }));
}

std::size_t Round::firstTries() const
{
    return static_cast<std::size_t>(std::count(m_results.begin(), m_results.end(), Result::First));
}

std::string Round::score() const
{
    return scoreText(answered(), right(), firstTries());
}

std::vector<std::size_t> Round::missed() const
{
    std::vector<std::size_t> problems;
    for (std::size_t i = 0; i < m_results.size(); ++i) {
        if (m_results[i] == Result::Missed) {
            problems.push_back(i);
        }
    }
    return problems;
}

std::string_view Round::missedHeading() const
{
    return missed().empty() ? NoneMissed : MissedHeading;
}

Working Round::workingOf(std::size_t problem) const
{
    const Method method = m_carryOrBorrowTold.at(problem)
        ? Method::KeepMixed
        : workingMethod(m_set.code.unit, m_chosen);
    return solve(m_set.problems.at(problem).problem, unitInfo(m_set.code.unit).answerForm, method)
        .working;
}

results::ResultCode Round::result(int number, std::int64_t milliseconds) const
{
    results::ResultCode code;
    code.set = m_set.code;
    code.number = number;
    code.seconds = static_cast<std::uint32_t>(std::clamp<std::int64_t>(
        milliseconds / 1000, 0, std::numeric_limits<std::uint32_t>::max()));
    for (std::size_t i = 0; i < size(); ++i) {
        results::ProblemResult problem;
        if (i < m_results.size()) {
            problem.mark = m_results[i] == Result::First ? results::Mark::First
                : m_results[i] == Result::Second         ? results::Mark::Second
                                                         : results::Mark::Missed;
            problem.mistakes = m_mistakes[i];
        } else if (i == m_position) {
            problem.mistakes = m_tryMistakes;  // missed: the round ended at it
        }
        code.problems.push_back(std::move(problem));
    }
    return code;
}

std::string Round::resultCode(int number, std::int64_t milliseconds) const
{
    return results::resultCodeText(result(number, milliseconds));
}

std::string scoreText(std::size_t answered, std::size_t right, std::size_t first)
{
    return std::to_string(answered) + "問中" + std::to_string(right) + "問正解（1回目で"
        + std::to_string(first) + "問）";
}

void Record::note(Unit unit, TagSet tags, Round::Result result)
{
    for (const Tag tag : tags.list()) {
        int &streak = m_streaks[{unit, tag}];
        if (streak >= InARow) {
            continue;  // mastered once, mastered
        }
        streak = result == Round::Result::First ? streak + 1 : 0;
    }
}

int Record::streak(Unit unit, Tag tag) const
{
    const auto found = m_streaks.find({unit, tag});
    return found == m_streaks.end() ? 0 : std::min(found->second, InARow);
}

std::string Record::text() const
{
    std::string text;
    for (const auto &[key, streak] : m_streaks) {
        text += std::string(unitInfo(key.first).id) + " " + std::string(tagName(key.second)) + " "
            + std::to_string(streak) + "\n";
    }
    for (const std::string &line : m_unread) {
        text += line + "\n";
    }
    return text;
}

Record Record::fromText(std::string_view text)
{
    Record record;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.empty()) {
            continue;
        }
        const std::size_t first = line.find(' ');
        const std::size_t second = line.find(' ', first == std::string_view::npos ? 0 : first + 1);
        if (second == std::string_view::npos) {
            record.m_unread.emplace_back(line);
            continue;
        }
        const auto unit = unitNamed(line.substr(0, first));
        const std::string_view name = line.substr(first + 1, second - first - 1);
        const auto tag = std::find_if(
            AllTags.begin(), AllTags.end(), [name](Tag t) { return tagName(t) == name; });
        int streak = 0;
        const std::string_view digits = line.substr(second + 1);
        const auto read = std::from_chars(digits.data(), digits.data() + digits.size(), streak);
        if (unit && tag != AllTags.end() && read.ec == std::errc() && streak >= 0
            && read.ptr == digits.data() + digits.size()) {
            record.m_streaks[{*unit, *tag}] = std::min(streak, InARow);
        } else {
            record.m_unread.emplace_back(line);
        }
    }
    return record;
}

std::vector<Record::Row> Record::table(Unit unit) const
{
    std::vector<Row> rows;
    for (const Tag tag : unitInfo(unit).named.list()) {
        rows.push_back({tag, streak(unit, tag)});
    }
    return rows;
}

}  // namespace tobarin::practice
