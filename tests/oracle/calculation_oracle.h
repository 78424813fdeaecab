#pragma once

// What Calculate must do with given field texts, sign boxes and operation,
// worked out apart from the engine: the run-time error (6 or 11) it must
// raise, the denominator message, or the exact answer. Shared by the
// property test, the fuzz target and the soak test of the window.
//
// The fields are read with the engine's own TextValue and ToLong (tested on
// their own). From there on the calculation is followed in 128-bit integers,
// including the signed GCD; an answer is then checked against the exact value
// of first ∘ second worked out as plain fractions, and the two must agree.

#include "engine/number/conversions.h"
#include "engine/number/runtime_error.h"

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tobarin::oracle {

__extension__ using Int = __int128;

inline constexpr Int Max32 = 2147483647;
inline constexpr Int Min32 = -Max32 - 1;
inline constexpr Int TopWhole = 922337203685477;  // the largest whole number a Currency holds

inline Int magnitude(Int v)
{
    return v < 0 ? -v : v;
}

inline std::string decimal(Int v)
{
    if (v == 0) {
        return "0";
    }
    std::string digits;
    for (Int m = magnitude(v); m > 0; m /= 10) {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(m % 10)));
    }
    return v < 0 ? "-" + digits : digits;
}

// The greatest common divisor of |a| and |b|, never negative.
inline Int plainGcd(Int a, Int b)
{
    a = magnitude(a);
    b = magnitude(b);
    while (b != 0) {
        const Int r = a % b;
        a = b;
        b = r;
    }
    return a;
}

// A reduced fraction with a positive denominator, or N / D as Calculate forms them.
struct Fraction {
    Int n = 0;
    Int d = 0;
};

struct Outcome {
    enum Kind { Answer, Message, Error } kind = Answer;
    int error = 0;
    Fraction value;  // the exact answer, reduced, positive denominator
};

namespace detail {

// A run-time error that Calculate must raise; thrown through the functions below.
struct Predicted {
    int number;
};

// Euclid's algorithm on truncating remainders: the sign of the result is that
// of the last non-zero value of the chain.
inline Int signedGcd(Int m, Int n)
{
    while (n != 0) {
        const Int r = m % n;  // truncating: zero or of the sign of m
        m = n;
        n = r;
    }
    return m;
}

// A value stored into a 32-bit integer.
inline Int store32(Int v)
{
    if (v < Min32 || v > Max32) {
        throw Predicted {RuntimeError::Overflow};
    }
    return v;
}

// a / g in double, stored into 32 bits; g divides a, so the quotient is exact.
inline Int divideStore32(Int a, Int g)
{
    if (g == 0) {
        throw Predicted {a == 0 ? RuntimeError::Overflow : RuntimeError::DivisionByZero};
    }
    if (a % g != 0) {
        throw std::logic_error("oracle: a GCD does not divide its argument");
    }
    return store32(a / g);
}

// The 32-bit GCD of two 32-bit values: GCD in Currency, then ToLong.
inline Int gcd32(Int m, Int n)
{
    return store32(signedGcd(m, n));
}

// A whole Currency result: error 6 beyond the range.
inline Int wholeCurrency(Int v)
{
    if (magnitude(v) > TopWhole) {
        throw Predicted {RuntimeError::Overflow};
    }
    return v;
}

// LCM(m, n): |m × n| in Currency, divided by the signed GCD in double.
inline Int lcm(Int m, Int n)
{
    const Int g = signedGcd(m, n);
    const Int product = magnitude(wholeCurrency(m * n));
    if (g == 0) {
        throw Predicted {product == 0 ? RuntimeError::Overflow : RuntimeError::DivisionByZero};
    }
    return product / g;
}

struct Operand {
    Int den = 0;
    Int num = 0;
    Int whole = 0;
    Int improper = 0;
};

// The improper numerator, with the sign box applied.
inline void makeImproper(Operand &op, bool negative)
{
    if (op.den == 0) {
        op.den = 1;
        op.improper = op.whole;
    } else {
        op.improper = store32(store32(op.whole * op.den) + op.num);
    }
    if (negative) {
        op.improper = store32(-op.improper);
    }
}

inline void reduce(Operand &op)
{
    const Int g = gcd32(op.den, op.improper);
    op.den = divideStore32(op.den, g);
    op.improper = divideStore32(op.improper, g);
}

// N and D as the chosen operation forms them, before the sign is moved.
inline Fraction apply(Operand a, Operand b, int operation)
{
    switch (operation) {
    case 0:
    case 1: {
        const Int d = lcm(a.den, b.den);
        const Int t1 = d / a.den * a.improper;
        const Int t2 = d / b.den * b.improper;
        return {wholeCurrency(operation == 0 ? t2 + t1 : t1 - t2), d};
    }
    case 2: {
        const Int g1 = gcd32(a.den, b.improper);
        a.den = divideStore32(a.den, g1);
        b.improper = divideStore32(b.improper, g1);
        const Int g2 = gcd32(a.improper, b.den);
        a.improper = divideStore32(a.improper, g2);
        b.den = divideStore32(b.den, g2);
        const Int n = wholeCurrency(b.improper * a.improper);
        return {n, store32(a.den * b.den)};
    }
    case 3: {
        if (b.improper == 0) {
            throw Predicted {RuntimeError::DivisionByZero};
        }
        const Int g1 = gcd32(a.den, b.den);
        a.den = divideStore32(a.den, g1);
        b.den = divideStore32(b.den, g1);
        const Int g2 = gcd32(a.improper, b.improper);
        a.improper = divideStore32(a.improper, g2);
        b.improper = divideStore32(b.improper, g2);
        return {store32(a.improper * b.den), store32(b.improper * a.den)};
    }
    default:
        return {0, 0};
    }
}

// Reduced, with a positive denominator.
inline Fraction normalised(Fraction f)
{
    if (f.d < 0) {
        f = {-f.n, -f.d};
    }
    const Int g = plainGcd(f.n, f.d);
    return g == 0 ? f : Fraction {f.n / g, f.d / g};
}

// The operand's exact value as a plain fraction, worked out apart from
// Calculate's way: sign × (whole × den + num) / den, or the whole number alone.
inline Fraction exactValue(const Operand &typed, bool negative)
{
    Fraction f = typed.den == 0 ? Fraction {typed.whole, 1}
                                : Fraction {typed.whole * typed.den + typed.num, typed.den};
    if (negative) {
        f.n = -f.n;
    }
    return f;
}

inline Fraction exactResult(
    const Operand &a, bool negativeA, const Operand &b, bool negativeB, int operation)
{
    const Fraction x = exactValue(a, negativeA);
    const Fraction y = exactValue(b, negativeB);
    switch (operation) {
    case 0:
        return normalised({x.n * y.d + y.n * x.d, x.d * y.d});
    case 1:
        return normalised({x.n * y.d - y.n * x.d, x.d * y.d});
    case 2:
        return normalised({x.n * y.n, x.d * y.d});
    case 3:
        return normalised({x.n * y.d, x.d * y.n});
    default:
        return {0, 1};  // no operation selected: the answer 0
    }
}

// A label that holds a plain non-negative decimal number (no sign, no leading
// zero, no blank); "" reads as no value.
inline std::optional<Int> plainNumber(std::string_view caption, bool &valid)
{
    valid = true;
    if (caption.empty()) {
        return std::nullopt;
    }
    valid = caption.size() <= 19 && (caption.size() == 1 || caption[0] != '0');
    Int value = 0;
    for (const char c : caption) {
        valid = valid && c >= '0' && c <= '9';
        if (!valid) {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace detail

// The six field texts in the order integer part, numerator, denominator of the
// first operand (Text1(2), Text1(1), Text1(0)), then of the second.
using Fields = std::array<std::string, 6>;

// operation: 0 to 3 for ＋ － × ÷, 4 when no operation button is selected.
// Throws std::logic_error when Calculate's way and the plain fractions disagree:
// then the oracle itself is wrong.
inline Outcome predictCalculation(
    const Fields &fields, bool negativeA, bool negativeB, int operation)
{
    using namespace detail;
    // All six fields are read before anything is checked.
    std::array<Int, 6> v {};
    for (std::size_t i = 0; i < 6; ++i) {
        try {
            v[i] = ToLong(TextValue(fields[i]));
        } catch (const RuntimeError &e) {
            return {Outcome::Error, e.number(), {}};
        }
    }
    // A zero denominator under a positive numerator, in either operand.
    if ((v[2] == 0 && v[1] > 0) || (v[5] == 0 && v[4] > 0)) {
        return {Outcome::Message, 0, {}};
    }
    Operand a {.den = v[2], .num = v[1], .whole = v[0]};
    Operand b {.den = v[5], .num = v[4], .whole = v[3]};
    const Operand typedA = a;
    const Operand typedB = b;
    Fraction nd;
    try {
        makeImproper(a, negativeA);
        makeImproper(b, negativeB);
        reduce(a);
        reduce(b);
        nd = apply(a, b, operation);
    } catch (const Predicted &p) {
        return {Outcome::Error, p.number, {}};
    }
    const Fraction exact = exactResult(typedA, negativeA, typedB, negativeB, operation);
    if (nd.d != 0) {
        const Fraction followed = normalised(nd);
        if (followed.n != exact.n || followed.d != exact.d) {
            throw std::logic_error("oracle: Calculate's way gives " + decimal(followed.n) + "/"
                + decimal(followed.d) + ", the plain fractions " + decimal(exact.n) + "/"
                + decimal(exact.d));
        }
    } else if (operation != 4) {
        throw std::logic_error("oracle: D is 0 after an operation");
    }
    // Writing the answer reduces N / D by a GCD stored in 32 bits. The run-time
    // error that could follow would come after the sign label is written; it
    // cannot happen: for a sum or difference that GCD is at most the smaller
    // reduced operand denominator, for a product or quotient at most |D| / 2.
    // So an error always leaves the answer labels as the first step cleared them.
    if (nd.n != 0 && nd.d != 0 && nd.n % nd.d != 0 && plainGcd(nd.n, nd.d) > Max32) {
        throw std::logic_error(
            "oracle: the answer's GCD passes 32 bits for " + decimal(nd.n) + "/" + decimal(nd.d));
    }
    return {Outcome::Answer, 0, exact};
}

// Empty when the answer labels (sign, integer part, numerator, denominator)
// and the bar show the exact value in mixed form; otherwise what is wrong.
inline std::string checkAnswer(std::string_view sign, std::string_view whole, std::string_view num,
    std::string_view den, bool bar, const Fraction &exact)
{
    using detail::plainNumber;
    if (sign != (exact.n < 0 ? "-" : "")) {
        return "the sign label must be \"-\" exactly for a negative answer";
    }
    bool validDen = false;
    bool validNum = false;
    bool validWhole = false;
    const auto d = plainNumber(den, validDen);
    const auto n = plainNumber(num, validNum);
    const auto w = plainNumber(whole, validWhole);
    if (!validDen || !validNum || !validWhole) {
        return "a number label does not hold a plain non-negative decimal number";
    }
    const Int size = magnitude(exact.n);
    if (exact.d == 1) {
        if (d || n || w != size || bar) {
            return "a whole answer stands alone in the integer part, with the bar hidden";
        }
        return {};
    }
    if (!d || !n || !bar) {
        return "a fractional answer needs numerator, denominator and the bar";
    }
    if (*n == 0 || *n >= *d || plainGcd(*n, *d) != 1) {
        return "the fraction is not proper and reduced";
    }
    if (w && *w == 0) {
        return "an integer part of 0 is written";
    }
    if (*d != exact.d || w.value_or(0) * *d + *n != size) {
        return "the labels' value differs from the exact answer " + decimal(exact.n) + "/"
            + decimal(exact.d);
    }
    return {};
}

}  // namespace tobarin::oracle
