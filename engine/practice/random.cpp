#include "engine/practice/random.h"

namespace tobarin::practice {

std::uint64_t Random::next()
{
    m_state += 0x9E3779B97F4A7C15U;
    std::uint64_t z = m_state;
    z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9U;
    z = (z ^ (z >> 27U)) * 0x94D049BB133111EBU;
    return z ^ (z >> 31U);
}

std::uint64_t Random::below(std::uint64_t bound)
{
    // 2^64 mod bound, in unsigned arithmetic: the draws below it belong to
    // the incomplete run and would make the small values likelier.
    const std::uint64_t incomplete = (0 - bound) % bound;
    std::uint64_t draw = next();
    while (draw < incomplete) {
        draw = next();
    }
    return draw % bound;
}

std::uint64_t textHash(std::string_view text)
{
    std::uint64_t hash = 0xCBF29CE484222325U;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001B3U;
    }
    return hash;
}

}  // namespace tobarin::practice
