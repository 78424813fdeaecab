#pragma once

#include "engine/check/answer_check.h"
#include "engine/practice/set_code.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The result code (結果コード) a pupil hands to the teacher at the end of a
// set: which set, the 出席番号, how each problem went, the mistakes of its
// wrong tries and the time taken, in a short line that survives being typed,
// pasted, read aloud or shown as a QR code:
//
//     r1:p1:5-unlike:2:10:4821:12:WK1100006
//
// "r1" is the version of the code, then the set code as it is written
// (engine/practice/set_code.h), the 出席番号 (1 to 99, or 0 for none), and
// the rest in the 32 letters and digits of Crockford's base 32
// (0123456789ABCDEFGHJKMNPQRSTVWXYZ: no I, L, O or U beside 1 and 0), in
// capitals; read in either case, with O read as 0 and I and L as 1 there. Its
// last two characters are a check over every character from "r1:". A later
// version of the code gets a new name and still reads r1 codes as this one
// does.
namespace tobarin::results {

inline constexpr std::string_view CodeVersion = "r1";

// How a problem went: right at the first try (○), right at the second (△),
// or not right (×: missed twice, or not reached before the round ended).
enum class Mark { First, Second, Missed };

struct ProblemResult {
    Mark mark = Mark::Missed;
    // The mistake of each wrong try, in the order of the tries (MistakeIds):
    // none for First, one for Second; for Missed two, or fewer where the
    // round ended first (none for a problem not reached).
    std::vector<std::string_view> mistakes;

    friend bool operator==(const ProblemResult &, const ProblemResult &) = default;
};

inline constexpr int MostNumber = 99;  // 出席番号 1 to 99; 0 is none

// A 出席番号 as an option gives it: ASCII digits, 1 to MostNumber (leading
// zeros allowed); or a message in English that says what is allowed.
[[nodiscard]] Parsed<int> parseNumber(std::string_view text);

struct ResultCode {
    practice::SetCode set;
    int number = 0;  // 0 (none) to MostNumber
    std::vector<ProblemResult> problems;  // one for each problem of the set, in order
    std::uint32_t seconds = 0;  // from the first problem shown to the last answer

    friend bool operator==(const ResultCode &, const ResultCode &) = default;
};

// The mistakes a code can carry, each with its fixed number in r1 codes: the
// known mistakes of the answer check (engine/check/mistakes.h), `general` for
// a wrong answer that shows none of them, and `unfinished` for the right
// value not finished (おしい). The numbers never change; a later version adds
// ids after the last one, up to MostMistakeNumber, and an r1 code with them
// still reads.
inline constexpr std::string_view GeneralMistake = "general";
inline constexpr std::string_view UnfinishedMistake = "unfinished";
inline constexpr std::size_t MostMistakeNumber = 127;
[[nodiscard]] std::span<const std::string_view> mistakeIds();
// The number of an id, or nothing for one the table does not have.
[[nodiscard]] std::optional<std::size_t> mistakeNumber(std::string_view id);

// The mistake a wrong try is noted with: the one its check shows, `general`
// when it shows none, `unfinished` for the right value not finished; nothing
// for a right answer or one with nothing to check.
[[nodiscard]] std::optional<std::string_view> triedMistake(const AnswerCheck &check);

// The code as it is written. Its problems must be as many as the set's
// count, each with the mistakes its mark allows, and the number 0 to
// MostNumber: otherwise std::invalid_argument. A mistake id the table does
// not have is written as `general`, so that the code still reads.
[[nodiscard]] std::string resultCodeText(const ResultCode &code);

// Why a text is not a result code.
enum class CodeError {
    NotACode,  // not of the form r1:SET:NUMBER:RESULT
    UnknownVersion,  // r2 or later, which this version cannot read
    BadCharacter,  // a character a code never has
    FailedCheck,  // the check characters do not agree: mistyped or cut short
    BadSetCode,  // the check agrees, but the set code does not read
    BadNumber,  // the 出席番号 is not 0 to 99 as written
    WrongLength,  // the rest does not hold the set's problems exactly
    UnknownMistake,  // a mistake of a later version of the table
};

struct ReadResult {
    std::optional<ResultCode> code;
    CodeError error = CodeError::NotACode;
    std::string message;  // why it does not read, in Japanese, naming what was found
};

// A code as it was typed or pasted: blanks around it are ignored, and
// full-width letters, digits and punctuation read as their ASCII forms.
[[nodiscard]] ReadResult readResultCode(std::string_view text);

}  // namespace tobarin::results
