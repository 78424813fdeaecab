#include "engine/spoken_answer.h"

namespace tobarin {

std::string SpokenAnswer(
    std::string_view sign, std::string_view whole, std::string_view num, std::string_view den)
{
    const bool fraction = !num.empty() && !den.empty();
    if (whole.empty() && !fraction) {
        return {};
    }
    std::string spoken = "答え ";
    if (sign == "-") {
        spoken += "マイナス ";
    }
    spoken += whole;
    if (fraction) {
        if (!whole.empty()) {
            spoken += " と ";
        }
        spoken += std::string(den) + "分の" + std::string(num);
    }
    return spoken;
}

}  // namespace tobarin
