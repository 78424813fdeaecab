#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace tobarin {

// A run-time error of the calculator, identified by its number. It is thrown
// at the step that raises it; the handler that was running is abandoned there,
// and whatever it had already written into the controls stays. The window
// catches it around every handler and reports it.
class RuntimeError : public std::exception {
public:
    static constexpr int Overflow = 6;
    static constexpr int DivisionByZero = 11;

    explicit RuntimeError(int number) noexcept
        : m_number(number)
    {
    }

    [[nodiscard]] int number() const noexcept { return m_number; }

    // The short description shown in the report, in Japanese (UTF-8).
    [[nodiscard]] std::string_view description() const noexcept;

    [[nodiscard]] const char *what() const noexcept override;

private:
    int m_number;
};

// The report of a run-time error as one line of text:
// "実行時エラー 6: 桁あふれが発生しました。"
[[nodiscard]] std::string runtimeErrorLine(int number);

[[noreturn]] void raiseOverflow();  // run-time error 6
[[noreturn]] void raiseDivisionByZero();  // run-time error 11

}  // namespace tobarin
