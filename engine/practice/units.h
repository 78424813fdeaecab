#pragma once

#include "engine/practice/tags.h"

#include <optional>
#include <span>
#include <string_view>

#include "form/definition.h"

// The textbook units that practice sets follow, and the three levels of
// difficulty with the limits on their numbers.
namespace tobarin::practice {

enum class Unit {
    Like4,  // 4-like: + − with like denominators, no 約分 in the answer
    Unlike5,  // 5-unlike: + − of two fractions with unlike denominators
    Mixed5,  // 5-mixed: + − with mixed numbers
    TimesWhole6,  // 6-times-whole: a fraction × or ÷ a whole number
    Times6,  // 6-times: × of two fractions
    Divide6,  // 6-divide: ÷ of two fractions
    Signed7,  // 7-signed: + − × ÷ of signed fractions
    Three6,  // 6-three: × ÷ of three numbers, fractions, decimals and whole numbers
    Order6,  // 6-order: the order of + − and × ÷, parentheses
    Mixed7,  // 7-mixed: the four rules with signs, parentheses and powers
    Convert4,  // 4-convert: 仮分数 → 帯分数, 帯分数 → 仮分数, → 整数
    Reduce5,  // 5-reduce: 約分
    Common5,  // 5-common: 通分 of two fractions (three at level 3)
    Decimal5,  // 5-decimal: 分数 → 小数 and 小数 → 分数
};

struct UnitInfo {
    Unit unit;
    std::string_view id;  // "5-unlike", as set codes and the command line write it
    std::string_view title;  // "小5 分母がちがう分数のたし算・ひき算"
    // The tags the unit is about. A set holds each of them at least once
    // where it has enough problems, except improper and zero, which are
    // named but not promised.
    TagSet named;
    // The form of the answer that the unit asks for: 中学 (7-signed) writes
    // improper fractions, the 小学 units mixed numbers.
    AnswerForm answerForm;
};

// Every unit, in the order of the textbooks.
[[nodiscard]] std::span<const UnitInfo> units();
[[nodiscard]] const UnitInfo &unitInfo(Unit unit);
[[nodiscard]] std::optional<Unit> unitNamed(std::string_view id);
// The tags a set of the unit promises: its named tags less improper and zero.
[[nodiscard]] TagSet promisedTags(Unit unit);

inline constexpr int LowestLevel = 1;
inline constexpr int HighestLevel = 3;
inline constexpr int DefaultLevel = 2;  // the textbook's; 3 is 発展, beyond it

// The limits that every problem of a level keeps.
struct LevelLimits {
    int level;
    int largestDenominator;  // denominators from 2 to this; a whole-number operand up to it too
    int commonDenominator;  // + −: the least common multiple of the denominators at most this
    int wholePartsAddSubtract;  // + −: a mixed number's integer part at most this
    int wholePartsMultiplyDivide;  // × ÷: likewise
    // × ÷: the product of the improper numerators and that of the
    // denominators, after the reciprocal for ÷, each at most this.
    int products;

    // A mixed number's largest integer part in the operation.
    [[nodiscard]] int wholeParts(Operation operation) const;
    // An improper fraction is less than this whole number (4, 4, 6): written
    // as a mixed number, its integer part would keep the smaller of the two
    // limits on integer parts, so that it stays near the textbooks' 7/5 and
    // 9/4 rather than 49/11.
    [[nodiscard]] int improperBelow() const;
};

// The limits of a level from LowestLevel to HighestLevel.
[[nodiscard]] const LevelLimits &levelLimits(int level);

}  // namespace tobarin::practice
