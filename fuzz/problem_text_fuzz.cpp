// The number, operand and problem readers on arbitrary bytes, as a command
// line, a typed answer or a paste can hand them. Whatever the text, reading
// must not crash, and what it reads must be what a user could have typed:
// parts of ASCII digits only, an operation from 0 to 3. What reads must read
// back the same from its own text, in ASCII and as a Japanese keyboard writes
// it, and in parentheses. A number that reads is checked as an answer, and a
// verdict that is not right never holds the answer. A problem that reads is
// calculated, as the command line would, on the window in memory.

#include "engine/check/answer_check.h"
#include "engine/number/runtime_error.h"
#include "engine/problem/problem.h"
#include "engine/window/calculate.h"
#include "engine/window/problem_text.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"

namespace {

using tobarin::numberText;
using tobarin::Parsed;
using tobarin::WrittenNumber;
using tobarin::fuzz::check;
using tobarin::fuzz::quoted;

bool digitsOnly(const std::string &field)
{
    return field.find_first_not_of("0123456789") == std::string::npos;
}

void checkOperand(const tobarin::TypedOperand &operand, std::string_view input)
{
    for (const std::string &field : {operand.den, operand.num, operand.whole}) {
        check(digitsOnly(field),
            [&] { return "a field read as " + quoted(field) + " from " + quoted(input); });
    }
}

// ASCII text as a Japanese keyboard writes it: full-width digits, signs,
// bars, points and parentheses, and the full-width space.
std::string fullWidth(std::string_view ascii)
{
    std::string text;
    for (const char c : ascii) {
        if (c == ' ') {
            text += "\u3000";
        } else if (c > ' ' && c < '`') {  // U+FF01 to U+FF3F, as "\xEF\xBC\x81" to "\xEF\xBC\xBF"
            text += "\xEF\xBC";
            text += static_cast<char>(0x80 + (c - ' '));
        } else {
            text += c;
        }
    }
    return text;
}

template <typename T>
void readsBack(
    const Parsed<T> &read, const T &expected, std::string_view text, std::string_view input)
{
    check(read.value == expected, [&] {
        return quoted(text) + ", written from what " + quoted(input) + " reads as, reads "
            + (read.value ? "otherwise" : "not: " + read.error);
    });
}

void checkNumber(const WrittenNumber &number, std::string_view input)
{
    const bool fraction = number.hasFraction;
    const bool shaped = digitsOnly(number.decimals)
        && (number.isDecimal() ? !fraction && number.hasWhole : !number.unending)
        && (fraction || number.hasWhole);
    check(shaped, [&] {
        return "a number read as " + quoted(numberText(number)) + " from " + quoted(input);
    });

    const std::string text = numberText(number);
    readsBack(tobarin::readNumber(text), number, text, input);
    readsBack(tobarin::readNumber(fullWidth(text)), number, fullWidth(text), input);
    const std::string inParentheses
        = (number.negative ? "-(" : "(") + text.substr(number.negative ? 1 : 0) + ")";
    readsBack(tobarin::readNumber(inParentheses), number, inParentheses, input);

    // Checked as an answer to a problem that has one, the verdict never gives it away.
    static const tobarin::Problem Sum = tobarin::readProblem("1 2/3 + 3/4").value.value();
    const tobarin::AnswerCheck verdict = tobarin::checkAnswer(Sum, number);
    const int status = tobarin::exitStatus(verdict.verdict);
    check(status != 1 && !verdict.text.empty(), [&] { return "no verdict for " + quoted(input); });
    check(status == 0
            || (verdict.text.find("5/12") == std::string::npos
                && verdict.text.find("29/12") == std::string::npos),
        [&] { return "the verdict on " + quoted(input) + " tells the answer: " + verdict.text; });
}

// A problem as the reader reads it back: the second operand in parentheses
// when it is negative, as a working writes it.
std::string problemText(const tobarin::Problem &problem)
{
    const auto number = [](const tobarin::TypedOperand &x) {
        std::string text = (x.negative ? "-" : "") + x.whole;
        if (!x.den.empty()) {
            text += (x.whole.empty() ? "" : " ") + x.num + "/" + x.den;
        }
        return text;
    };
    constexpr const char *Signs[] = {" + ", " - ", " × ", " ÷ "};
    const std::string second = number(problem.second);
    return number(problem.first) + Signs[static_cast<int>(problem.operation)]
        + (problem.second.negative ? "(" + second + ")" : second);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);

    const auto number = tobarin::readNumber(input);
    check(number.value.has_value() != !number.error.empty(),
        [&] { return "a number read both or neither ways: " + quoted(input); });
    if (number.value) {
        checkNumber(*number.value, input);
    }

    const auto operand = tobarin::parseOperand(input);
    check(operand.value.has_value() != !operand.error.empty(),
        [&] { return "an operand read both or neither ways: " + quoted(input); });
    // An operand is a number that is no decimal; it keeps its digits as
    // typed, so it reads too where a part has more digits than a number holds.
    const bool tooManyDigits = number.error.find("は桁が多すぎます。") != std::string::npos;
    check(operand.value.has_value()
            == (number.value ? !number.value->isDecimal() : tooManyDigits && operand.value),
        [&] { return "an operand read otherwise than a number: " + quoted(input); });
    if (operand.value) {
        checkOperand(*operand.value, input);
    }

    const auto problem = tobarin::readProblem(input);
    check(problem.value.has_value() != !problem.error.empty(),
        [&] { return "a problem read both or neither ways: " + quoted(input); });
    if (problem.value) {
        checkOperand(problem.value->first, input);
        checkOperand(problem.value->second, input);
        const std::string text = problemText(*problem.value);
        readsBack(tobarin::readProblem(text), *problem.value, text, input);
        readsBack(tobarin::readProblem(fullWidth(text)), *problem.value, fullWidth(text), input);
        tobarin::MemoryForm form;
        tobarin::enterProblem(form, *problem.value);
        try {
            tobarin::Command1_Click(form);
        } catch (const tobarin::RuntimeError &) {
            // Error 6 or 11 is an answer too; anything else escapes and is a finding.
        }
    }
    return 0;
}
