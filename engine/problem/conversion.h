#pragma once

#include "engine/number/written_number.h"
#include "engine/problem/expression.h"

#include <string>
#include <string_view>
#include <vector>

// A conversion problem: a number, or two or three fractions for 通分, and the
// form they are to be put in, joined by "→" ("7/3 → 帯分数", "3/4, 5/6 → 通分",
// "0.6 → 分数"). Its problem line is the Conversion expression of them.
namespace tobarin {

struct Conversion {
    std::vector<WrittenNumber> numbers;
    AskedForm asked = AskedForm::Mixed;

    friend bool operator==(const Conversion &, const Conversion &) = default;
};

// The fewest and most fractions 通分 takes.
inline constexpr std::size_t FewestCommon = 2;
inline constexpr std::size_t MostCommon = 3;

// The problem line: "7/3 → 帯分数", "3/4, 5/6 → 通分".
[[nodiscard]] Expression conversionLine(const Conversion &conversion);

// Why the form asked cannot take these numbers ("1/3 → 小数", "7/3 → 整数",
// "2/3 → 約分", 通分 of one fraction), in words for the user; empty where it
// can.
[[nodiscard]] std::string conversionRefusal(const Conversion &conversion);

// Numbers written one after another, joined by "," "、" "，" "と" or blanks,
// the joins mixed as pupils type them ("9/12, 10/12", "9/12と10/12",
// "9/12 10/12"). A piece between commas that reads as one number is one
// ("2と1/3", "2 1/3" are mixed numbers); one that does not is split at its と
// and blanks.
[[nodiscard]] Parsed<std::vector<WrittenNumber>> readNumberList(std::string_view text);

// Whether a text is a conversion problem (it holds "→" or "->"), and then the
// conversion it is, or why it is not one.
[[nodiscard]] bool isConversionText(std::string_view text);
[[nodiscard]] Parsed<Conversion> readConversion(std::string_view text);

}  // namespace tobarin
