#pragma once

#include "engine/number/written_number.h"
#include "engine/practice/units.h"

#include <cstdint>
#include <string>
#include <string_view>

// The code of a practice set: VERSION:UNIT:LEVEL:COUNT:SEED, such as
// "p2:5-unlike:2:10:4821". The same code gives the same problems in the same
// order everywhere. The version is the generator's: p1 the first, p2 the one
// that chooses as a teacher does, which new codes name; a p1 code still gives
// exactly the set it gave.
namespace tobarin::practice {

inline constexpr std::string_view FirstVersion = "p1";
inline constexpr std::string_view CodeVersion = "p2";
inline constexpr int MostProblems = 50;
inline constexpr int DefaultCount = 10;

struct SetCode {
    Unit unit = Unit::Like4;
    int level = DefaultLevel;  // LowestLevel to HighestLevel
    int count = DefaultCount;  // 1 to MostProblems
    std::uint64_t seed = 0;
    int version = 2;  // of the generator: 1 or 2

    friend bool operator==(const SetCode &, const SetCode &) = default;
};

// The code as it is written: a seed without leading zeros.
[[nodiscard]] std::string setCodeText(const SetCode &code);

// A code, p1 or p2, or a message in English that says what is allowed: an unknown
// version, unit, a level not 1–3, a count not 1–50, a seed that is not a
// whole number from 0 to 2^64 − 1, or a code of another shape.
[[nodiscard]] Parsed<SetCode> parseSetCode(std::string_view text);

// Each part alone, as the command line's options give them, with the same
// messages. Numbers are ASCII digits, leading zeros allowed ("02" is 2).
[[nodiscard]] Parsed<Unit> parseUnit(std::string_view text);
[[nodiscard]] Parsed<int> parseLevel(std::string_view text);
[[nodiscard]] Parsed<int> parseCount(std::string_view text);
[[nodiscard]] Parsed<std::uint64_t> parseSeed(std::string_view text);

// "4-like, 5-unlike, 5-mixed, 6-times-whole, 6-times, 6-divide, 7-signed".
[[nodiscard]] std::string unitIds();

}  // namespace tobarin::practice
