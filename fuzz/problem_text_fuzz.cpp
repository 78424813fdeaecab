// The number, operand and problem readers on arbitrary bytes, as a command
// line, a typed answer or a paste can hand them. Whatever the text, reading
// must not crash, and what it reads must be what a user could have typed:
// parts of ASCII digits only, an operation from 0 to 3. What reads must read
// back the same from its own text, in ASCII and as a Japanese keyboard writes
// it, and in parentheses. A number that reads is checked as an answer, and a
// verdict that is not right never holds the answer. A problem that reads is
// solved: its answer and every line of its working are held to its exact
// value, worked out apart from the engine.

#include "engine/check/answer_check.h"
#include "engine/number/runtime_error.h"
#include "engine/problem/problem.h"
#include "engine/solve.h"
#include "engine/window/calculate.h"
#include "engine/window/problem_text.h"
#include "tests/oracle/expression_oracle.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <set>
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

// The size of a problem's numbers: the sum of the bits of every part and of
// each power's exponent times its base. Below some 100 bits, no line of a
// working can pass 128 bits.
double bitsOf(const tobarin::Expression &e)
{
    const auto bits = [](tobarin::wide::Int128 part) {
        return std::log2(static_cast<double>(part < 0 ? -part : part) + 2);
    };
    double total = 0;
    if (e.isNumber()) {
        total = bits(e.number.whole) + bits(e.number.num) + bits(e.number.den)
            + 3.4 * static_cast<double>(e.number.decimals.size());
    }
    for (const tobarin::Expression &operand : e.operands) {
        total += bitsOf(operand) * (e.kind == tobarin::Expression::Kind::Power ? e.exponent : 1);
    }
    return total;
}

// A problem worked out, in both forms: its answer is the exact value worked
// out apart from the engine; every line of its working has that value, none
// repeats, and the last is the answer. Without an answer, the report says
// why, and the exact value agrees: a division by 0, a zero denominator, or
// numbers too large.
void checkSolution(const tobarin::Problem &problem, std::string_view input)
{
    namespace oracle = tobarin::oracle;
    std::optional<oracle::Value> exact;
    oracle::ExpressionOracle walk;
    std::string failed;
    // The numbers as the window reads them, for a problem it calculates (0/0 is 0).
    const std::optional<tobarin::Expression> read = tobarin::problemLine(problem);
    try {
        exact = walk.valueOf(read ? *read : problem.expression);
    } catch (const std::exception &error) {
        failed = error.what();
    }
    const bool window = tobarin::fieldsOf(problem).has_value();
    for (const auto form : {tobarin::AnswerForm::Mixed, tobarin::AnswerForm::Improper}) {
        const tobarin::Solution solution = tobarin::solve(problem, form,
            input.size() % 2 == 0 ? tobarin::Method::MakeImproper : tobarin::Method::KeepMixed);
        const tobarin::Working &working = solution.working;
        const auto fail = [&](const std::string &why) {
            return why + " for " + quoted(input) + ":\n" + tobarin::workingText(working);
        };
        if (!solution.answer) {
            const std::string &report = working.report;
            const bool overflow = report == tobarin::runtimeErrorLine(6);
            const bool byZero = report == tobarin::runtimeErrorLine(11);
            check(overflow || byZero || report == tobarin::DenominatorMessage,
                [&] { return fail("an unknown report"); });
            check(!byZero || failed == "a division by 0",
                [&] { return fail("division by 0 where there is none"); });
            check(!overflow || window || !exact || walk.largest() > INT64_MAX
                    || bitsOf(problem.expression) > 100,
                [&] { return fail("error 6 for small numbers"); });
            continue;
        }
        check(exact.has_value(), [&] { return fail("an answer where there is none: " + failed); });
        const tobarin::Fraction value = tobarin::fractionOf(exact->n, exact->d);
        const tobarin::WrittenNumber expected = form == tobarin::AnswerForm::Mixed
            ? tobarin::mixedNumberOf(value)
            : tobarin::improperNumberOf(value);
        check(numberText(*solution.answer) == numberText(expected),
            [&] { return fail("the answer is not " + numberText(expected)); });
        check(!working.steps.empty()
                && tobarin::expressionText(working.steps.back().expression) == numberText(expected),
            [&] { return fail("the working ends elsewhere"); });
        std::set<std::string> lines;
        for (const tobarin::Step &step : working.steps) {
            const std::string line = tobarin::expressionText(step.expression);
            check(lines.insert(line).second, [&] { return fail("a line repeats: " + line); });
            check(oracle::expressionValue(step.expression) == *exact,
                [&] { return fail("a line of another value: " + line); });
        }
    }
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
        const std::string text = tobarin::problemText(*problem.value);
        readsBack(tobarin::readProblem(text), *problem.value, text, input);
        readsBack(tobarin::readProblem(fullWidth(text)), *problem.value, fullWidth(text), input);
        if (const auto fields = tobarin::fieldsOf(*problem.value)) {
            checkOperand(fields->first, input);
            checkOperand(fields->second, input);
        }
        checkSolution(*problem.value, input);
    }
    return 0;
}
