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

Line numberLine(const ShownNumber &number)
{
    Line line;
    line.first = number;
    return line;
}

Line pairLine(
    const ShownNumber &first, std::optional<Operation> operation, const ShownNumber &second)
{
    Line line;
    line.shape = Line::Shape::Pair;
    line.first = first;
    line.operation = operation;
    line.second = second;
    return line;
}

bool parenthesised(const Line &line, bool second)
{
    const bool product
        = line.operation == Operation::Multiply || line.operation == Operation::Divide;
    return (second ? line.second : line.first).negative && (second || product);
}

std::string_view noteText(Note note)
{
    switch (note) {
    case Note::Problem:
        return "";
    case Note::ChangeSubtractedSign:
        return "ひく数の符号を変えてたす";
    case Note::RemoveParentheses:
        return "かっこをはずす";
    case Note::MakeImproper:
        return "帯分数を仮分数に直す";
    case Note::Reduce:
        return "約分する";
    case Note::CommonDenominator:
        return "通分する";
    case Note::WholeAsFraction:
        return "整数を分数に直す";
    case Note::DecideSign:
        return "符号を決める";
    case Note::Borrow:
        return "くり下げる";
    case Note::Carry:
        return "くり上げる";
    case Note::QuotientAsFraction:
        return "商を分数で表す";
    case Note::Reciprocal:
        return "わる数の逆数をかける";
    case Note::MultiplyAcross:
        return "分子どうし、分母どうしをかける";
    case Note::CancelAcross:
        return "途中で約分する";
    case Note::Calculate:
        return "計算する";
    case Note::MakeMixed:
        return "帯分数に直す";
    case Note::MakeImproperAnswer:
        return "仮分数に直す";
    }
    return "";
}

void PathRecorder::step(Note note, const Line &line)
{
    std::vector<Step> &steps = m_working.steps;
    if (note != Note::Problem && !steps.empty() && steps.back().line == line) {
        return;
    }
    steps.push_back({note, line});
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

namespace {

std::string signText(Sign sign)
{
    return sign == Sign::Plus ? "+" : sign == Sign::Minus ? "-" : "";
}

std::string pairText(const Line &line)
{
    const auto number = [&line](bool second) {
        const std::string text = numberText(second ? line.second : line.first);
        return parenthesised(line, second) ? "(" + text + ")" : text;
    };
    return number(false) + " " + std::string(line.operation ? operationText(*line.operation) : "?")
        + " " + number(true);
}

// Factors joined by "×", in parentheses when there are several.
std::string factorsText(const std::vector<Factor> &factors)
{
    std::string text;
    for (const Factor &factor : factors) {
        text += (text.empty() ? "" : "×") + wide::decimalText(factor.value);
    }
    return factors.size() > 1 ? "(" + text + ")" : text;
}

}  // namespace

std::string lineText(const Line &line)
{
    switch (line.shape) {
    case Line::Shape::Number:
        return numberText(line.first);
    case Line::Shape::Pair:
        return pairText(line);
    case Line::Shape::Signed:
        return signText(line.sign) + "(" + pairText(line) + ")";
    case Line::Shape::Product:
        break;
    }
    std::string text = signText(line.sign) + factorsText(line.numerator);
    if (!line.denominator.empty()) {
        text += "/" + factorsText(line.denominator);
    }
    return text;
}

std::string workingText(const Working &working, bool withReport)
{
    // Each note stands two blanks or more after its line, and never before
    // column 20, so that short lines put their notes in one column.
    constexpr std::size_t NarrowestWidth = 19;
    std::string text;
    for (const Step &step : working.steps) {
        const std::string line = (step.note == Note::Problem ? "" : "= ") + lineText(step.line);
        text += line;
        if (const std::string_view note = noteText(step.note); !note.empty()) {
            text += std::string(std::max(NarrowestWidth, columns(line) + 2) - columns(line), ' ');
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
