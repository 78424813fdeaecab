#pragma once

#include "engine/practice/generator.h"
#include "engine/practice/tags.h"
#include "engine/practice/units.h"
#include "engine/problem/problem.h"

#include <optional>
#include <string>
#include <string_view>

// Practice with conversion problems: 4-convert (仮分数 → 帯分数, 帯分数 →
// 仮分数, → 整数), 5-reduce (約分), 5-common (通分) and 5-decimal (分数 → 小数,
// 小数 → 分数). Their codes are p2 codes only.
//
// The rules each problem keeps, at a level with largest denominator L,
// integer parts up to W (the + − column) and common denominators up to C:
//   - 4-convert: a fraction in lowest terms (or its mixed number) with a
//     denominator up to L and an integer part from 1 to W, or a whole number
//     from 1 to W over a denominator up to L, for → 整数;
//   - 5-reduce: a fraction that reduces, its denominator up to 2L;
//   - 5-common: two proper fractions in lowest terms (three at level 3), of
//     denominators up to L, all different, their least common multiple up to C;
//   - 5-decimal: → 小数, a proper fraction in lowest terms, or a mixed number
//     with an integer part up to W, over 2, 4, 5, 8, 10, 20 or 25; → 分数, a
//     decimal of one to three places, no trailing zero, an integer part up to W.
// No problem is given twice in a set, nor in 5-common a set of denominators.
namespace tobarin::practice {

[[nodiscard]] bool isConversionUnit(Unit unit);

// The tags of a conversion: its form (to-mixed, to-improper, to-whole,
// to-decimal, to-fraction), of 約分 the size of the divisor (gcd-small,
// gcd-large) and to-whole where it ends in a whole number, of 通分 the
// denominators (multiple, coprime, shared), of → 分数 reduce where the
// fraction over 10, 100 or 1000 reduces.
[[nodiscard]] TagSet conversionTags(const Conversion &conversion);

// What a problem breaks of a conversion unit's rules at a level, or nothing.
[[nodiscard]] std::optional<std::string> conversionBrokenRule(
    Unit unit, int level, const Problem &problem);

// The line that tells a pupil what to do with a conversion problem:
// 「帯分数に直しましょう。」, 「約分しましょう。」...; empty for any other problem.
[[nodiscard]] std::string_view instructionLine(const Problem &problem);

namespace making {
// The p2 set of a conversion unit's code.
[[nodiscard]] PracticeSet conversionSet(const SetCode &code);
}  // namespace making

}  // namespace tobarin::practice
