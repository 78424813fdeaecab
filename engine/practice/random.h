#pragma once

#include <cstdint>
#include <string_view>

// The practice sets' random numbers: SplitMix64 (Steele, Lea and Flood), written
// out here with its own reduction to a range, so that every build of the
// program, native or WebAssembly, draws the same numbers from the same seed.
// The standard library's distributions are never used: their output differs
// from one library to another.
namespace tobarin::practice {

class Random {
public:
    explicit Random(std::uint64_t seed)
        : m_state(seed)
    {
    }

    // The next 64 random bits: the state steps by the golden-ratio constant,
    // and the step is mixed by SplitMix64's finaliser.
    std::uint64_t next();

    // A number from 0 to bound − 1, every one equally likely: draws that fall
    // in the incomplete last run of bound values (fewer than bound of the
    // 2^64) are drawn again. bound > 0.
    std::uint64_t below(std::uint64_t bound);

private:
    std::uint64_t m_state;
};

// The 64-bit FNV-1a hash of a text: the seed of a set, from its code.
[[nodiscard]] std::uint64_t textHash(std::string_view text);

}  // namespace tobarin::practice
