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
    return "実行時エラー " + std::to_string(number) + ": "
        + std::string(RuntimeError(number).description());
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
