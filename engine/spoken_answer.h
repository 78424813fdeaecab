#pragma once

#include <string>
#include <string_view>

namespace tobarin {

// The answer as a screen reader should say it, from the captions of its sign,
// integer part, numerator and denominator: "答え マイナス 1 と 2分の1",
// "答え 6分の5", "答え 0"; empty when there is no answer.
[[nodiscard]] std::string SpokenAnswer(
    std::string_view sign, std::string_view whole, std::string_view num, std::string_view den);

}  // namespace tobarin
