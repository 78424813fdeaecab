#include "engine/number/runtime_error.h"

namespace tobarin {

std::string_view RuntimeError::description() const noexcept
{
    switch (m_number) {
    case Overflow:
        return "桁あふれが発生しました。";
    case DivisionByZero:
        return "0 でわることはできません。";
    default:
        return "エラーが発生しました。";
    }
}

const char *RuntimeError::what() const noexcept
{
    return description().data();
}

std::string runtimeErrorLine(int number)
{
    // Appended piece by piece: GCC 12 at -O3 warns (-Wrestrict) of a false
    // overlap in a chain of + on a literal.
    std::string line = "実行時エラー ";
    line += std::to_string(number);
    line += ": ";
    line += RuntimeError(number).description();
    return line;
}

void raiseOverflow()
{
    throw RuntimeError(RuntimeError::Overflow);
}

void raiseDivisionByZero()
{
    throw RuntimeError(RuntimeError::DivisionByZero);
}

}  // namespace tobarin
