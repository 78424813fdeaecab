// Result codes: thousands of random codes (every mark, every mistake, 1 to
// 50 problems, seeds to six digits and beyond) read back as written and
// within their length; one code changed in every single character and every
// pair of neighbours, and cut short at every length, never read as another;
// each way a code fails to read. Then a class's codes read into tables.

#include "engine/results/class_results.h"
#include "engine/results/result_code.h"

#include <cctype>
#include <gtest/gtest.h>
#include <iostream>
#include <random>
#include <set>

namespace tobarin::results {
namespace {

using practice::SetCode;
using practice::Unit;

// A problem's result of each shape, its mistakes drawn from the table.
ProblemResult drawnResult(std::mt19937 &random)
{
    const auto ids = mistakeIds();
    const auto id = [&] { return ids[random() % ids.size()]; };
    switch (random() % 5) {
    case 0:
        return {Mark::First, {}};
    case 1:
        return {Mark::Second, {id()}};
    case 2:
        return {Mark::Missed, {id(), id()}};
    case 3:
        return {Mark::Missed, {id()}};
    default:
        return {Mark::Missed, {}};
    }
}

TEST(ResultCode, ReadsBackEveryCodeAsWrittenWithinItsLength)
{
    std::mt19937 random(41);
    std::set<std::string_view> idsSeen;
    std::set<std::pair<Mark, std::size_t>> shapesSeen;
    for (int i = 0; i < 3000; ++i) {
        ResultCode code;
        code.set = {static_cast<Unit>(random() % 7), 1 + static_cast<int>(random() % 3),
            i % 3 == 0       ? 1
                : i % 3 == 1 ? 50
                             : 1 + static_cast<int>(random() % 50),
            i % 10 == 0 ? random() * 0x100000001ULL : random() % 1000000};
        code.number = static_cast<int>(random() % 100);
        code.seconds = i % 7 == 0
            ? UINT32_MAX
            : static_cast<std::uint32_t>(random() % (i % 2 == 0 ? 100 : 100000));
        for (int p = 0; p < code.set.count; ++p) {
            code.problems.push_back(drawnResult(random));
            shapesSeen.insert({code.problems.back().mark, code.problems.back().mistakes.size()});
            idsSeen.insert(
                code.problems.back().mistakes.begin(), code.problems.back().mistakes.end());
        }
        const std::string text = resultCodeText(code);
        const ReadResult read = readResultCode(text);
        ASSERT_TRUE(read.code) << text << ": " << read.message;
        EXPECT_EQ(*read.code, code) << text;
        if (code.set.seed < 1000000) {
            EXPECT_LE(text.size(), code.set.count <= 10 ? 120U : 300U) << text;
        }
    }
    EXPECT_EQ(idsSeen.size(), mistakeIds().size());
    EXPECT_EQ(shapesSeen.size(), 5U);
}

// The longest codes: the longest unit, six-digit seed, two mistakes of the
// largest number in every problem, the longest time.
TEST(ResultCode, TheLongestCodesKeepTheirLimits)
{
    for (const auto &[count, most] : {std::pair {10, 120U}, std::pair {50, 300U}}) {
        ResultCode code {{Unit::TimesWhole6, 3, count, 999999}, 99, {}, UINT32_MAX};
        code.problems.assign(static_cast<std::size_t>(count),
            {Mark::Missed, {mistakeIds().back(), mistakeIds().back()}});
        const std::string text = resultCodeText(code);
        EXPECT_LE(text.size(), most) << text;
        std::cout << count << " problems at most: " << text.size() << " characters\n";
    }
}

// One code, every character replaced by every printable ASCII character and
// every pair of neighbours swapped: it fails to read, or reads as the same
// code (a letter in the other case, O for 0). Cut short anywhere, it fails.
TEST(ResultCode, AMistypedOrCutCodeIsNeverReadAsAnother)
{
    ResultCode code {{Unit::Mixed5, 2, 10, 4821}, 12, {}, 754};
    std::mt19937 random(7);
    for (int p = 0; p < 10; ++p) {
        code.problems.push_back(drawnResult(random));
    }
    const std::string text = resultCodeText(code);
    const auto same = [&code](const std::string &changed) {
        const ReadResult read = readResultCode(changed);
        return !read.code || *read.code == code;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        for (char c = ' '; c <= '~'; ++c) {
            std::string changed = text;
            changed[i] = c;
            EXPECT_TRUE(same(changed)) << changed;
        }
        if (i + 1 < text.size()) {
            std::string swapped = text;
            std::swap(swapped[i], swapped[i + 1]);
            EXPECT_TRUE(swapped == text || !readResultCode(swapped).code) << swapped;
        }
        EXPECT_FALSE(readResultCode(text.substr(0, i)).code) << text.substr(0, i);
    }
    std::string lower = text;
    std::string upper = text;
    for (std::size_t i = 0; i < text.size(); ++i) {
        lower[i] = static_cast<char>(std::tolower(text[i]));
        upper[i] = static_cast<char>(std::toupper(text[i]));
    }
    std::string wide;  // full-width, as an input method types it
    for (const char c : text) {
        const unsigned point = 0xFF01U + static_cast<unsigned>(c - '!');
        wide += {'\xEF', static_cast<char>(0xBC + (point >> 6U & 1U)),
            static_cast<char>(0x80 + (point & 0x3FU))};
    }
    for (const std::string &typed : {"\t" + text + "  ", lower, upper, wide}) {
        const ReadResult read = readResultCode(typed);
        EXPECT_TRUE(read.code && *read.code == code) << typed << ": " << read.message;
    }
}

// Codes whose check agrees but which do not read: the check characters are
// found by trying each of the 1024.
struct Unreadable {
    std::string withoutCheck;
    CodeError error;
};

class ResultCodeRefuses : public testing::TestWithParam<Unreadable> { };

TEST_P(ResultCodeRefuses, SayingWhy)
{
    const Unreadable &row = GetParam();
    constexpr std::string_view Digits = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
    ReadResult read;
    for (std::size_t check = 0; check < 1024; ++check) {
        read = readResultCode(row.withoutCheck + Digits[check / 32] + Digits[check % 32]);
        if (read.error != CodeError::FailedCheck) {
            break;
        }
    }
    EXPECT_FALSE(read.code);
    EXPECT_EQ(read.error, row.error) << read.message;
    EXPECT_FALSE(read.message.empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, ResultCodeRefuses,
    testing::Values(Unreadable {"p1:5-unlike:2:1:1:3:0", CodeError::NotACode},
        Unreadable {"r1:p1:5-unlike", CodeError::NotACode},
        Unreadable {"r2:p1:5-unlike:2:1:1:3:0", CodeError::UnknownVersion},
        Unreadable {"r1:p1:5-unlike:2:1:1:3:0U", CodeError::BadCharacter},
        Unreadable {"r1:p1:5-unlike:2:1:1:3.0", CodeError::BadCharacter},
        Unreadable {"r1:p1:9-none:2:1:1:3:00", CodeError::BadSetCode},
        Unreadable {"r1:p1:5-unlike:2:1:1:100:00", CodeError::BadNumber},
        Unreadable {"r1:p1:5-unlike:2:1:1:07:00", CodeError::BadNumber},
        Unreadable {"r1:p1:5-unlike:2:6:1:3:00", CodeError::WrongLength},  // 5 problems
        Unreadable {"r1:p1:5-unlike:2:1:1:3:01", CodeError::WrongLength},  // more after it
        Unreadable {"r1:p1:5-unlike:2:1:1:3:0QY", CodeError::UnknownMistake}));  // 10 1111111

TEST(ClassResults, ReadsTheLinesIntoATableForEachSet)
{
    const auto code = [](int number, std::vector<ProblemResult> problems, const char *set) {
        const Parsed<SetCode> parsed = practice::parseSetCode(set);
        return resultCodeText({*parsed.value, number, std::move(problems), 60});
    };
    const ProblemResult first {Mark::First, {}};
    const std::string a = "p1:4-like:2:2:1";
    const std::string text = "\xEF\xBB\xBF"
        + code(5, {first, {Mark::Second, {"across+"}}}, a.c_str()) + "\r\n\r\n  "  // line 2 blank
        + code(0, {{Mark::Missed, {"general", "not-scaled"}}, first}, a.c_str()) + "  \n"
        + "r1:oops\n" + code(3, {first}, "p1:6-times:1:1:9") + "\n"
        + code(5, {{Mark::Second, {"not-scaled"}}, {Mark::Missed, {}}}, a.c_str()) + "\n"
        + code(2, {{Mark::Missed, {"not-scaled", "across+"}}, first}, a.c_str());
    const ClassResults results = readClassResults(text);
    ASSERT_EQ(results.notes.size(), 2U);
    EXPECT_TRUE(lineNoteText(results.notes[0]).starts_with("4行目: 結果コードの形"));
    EXPECT_TRUE(results.notes[0].skipped);
    EXPECT_EQ(lineNoteText(results.notes[1]),
        "6行目: p1:4-like:2:2:1 の出席番号5は、1行目にもあります。あとの6行目のほうを使います。");
    EXPECT_FALSE(results.notes[1].skipped);
    ASSERT_EQ(results.sets.size(), 2U);
    std::vector<std::pair<int, std::size_t>> pupils;
    for (const Pupil &pupil : results.sets[0].pupils) {
        pupils.emplace_back(pupil.code.number, pupil.line);
    }
    EXPECT_EQ(pupils, (std::vector<std::pair<int, std::size_t>> {{2, 7}, {5, 6}, {0, 3}}));
    const SetSummary summary = summaryOf(results.sets[0]);
    EXPECT_EQ(summary.rates[0].first, 0U);
    EXPECT_EQ(summary.rates[1].first, 2U);
    EXPECT_EQ(summary.rates[1].pupils, 3U);
    std::vector<std::tuple<std::string, std::size_t, std::vector<std::size_t>>> ranking;
    for (const MistakeRow &row : summary.mistakes) {
        ranking.emplace_back(row.words, row.pupils, row.problems);
    }
    using Row = std::tuple<std::string, std::size_t, std::vector<std::size_t>>;
    EXPECT_EQ(ranking,
        (std::vector<Row> {{"通分するとき、分子にも分母と同じ数をかけましたか。", 3, {1}},
            {"分母どうしもたしていませんか。", 1, {1}}, {"そのほか", 1, {1}}}));
}

}  // namespace
}  // namespace tobarin::results
