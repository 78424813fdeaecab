#include "engine/working.h"

#include "engine/runtime_error.h"

#include <algorithm>

namespace tobarin {

namespace {

using wide::Int128;

Int128 magnitude(Int128 v)
{
    return v < 0 ? -v : v;
}

// A zero is never shown with a sign, whatever sign the engine gave it.
ShownNumber withSign(ShownNumber number, bool negative)
{
    number.negative = negative && (number.whole != 0 || number.num != 0);
    return number;
}

// The width of a text in columns: every character one column wide (the
// working's texts hold ASCII, ×, ÷ and nothing wider), so the count of UTF-8
// sequences.
std::size_t columns(std::string_view text)
{
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(),
        [](char c) { return (static_cast<unsigned char>(c) & 0xC0U) != 0x80U; }));
}

}  // namespace

ShownNumber shownFraction(Int128 num, Int128 den)
{
    ShownNumber number;
    if (magnitude(den) <= 1) {
        number.whole = magnitude(num);
    } else {
        number.hasWhole = false;
        number.hasFraction = true;
        number.num = magnitude(num);
        number.den = magnitude(den);
    }
    return withSign(number, (num < 0) != (den < 0));
}

ShownNumber shownTyped(std::int32_t whole, std::int32_t num, std::int32_t den, bool negative)
{
    ShownNumber number;
    if (den == 0 && num <= 0) {
        // The numerator is not read without a denominator.
        number.whole = magnitude(whole);
        number.negative = whole < 0;
    } else if (den == 0 || (whole >= 0 && num >= 0 && den > 0)) {
        // As typed; a missing denominator is shown as 0.
        number.hasWhole = whole != 0;
        number.hasFraction = true;
        number.whole = magnitude(whole);
        number.num = num;
        number.den = den;
        number.negative = whole < 0;
    } else {
        number = shownFraction(Int128 {whole} * den + num, den);
    }
    return withSign(number, number.negative != negative);
}

ShownNumber shownMixed(bool negative, Int128 whole, Int128 num, Int128 den)
{
    ShownNumber number;
    number.hasWhole = whole != 0 || num == 0;
    number.hasFraction = num != 0;
    number.whole = whole;
    number.num = num;
    number.den = den;
    return withSign(number, negative);
}

std::string_view noteOf(StepKind kind)
{
    switch (kind) {
    case StepKind::Problem:
        return "";
    case StepKind::MakeImproper:
        return "帯分数を仮分数に直す";
    case StepKind::ReduceOperands:
    case StepKind::ReduceAnswer:
        return "約分する";
    case StepKind::CommonDenominator:
        return "通分する";
    case StepKind::Reciprocal:
        return "逆数をかける";
    case StepKind::CancelAcross:
        return "途中で約分する";
    case StepKind::Calculate:
        return "計算する";
    case StepKind::MakeMixed:
        return "帯分数に直す";
    case StepKind::MakeImproperAnswer:
        return "仮分数に直す";
    }
    return "";
}

void PathRecorder::step(StepKind kind, const Expression &expression)
{
    std::vector<Step> &steps = m_working.steps;
    if (kind != StepKind::Problem && !steps.empty() && steps.back().expression == expression) {
        return;
    }
    steps.push_back({kind, expression});
}

void PathRecorder::message(std::string_view text)
{
    m_working.report = text;
}

void PathRecorder::error(int number)
{
    m_working.report = runtimeErrorLine(number);
}

std::string_view operationText(Operation operation)
{
    switch (operation) {
    case Operation::Add:
        return "+";
    case Operation::Subtract:
        return "-";
    case Operation::Multiply:
        return "×";
    case Operation::Divide:
        return "÷";
    }
    return "?";
}

std::string_view drawnOperationText(Operation operation)
{
    return operation == Operation::Subtract ? "\u2212" : operationText(operation);
}

std::string numberText(const ShownNumber &number)
{
    std::string text = number.negative ? "-" : "";
    if (number.hasWhole) {
        text += wide::decimalText(number.whole);
    }
    if (number.hasWhole && number.hasFraction) {
        text += ' ';
    }
    if (number.hasFraction) {
        text += wide::decimalText(number.num) + "/" + wide::decimalText(number.den);
    }
    return text;
}

std::string expressionText(const Expression &expression)
{
    std::string text = numberText(expression.first);
    if (expression.second) {
        text += " ";
        text += expression.operation ? operationText(*expression.operation) : "?";
        text += " ";
        const std::string second = numberText(*expression.second);
        text += expression.second->negative ? "(" + second + ")" : second;
    }
    return text;
}

std::string workingText(const Working &working, bool withReport)
{
    // The notes start in one column: two blanks after the longest line with a
    // note, but never before column 20, so short workings line up the same way.
    constexpr std::size_t NarrowestWidth = 19;
    std::vector<std::string> lines;
    std::size_t width = NarrowestWidth;
    for (const Step &step : working.steps) {
        const std::string prefix = step.kind == StepKind::Problem ? "" : "= ";
        lines.push_back(prefix + expressionText(step.expression));
        if (!noteOf(step.kind).empty()) {
            width = std::max(width, columns(lines.back()) + 2);
        }
    }
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view note = noteOf(working.steps[i].kind);
        text += lines[i];
        if (!note.empty()) {
            text += std::string(width - columns(lines[i]), ' ');
            text += note;
        }
        text += '\n';
    }
    if (withReport && !working.report.empty()) {
        text += working.report + "\n";
    }
    return text;
}

}  // namespace tobarin
