#pragma once

#include "engine/number/runtime_error.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>

namespace tobarin::testing {

// Runs f and gives the number of the run-time error it raised, or 0 for none.
template <typename F> int errorOf(F &&f)
{
    try {
        std::forward<F>(f)();
    } catch (const RuntimeError &e) {
        return e.number();
    }
    return 0;
}

// Names the rows of a parameterised test after their `name` member.
struct ByName {
    template <typename Row> std::string operator()(const ::testing::TestParamInfo<Row> &row) const
    {
        return row.param.name;
    }
};

// The seed of a property test: TOBARIN_SEED, or the given one.
inline std::uint64_t testSeed(std::uint64_t otherwise)
{
    const char *fromEnvironment = std::getenv("TOBARIN_SEED");
    return fromEnvironment ? std::strtoull(fromEnvironment, nullptr, 10) : otherwise;
}

// A text as a test row's name: letters and digits as they are, a blank as
// "_", a sign as its word ("1/2 + -1/3" is 1_over_2__plus___minus_1_over_3),
// any other byte as its value in hexadecimal, so that no two texts share a name.
inline std::string rowName(std::string_view text)
{
    static constexpr std::pair<char, std::string_view> Words[] = {{'+', "plus"}, {'-', "minus"},
        {'/', "over"}, {'*', "times"}, {'.', "point"}, {'(', "open"}, {')', "close"}, {'|', "bar"},
        {'&', "amp"}, {',', "comma"}, {'%', "percent"}, {'#', "hash"}};
    std::string name;
    for (const char c : text) {
        const auto word = std::find_if(
            std::begin(Words), std::end(Words), [c](const auto &w) { return w.first == c; });
        if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
            name += c;
        } else if (c == ' ') {
            name += '_';
        } else if (word != std::end(Words)) {
            name += "_" + std::string(word->second) + "_";
        } else {
            static constexpr char Hex[] = "0123456789ABCDEF";
            const auto byte = static_cast<unsigned char>(c);
            name += std::string("_x") + Hex[byte >> 4] + Hex[byte & 0xF] + "_";
        }
    }
    return name.empty() ? "empty" : name;
}

// Names the rows of a parameterised test after what they print (PrintTo).
struct ByText {
    template <typename Row> std::string operator()(const ::testing::TestParamInfo<Row> &row) const
    {
        return rowName(::testing::PrintToString(row.param));
    }
};

}  // namespace tobarin::testing
