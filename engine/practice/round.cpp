#include "engine/practice/round.h"

#include "engine/solve.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace tobarin::practice {

std::string_view formWanted(Unit unit)
{
    return unitInfo(unit).answerForm == AnswerForm::Improper ? "仮分数で答えましょう。"
                                                             : "帯分数でも仮分数でもよい。";
}

Round::Round(PracticeSet set, Method method)
    : m_set(std::move(set))
    , m_method(method)
{
}

const Solution &Round::solution()
{
    if (!m_solution) {
        m_solution = solve(current().problem, unitInfo(m_set.code.unit).answerForm, m_method);
    }
    return *m_solution;
}

Round::Answered Round::answer(const WrittenNumber &typed)
{
    return take(checkAnswer(solution(), typed));
}

Round::Answered Round::answer(const TypedOperand &typed)
{
    return take(checkAnswer(solution(), typed));
}

Round::Answered Round::take(AnswerCheck check)
{
    switch (categoryOf(check.verdict)) {
    case VerdictCategory::Correct:
        m_results.push_back(m_tries == 0 ? Result::First : Result::Second);
        ++m_position;
        m_tries = 0;
        m_solution.reset();
        return {Outcome::Right, std::move(check), {}};
    case VerdictCategory::Close:
    case VerdictCategory::Wrong:
        break;
    case VerdictCategory::NoAnswer:
    case VerdictCategory::Unreadable:
        return {Outcome::NotRead, std::move(check), {}};
    }
    if (m_tries == 0) {
        m_tries = 1;
        return {Outcome::TryAgain, std::move(check), {}};
    }
    Answered missed {Outcome::Missed, std::move(check), solution().working};
    m_results.push_back(Result::Missed);
    ++m_position;
    m_tries = 0;
    m_solution.reset();
    return missed;
}

std::size_t Round::right() const
{
    return static_cast<std::size_t>(std::count_if(
        m_results.begin(), m_results.end(), [](Result r) { return r != Result::Missed; }));
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

Working Round::workingOf(std::size_t problem) const
{
    return solve(m_set.problems.at(problem).problem, unitInfo(m_set.code.unit).answerForm, m_method)
        .working;
}

std::string scoreText(std::size_t answered, std::size_t right)
{
    return std::to_string(answered) + "問中" + std::to_string(right) + "問正解";
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
