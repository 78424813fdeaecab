#include "engine/results/class_results.h"

#include "engine/check/mistakes.h"
#include "engine/practice/units.h"

#include <algorithm>
#include <map>
#include <set>

namespace tobarin::results {

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view IdeographicSpace = "\u3000";

bool blank(std::string_view line)
{
    while (!line.empty()) {
        if (line.starts_with(IdeographicSpace)) {
            line.remove_prefix(IdeographicSpace.size());
        } else if (std::string_view(" \t\r\v\f").find(line.front()) != std::string_view::npos) {
            line.remove_prefix(1);
        } else {
            return false;
        }
    }
    return true;
}

std::string lineName(std::size_t line)
{
    return std::to_string(line) + "行目";
}

// The columns a text takes in a terminal: ASCII one, the kana and kanji the
// table writes two. (○ △ ×, whose width differs between terminals, stand
// only at the ends of lines.)
std::size_t columns(std::string_view text)
{
    std::size_t width = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80U) {
            width += 1;
        } else if (byte >= 0xC0U) {
            width += 2;
        }
    }
    return width;
}

std::string rightAligned(std::string_view text, std::size_t width)
{
    return std::string(width - std::min(width, columns(text)), ' ') + std::string(text);
}

// "1分05秒", "42秒", as the end of a round says it.
std::string timeText(std::uint32_t seconds)
{
    const std::string second = std::to_string(seconds % 60);
    return seconds < 60
        ? second + "秒"
        : std::to_string(seconds / 60) + "分" + (second.size() < 2 ? "0" : "") + second + "秒";
}

// The first sentence of a hint, up to its first 。.
std::string firstSentence(std::string_view hint)
{
    constexpr std::string_view Stop = "。";
    const std::size_t end = hint.find(Stop);
    return std::string(end == std::string_view::npos ? hint : hint.substr(0, end + Stop.size()));
}

std::string mistakeWords(std::string_view id)
{
    if (id == GeneralMistake) {
        return "そのほか";
    }
    if (id == UnfinishedMistake) {
        return "おしい";
    }
    const std::string_view hint = mistakeHint(id);
    // A hint whose words depend on the problem has none of its own: its id stands.
    return hint.empty() ? std::string(id) : firstSentence(hint);
}

std::string percent(const ProblemRate &rate)
{
    if (rate.pupils == 0) {
        return "-";
    }
    return std::to_string((rate.first * 200 + rate.pupils) / (rate.pupils * 2)) + "%";
}

std::string problemsText(const std::vector<std::size_t> &problems)
{
    std::string text;
    for (const std::size_t problem : problems) {
        text += "(" + std::to_string(problem) + ")";
    }
    return text;
}

std::string setTitle(const SetResults &set)
{
    const ResultCode &any = set.pupils.front().code;
    return std::string(practice::unitInfo(any.set.unit).title) + "（レベル"
        + std::to_string(any.set.level) + "）";
}

std::string setHeading(const SetResults &set)
{
    return set.setCode + "  " + setTitle(set) + "  " + std::to_string(set.pupils.size()) + "人\n";
}

std::string mistakeText(const MistakeRow &row)
{
    return row.words + " " + std::to_string(row.pupils) + "人 " + problemsText(row.problems);
}

std::string setText(const SetResults &set)
{
    const int count = set.pupils.front().code.set.count;
    std::vector<std::vector<std::string>> rows {
        {"出席番号", "正解", "1回目で正解", "時間", "(1)〜(" + std::to_string(count) + ")"}};
    for (const Pupil &pupil : set.pupils) {
        std::string marks;
        for (std::size_t i = 0; i < pupil.code.problems.size(); ++i) {
            marks += (i > 0 && i % 5 == 0 ? " " : "")
                + std::string(markText(pupil.code.problems[i].mark));
        }
        rows.push_back({pupil.code.number == 0 ? "" : std::to_string(pupil.code.number),
            std::to_string(rightCount(pupil.code)), std::to_string(firstTryCount(pupil.code)),
            timeText(pupil.code.seconds), marks});
    }
    std::vector<std::size_t> widths(rows.front().size() - 1, 0);
    for (const std::vector<std::string> &row : rows) {
        for (std::size_t column = 0; column < widths.size(); ++column) {
            widths[column] = std::max(widths[column], columns(row[column]));
        }
    }
    std::string text = setHeading(set);
    for (const std::vector<std::string> &row : rows) {
        for (std::size_t column = 0; column < widths.size(); ++column) {
            text += rightAligned(row[column], widths[column]) + "  ";
        }
        text += row.back() + "\n";
    }

    const SetSummary summary = summaryOf(set);
    text += "1回目で正解の割合\n";
    for (std::size_t i = 0; i < summary.rates.size(); ++i) {
        text += "(" + std::to_string(i + 1) + ") " + percent(summary.rates[i])
            + (i + 1 == summary.rates.size() || (i + 1) % 10 == 0 ? "\n" : "  ");
    }
    text += "つまずき（多い順）\n";
    if (summary.mistakes.empty()) {
        text += "なし\n";
    }
    for (const MistakeRow &row : summary.mistakes) {
        text += mistakeText(row) + "\n";
    }
    return text;
}

// A CSV field, quoted where it holds a comma, a quotation mark or a line end.
std::string csvField(std::string_view field)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(field);
    }
    std::string quoted = "\"";
    for (const char c : field) {
        quoted += c == '"' ? "\"\"" : std::string(1, c);
    }
    return quoted + "\"";
}

std::string csvRow(const std::vector<std::string> &fields)
{
    std::string row;
    for (const std::string &field : fields) {
        row += (row.empty() ? "" : ",") + csvField(field);
    }
    return row + "\r\n";
}

std::string problemCell(const ProblemResult &problem)
{
    std::string cell(markText(problem.mark));
    if (!problem.mistakes.empty()) {
        cell += "(";
        for (std::size_t i = 0; i < problem.mistakes.size(); ++i) {
            cell += (i > 0 ? "," : "") + std::string(problem.mistakes[i]);
        }
        cell += ")";
    }
    return cell;
}

}  // namespace

std::string_view markText(Mark mark)
{
    switch (mark) {
    case Mark::First:
        return "○";
    case Mark::Second:
        return "△";
    case Mark::Missed:
        break;
    }
    return "×";
}

bool ClassResults::anySkipped() const
{
    return std::any_of(
        notes.begin(), notes.end(), [](const LineNote &note) { return note.skipped; });
}

ClassResults readClassResults(std::string_view text)
{
    if (text.starts_with(ByteOrderMark)) {
        text.remove_prefix(ByteOrderMark.size());
    }
    ClassResults results;
    std::map<std::string, std::size_t> setPlace;
    std::size_t line = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view content = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++line;
        if (blank(content)) {
            continue;
        }
        ReadResult read = readResultCode(content);
        if (!read.code) {
            results.notes.push_back({line, true, std::move(read.message)});
            continue;
        }
        const std::string setCode = practice::setCodeText(read.code->set);
        const auto [place, added] = setPlace.try_emplace(setCode, results.sets.size());
        if (added) {
            results.sets.push_back({setCode, {}});
        }
        std::vector<Pupil> &pupils = results.sets[place->second].pupils;
        const int number = read.code->number;
        const auto earlier = std::find_if(pupils.begin(), pupils.end(),
            [number](const Pupil &pupil) { return number != 0 && pupil.code.number == number; });
        if (earlier != pupils.end()) {
            results.notes.push_back({line, false,
                setCode + " の出席番号" + std::to_string(number) + "は、" + lineName(earlier->line)
                    + "にもあります。あとの" + lineName(line) + "のほうを使います。"});
            pupils.erase(earlier);
        }
        pupils.push_back({std::move(*read.code), line});
    }
    for (SetResults &set : results.sets) {
        std::stable_sort(set.pupils.begin(), set.pupils.end(), [](const Pupil &a, const Pupil &b) {
            const auto key = [](const Pupil &pupil) {
                return std::pair {pupil.code.number == 0, pupil.code.number};
            };
            return key(a) != key(b) ? key(a) < key(b) : a.line < b.line;
        });
    }
    return results;
}

std::string lineNoteText(const LineNote &note)
{
    return lineName(note.line) + ": " + note.text;
}

std::size_t rightCount(const ResultCode &code)
{
    return static_cast<std::size_t>(std::count_if(code.problems.begin(), code.problems.end(),
        [](const ProblemResult &problem) { return problem.mark != Mark::Missed; }));
}

std::size_t firstTryCount(const ResultCode &code)
{
    return static_cast<std::size_t>(std::count_if(code.problems.begin(), code.problems.end(),
        [](const ProblemResult &problem) { return problem.mark == Mark::First; }));
}

SetSummary summaryOf(const SetResults &set)
{
    SetSummary summary;
    struct Made {
        std::set<std::size_t> pupils;
        std::set<std::size_t> problems;
    };
    std::map<std::size_t, Made> made;  // by the mistake's number
    for (std::size_t p = 0; p < set.pupils.size(); ++p) {
        const std::vector<ProblemResult> &problems = set.pupils[p].code.problems;
        summary.rates.resize(std::max(summary.rates.size(), problems.size()));
        for (std::size_t i = 0; i < problems.size(); ++i) {
            summary.rates[i].first += problems[i].mark == Mark::First ? 1 : 0;
            summary.rates[i].pupils += 1;
            for (const std::string_view id : problems[i].mistakes) {
                Made &mistake = made[mistakeNumber(id).value_or(0)];
                mistake.pupils.insert(p);
                mistake.problems.insert(i + 1);
            }
        }
    }
    for (const auto &[number, mistake] : made) {
        const std::string_view id = mistakeIds()[number];
        summary.mistakes.push_back({id, mistakeWords(id), mistake.pupils.size(),
            {mistake.problems.begin(), mistake.problems.end()}});
    }
    // general and unfinished, numbers 0 and 1, go last, in that order.
    const auto last = [](const MistakeRow &row) {
        return row.id == GeneralMistake || row.id == UnfinishedMistake;
    };
    const auto middle = std::stable_partition(summary.mistakes.begin(), summary.mistakes.end(),
        [&last](const MistakeRow &row) { return !last(row); });
    std::stable_sort(summary.mistakes.begin(), middle,
        [](const MistakeRow &a, const MistakeRow &b) { return a.pupils > b.pupils; });
    return summary;
}

std::string classResultsText(const ClassResults &results)
{
    std::string text;
    for (const SetResults &set : results.sets) {
        text += (text.empty() ? "" : "\n") + setText(set);
    }
    return text;
}

std::vector<SetTable> classTables(const ClassResults &results)
{
    std::vector<SetTable> tables;
    for (const SetResults &set : results.sets) {
        SetTable table;
        table.setCode = set.setCode;
        table.title = setTitle(set);
        table.problemCount = static_cast<std::size_t>(set.pupils.front().code.set.count);
        for (const Pupil &pupil : set.pupils) {
            PupilRow row {pupil.code.number == 0 ? "" : std::to_string(pupil.code.number),
                rightCount(pupil.code), firstTryCount(pupil.code), timeText(pupil.code.seconds),
                {}};
            for (const ProblemResult &problem : pupil.code.problems) {
                row.marks.push_back(problem.mark);
            }
            table.pupils.push_back(std::move(row));
        }
        const SetSummary summary = summaryOf(set);
        for (const ProblemRate &rate : summary.rates) {
            table.rates.push_back(percent(rate));
        }
        for (const MistakeRow &row : summary.mistakes) {
            table.mistakes.push_back(
                {row.words, row.pupils, problemsText(row.problems), mistakeText(row)});
        }
        tables.push_back(std::move(table));
    }
    return tables;
}

std::string classResultsCsv(const ClassResults &results)
{
    if (results.sets.empty()) {
        return {};
    }
    std::string csv(ByteOrderMark);
    for (const SetResults &set : results.sets) {
        if (csv.size() > ByteOrderMark.size()) {
            csv += "\r\n";
        }
        std::vector<std::string> header {
            "セット", "出席番号", "正解数", "1回目で正解", "時間（秒）"};
        for (int i = 1; i <= set.pupils.front().code.set.count; ++i) {
            header.push_back("(" + std::to_string(i) + ")");
        }
        csv += csvRow(header);
        for (const Pupil &pupil : set.pupils) {
            std::vector<std::string> row {set.setCode,
                pupil.code.number == 0 ? "" : std::to_string(pupil.code.number),
                std::to_string(rightCount(pupil.code)), std::to_string(firstTryCount(pupil.code)),
                std::to_string(pupil.code.seconds)};
            for (const ProblemResult &problem : pupil.code.problems) {
                row.push_back(problemCell(problem));
            }
            csv += csvRow(row);
        }
    }
    return csv;
}

}  // namespace tobarin::results
