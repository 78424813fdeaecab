#pragma once

#include "engine/results/result_code.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The class's results (クラスの結果): the result codes the pupils handed in,
// one a line, read into a table for each set, and shown as text or CSV. The
// same on the command line, the desktop and the page.
namespace tobarin::results {

// One pupil's code, and the line of the text it was read from (from 1).
struct Pupil {
    ResultCode code;
    std::size_t line = 0;
};

// The pupils of one set: by 出席番号, those without one last in the order of
// their lines.
struct SetResults {
    std::string setCode;  // as the set code writes it
    std::vector<Pupil> pupils;
};

// What is said of a line: why it was skipped, or that it took the place of
// an earlier line with the same 出席番号 for the same set.
struct LineNote {
    std::size_t line = 0;
    bool skipped = false;
    std::string text;  // in Japanese, without the line number
};

struct ClassResults {
    std::vector<SetResults> sets;  // in the order each set's first code came
    std::vector<LineNote> notes;  // in the order of the lines
    [[nodiscard]] bool anySkipped() const;
};

// Reads lines of codes: a line may end in LF or CR LF; blank lines are
// skipped, and blanks around a code ignored; a byte-order mark at the start
// is no part of the first line. A line that is not a code is noted and
// skipped (readResultCode says why). Of two codes of one set with the same
// 出席番号, the later line counts, and the earlier one is noted; a code
// without a 出席番号 is never a duplicate.
[[nodiscard]] ClassResults readClassResults(std::string_view text);

// "12行目: " and the note.
[[nodiscard]] std::string lineNoteText(const LineNote &note);

// What a set's table shows beside the marks.
struct ProblemRate {
    std::size_t first = 0;  // pupils right at the first try
    std::size_t pupils = 0;
};
struct MistakeRow {
    std::string_view id;
    std::string
        words;  // the first sentence of its hint; そのほか and おしい for the two of their own
    std::size_t pupils = 0;  // who made it at least once
    std::vector<std::size_t> problems;  // where it was made (from 1), in order
};
struct SetSummary {
    std::vector<ProblemRate> rates;  // one for each problem
    // The mistakes made, most pupils first (ties in the order of the code's
    // table), general and unfinished last.
    std::vector<MistakeRow> mistakes;
};
[[nodiscard]] SetSummary summaryOf(const SetResults &set);

// A pupil's score: right at the first or second try, and at the first.
[[nodiscard]] std::size_t rightCount(const ResultCode &code);
[[nodiscard]] std::size_t firstTryCount(const ResultCode &code);

// Each set: its code heading it, the pupils (出席番号, score, right at the
// first try, time, the marks ○ △ × in groups of five), each problem's rate
// right at the first try, and the class's mistakes, one a line: the words,
// the pupils with 人 and the problems, 「分母どうしもたしていませんか。 9人 (2)(5)(7)」.
[[nodiscard]] std::string classResultsText(const ClassResults &results);

// A set's table as the windows show it (the desktop's and the page's), in
// the words of the text above: no front-end reads or ranks codes itself.
struct PupilRow {
    std::string number;  // "" for none
    std::size_t right = 0;  // at the first or second try
    std::size_t firstTry = 0;
    std::string time;  // "1分05秒"
    std::vector<Mark> marks;  // one for each problem
};
struct MistakeLine {
    std::string words;  // the first sentence of its hint
    std::size_t pupils = 0;
    std::string problems;  // "(2)(5)(7)"
    std::string text;  // 「分母どうしもたしていませんか。 9人 (2)(5)(7)」
};
struct SetTable {
    std::string setCode;
    std::string title;  // the unit and level, 「分母のちがう分数のたし算（レベル2）」
    std::size_t problemCount = 0;
    std::vector<PupilRow> pupils;  // in the order of SetResults
    std::vector<std::string> rates;  // each problem's right at the first try, "80%"
    std::vector<MistakeLine> mistakes;  // as summaryOf ranks them
};
[[nodiscard]] std::vector<SetTable> classTables(const ClassResults &results);

// What a mark is written as: ○, △ or ×.
[[nodiscard]] std::string_view markText(Mark mark);

// UTF-8 with a byte-order mark, lines ending in CR LF, a set's rows after
// its header row セット,出席番号,正解数,1回目で正解,時間（秒）,(1),…,(N),
// a blank line between sets. A problem's cell is ○, △ or ×, followed by the
// mistakes of its wrong tries in parentheses when there are any: △(across+),
// ×(not-scaled,general) (quoted, as it holds a comma).
[[nodiscard]] std::string classResultsCsv(const ClassResults &results);

}  // namespace tobarin::results
