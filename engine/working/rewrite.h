#pragma once

#include "engine/number/written_number.h"

// How a working rewrites one number: its parts read as the textbook reads
// them, and the number made improper, reduced or put over another
// denominator. The arithmetic is checked: a part beyond 128 bits is run-time
// error 6 (never for the numbers of a problem the window answers, whose
// operands fit 32 bits).
namespace tobarin::rewrite {

[[nodiscard]] bool isZero(const WrittenNumber &x);
[[nodiscard]] bool isWhole(const WrittenNumber &x);
// The denominator a number brings to a common denominator: 1 for a whole.
[[nodiscard]] wide::Int128 denominatorOf(const WrittenNumber &x);
// The magnitude over its own denominator: 2 1/3 is 7 (thirds).
[[nodiscard]] wide::Int128 improperNumerator(const WrittenNumber &x);
// n / d as a result is written: 0 and a denominator of 1 as a whole number.
[[nodiscard]] WrittenNumber resultOf(wide::Int128 n, wide::Int128 d, bool negative);
[[nodiscard]] WrittenNumber magnitudeOf(WrittenNumber x);
// A mixed number made improper; any other number as it is.
[[nodiscard]] WrittenNumber improperOf(const WrittenNumber &x);
// In lowest terms: the fraction part reduced, written whole where nothing of
// it is left.
[[nodiscard]] WrittenNumber lowestOf(const WrittenNumber &x);
// A fraction part not in lowest terms, or over 1: it is then written as a
// whole number (a fraction part of 0 too).
[[nodiscard]] bool reducible(const WrittenNumber &x);
// The fraction part over another denominator, a multiple of its own.
[[nodiscard]] WrittenNumber over(WrittenNumber x, wide::Int128 den);

// Checked arithmetic: run-time error 6 beyond 128 bits.
[[nodiscard]] wide::Int128 times(wide::Int128 a, wide::Int128 b);
[[nodiscard]] wide::Int128 plus(wide::Int128 a, wide::Int128 b);
[[nodiscard]] wide::Int128 lcm(wide::Int128 a, wide::Int128 b);

}  // namespace tobarin::rewrite
