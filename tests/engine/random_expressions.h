#pragma once

// Problems of several terms as a pupil may type them, drawn at random: whole
// numbers, fractions, mixed numbers and decimals, some of them negative; + -
// × ÷; parentheses up to three deep; powers of 2 and 3 after a whole number,
// a decimal or a parenthesis; 2 to 8 numbers. A sign after an operation
// stands with or without parentheses. Small numbers, and no power within a
// power, so that values stay inside the exact range.

#include <random>
#include <string>

namespace tobarin::testing {

class RandomExpressions {
public:
    explicit RandomExpressions(std::uint64_t seed)
        : m_random(seed)
    {
    }

    std::string next()
    {
        m_numbers = 0;
        m_most = pick(2, 8);
        std::string text = sum(0);
        while (m_numbers < 2) {
            text += " + " + number();
        }
        return text;
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    bool chance(int percent) { return pick(1, 100) <= percent; }
    bool room() const { return m_numbers < m_most; }

    std::string sum(int depth)
    {
        std::string text = product(depth);
        while (room() && chance(55)) {
            text += chance(50) ? " + " : " - ";
            text += product(depth);
        }
        return text;
    }

    std::string product(int depth)
    {
        std::string text = factor(depth);
        while (room() && chance(40)) {
            text += chance(50) ? " × " : " ÷ ";
            text += factor(depth);
        }
        return text;
    }

    std::string factor(int depth)
    {
        bool negative = chance(20);
        if (depth < 3 && m_most - m_numbers >= 2 && chance(25)) {
            const int before = m_numbers;
            // A power of parentheses holds no power and few numbers, so that
            // its value stays small.
            const bool powered = !m_inPower && chance(20);
            m_inPower = m_inPower || powered;
            std::string inside = "(" + sum(depth + 1) + ")";
            m_inPower = m_inPower && !powered;
            // A sign before parentheses around one number, itself maybe
            // signed, would be two signs.
            negative = negative && m_numbers - before >= 2;
            if (powered && m_numbers - before <= 3) {
                inside += chance(50) ? "²" : "^3";
            }
            return (negative ? "-" : "") + inside;
        }
        if (!m_inPower && chance(15)) {
            // A power of a whole number, a decimal or a signed number.
            std::string base
                = chance(70) ? std::to_string(pick(0, 6)) : "0." + std::to_string(pick(1, 9));
            ++m_numbers;
            if (negative && chance(50)) {
                return "(-" + base + ")²";
            }
            return (negative ? "-" : "") + base + (chance(60) ? "²" : "³");
        }
        const std::string written = number();
        return negative ? (chance(50) ? "(-" + written + ")" : "-" + written) : written;
    }

    std::string number()
    {
        ++m_numbers;
        const int den = pick(2, 12);
        switch (pick(0, 4)) {
        case 0:
            return std::to_string(pick(0, 12));
        case 1:
            return std::to_string(pick(1, 2 * den)) + "/" + std::to_string(den);
        case 2:
            return std::to_string(pick(1, 4)) + " " + std::to_string(pick(1, den - 1)) + "/"
                + std::to_string(den);
        case 3:
            return std::to_string(pick(0, 3)) + "." + std::to_string(pick(1, 99));
        default:
            break;
        }
        return std::to_string(pick(1, den - 1)) + "/" + std::to_string(den);
    }

    std::mt19937_64 m_random;
    int m_numbers = 0;
    int m_most = 2;
    bool m_inPower = false;
};

}  // namespace tobarin::testing
