#pragma once

#include "engine/practice/generator.h"
#include "engine/practice/tags.h"
#include "engine/practice/units.h"
#include "engine/problem/problem.h"

#include <optional>
#include <string>

// Practice with problems of several terms: 6-three (× ÷ of three numbers,
// fractions with a decimal, a whole or a mixed number among them), 6-order
// (the order of + − and × ÷, parentheses) and 7-mixed (the four rules with
// signs, parentheses and powers).
//
// The rules each problem keeps, beyond those of every unit (each number in
// lowest terms, a mixed number's fraction part proper, no denominator 1, the
// level's largest denominator and integer parts, an improper fraction at
// most 2 × its denominator + 1 below level 3, a whole-number factor or
// divisor 2 or more, never the same number twice across − or ÷, no division
// by 0):
//   - how many numbers: 6-three three; the others three at level 1, three or
//     four at level 2, four at level 3;
//   - the level's limits inside the problem: in each × ÷ group the product
//     of the numerators and that of the denominators, after the reciprocal
//     of each divisor, at most LevelLimits::products; in each sum the least
//     common denominator of its terms at most LevelLimits::commonDenominator;
//     a power's base at most 5 (², over at most 5) or 3 (³);
//   - 6-three: one × ÷ group of three numbers, at least two with a fraction,
//     decimals of one or two places; the answer above 0;
//   - 6-order: fractions, whole numbers and decimals, + or − beside × or ÷,
//     or parentheses; no sign, no power; every total from the left and the
//     answer 0 or more;
//   - 7-mixed: fractions and integers, signed, no mixed number nor decimal,
//     powers of 2 or 3; the answer any value; no denominator above 10 below
//     level 3.
namespace tobarin::practice {

[[nodiscard]] bool isSeveralTermUnit(Unit unit);

// The tags of a problem that is not two numbers and one operation, from its
// expression and its working: decimal, whole, mixed, divide, cancel (its
// working cancels across, 途中で約分する), times-first (worked from the left
// it has another value), order (+ − beside × ÷ outside parentheses), paren,
// power, neg (a negative number or a minus sign in front), zero (the answer 0).
[[nodiscard]] TagSet severalTermTags(const Problem &problem);

// What a problem breaks of a several-term unit's rules at a level, or nothing.
[[nodiscard]] std::optional<std::string> severalTermBrokenRule(
    Unit unit, int level, const Problem &problem);

namespace making {
// The p2 set of a several-term unit's code.
[[nodiscard]] PracticeSet severalTermSet(const SetCode &code);
}  // namespace making

}  // namespace tobarin::practice
