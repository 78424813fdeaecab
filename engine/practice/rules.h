#pragma once

#include "engine/practice/shape.h"
#include "engine/practice/units.h"
#include "engine/problem/problem.h"

#include <optional>
#include <string>
#include <string_view>

#include "form/definition.h"

// The rules that every problem of a practice set keeps.
//
// Every unit: each operand written as a practice problem writes it (isPracticeNumber),
// in lowest terms, a mixed number's fraction part proper, no denominator 1;
// outside 7-signed no 0 operand, no negative operand and an answer above 0;
// never the same value twice in − and ÷; no division by 0. The level's limits
// (LevelLimits): every denominator, and every whole-number operand, at most
// its largest denominator; in + − the common denominator and the integer
// parts, in × ÷ the integer parts and the products before cancelling. A
// whole-number operand is 1 or more, in × ÷ 2 or more. An improper fraction
// is less than LevelLimits::improperBelow().
//
// Each unit (units.h):
//   4-like         + −: fractions and mixed numbers with the same denominator,
//                  and a whole number only as the first operand of −; the
//                  answer in lowest terms over that denominator (no 約分).
//   5-unlike       + −: two fractions without an integer part, with
//                  different denominators.
//   5-mixed        + −: a mixed number, and a mixed number, a fraction less
//                  than 1 or a whole number.
//   6-times-whole  × ÷: a fraction without an integer part and a whole
//                  number; ÷ only by the whole number.
//   6-times        ×; 6-divide ÷: two fractions, mixed numbers allowed.
//   7-signed       + − × ÷: fractions without an integer part, one or both
//                  negative; 0 may be one operand, not the divisor.
namespace tobarin::practice {

// What a problem breaks, in a few words, or nothing when it keeps every rule
// of the unit at the level (LowestLevel to HighestLevel).
[[nodiscard]] std::optional<std::string> brokenRule(
    Unit unit, int level, const Problem &problem, int version = 2);
[[nodiscard]] std::optional<std::string_view> brokenRule(Unit unit, const LevelLimits &limits,
    int version, Operation operation, const WrittenNumber &a, const WrittenNumber &b);

}  // namespace tobarin::practice
