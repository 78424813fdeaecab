#pragma once

#include "engine/number/written_number.h"
#include "engine/problem/expression.h"

// The exact value of an expression, and of the same expression as a pupil who
// misreads it works it out (engine/check/mistakes.h).
//
// Every value along the way is a fraction in lowest terms whose numerator and
// denominator each fit 64 bits (their products are formed in 128 bits): a
// value beyond that is run-time error 6, a division by 0 run-time error 11
// (RuntimeError, engine/number/runtime_error.h), whichever is met first,
// working from the left: parentheses and powers before the operations around
// them, × ÷ before + -. A number too long to be kept is error 6.
namespace tobarin {

// How an expression is read: as written, or with one misreading.
struct Reading {
    bool leftToRight = false;  // × ÷ take no precedence over + -
    bool withoutSumParentheses = false;  // every parenthesis holding + or - left out
    enum class Power {
        AsWritten,
        SignInside,  // -a^n read as (-a)^n, and (-a)^n as -(a^n)
        Times,  // a^n read as a × n
        NumeratorOnly,  // (N/D)^n read as N^n / D
        DenominatorOnly,  // (N/D)^n read as N / D^n
    };
    Power power = Power::AsWritten;
};

// Throws RuntimeError 6 or 11.
[[nodiscard]] Fraction exactValue(const Expression &expression, const Reading &reading = {});

// Whether a value fits the exact arithmetic: numerator and denominator within 64 bits.
[[nodiscard]] bool fitsExactly(const Fraction &value);

}  // namespace tobarin
