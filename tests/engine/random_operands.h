#pragma once

// Random operands for the property tests: small, typed-size and large
// magnitudes, values just beyond 32 bits, random sign boxes, and operands
// close to a given one, so that a sum or difference cancels nearly all its
// digits.

#include "tests/engine/test_support.h"
#include "tests/oracle/calculation_oracle.h"

#include <cstdint>
#include <random>
#include <string>

namespace tobarin::testing {

using oracle::decimal;
using oracle::Int;
using oracle::Max32;

struct Operand {
    std::string whole, num, den;  // field texts
    bool negative;
};

inline Int fieldValue(const std::string &t)
{
    return t.empty() ? 0 : static_cast<Int>(std::stoll(t));
}

class RandomOperands {
public:
    explicit RandomOperands(std::uint64_t seed)
        : m_random(seed)
    {
    }

    Operand operand()
    {
        const int scale = pick(0, 3);  // small, typed, large, beyond 32 bits now and then
        Operand op;
        op.whole = field(scale, 999);
        op.num = field(scale, 9999);
        op.den = field(scale, 9999);
        op.negative = pick(0, 1) == 1;
        return op;
    }

    // An operand close in magnitude to `near` (a fraction without integer
    // part), so that a sum or difference cancels nearly all its digits.
    Operand closeTo(const Operand &near)
    {
        const Int num = fieldValue(near.num);
        const Int den = fieldValue(near.den);
        Operand op {"", near.num, near.den, pick(0, 1) == 1};
        if (den > 0 && num > 0) {
            const Int otherDen = pick(1 << 20, static_cast<int>(Max32));
            const Int otherNum = (num * otherDen + den / 2) / den + pick(-1, 1);
            if (otherNum >= 0 && otherNum <= Max32) {
                op.num = decimal(otherNum);
                op.den = decimal(otherDen);
            }
        }
        return op;
    }

    bool oneIn(int n) { return pick(1, n) == 1; }

private:
    std::string field(int scale, int typedLimit)
    {
        const int shape = pick(0, 19);
        if (shape == 0) {
            return "";
        }
        if (shape == 1) {
            return "0";
        }
        switch (scale) {
        case 0:
            return decimal(pick(0, 12));
        case 1:
            return decimal(pick(0, typedLimit));
        case 2:
            return decimal(pick(0, static_cast<int>(Max32)));
        default:
            // Mostly large, sometimes just beyond the 32-bit range.
            return decimal(shape == 2 ? Max32 + pick(1, 1000) : pick(0, static_cast<int>(Max32)));
        }
    }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    std::mt19937_64 m_random;
};

}  // namespace tobarin::testing
