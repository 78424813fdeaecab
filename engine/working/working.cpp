#include "engine/working/working.h"

#include <algorithm>

namespace tobarin {

namespace {

// The width of a text in columns: every character one column wide (the
// working's texts hold ASCII, ×, ÷ and nothing wider), so the count of UTF-8
// sequences.
std::size_t columns(std::string_view text)
{
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(),
        [](char c) { return (static_cast<unsigned char>(c) & 0xC0U) != 0x80U; }));
}

std::string signText(Sign sign)
{
    return sign == Sign::Plus ? "+" : sign == Sign::Minus ? "-" : "";
}

std::string pairText(const Expression &expression)
{
    const auto number = [&expression](bool second) {
        const std::string text = numberText(second ? expression.second : expression.first);
        return parenthesised(expression, second) ? "(" + text + ")" : text;
    };
    return number(false) + " "
        + std::string(expression.operation ? operationText(*expression.operation) : "?") + " "
        + number(true);
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

Expression numberExpression(const WrittenNumber &number)
{
    Expression expression;
    expression.first = number;
    return expression;
}

Expression pairExpression(
    const WrittenNumber &first, Operation operation, const WrittenNumber &second)
{
    Expression expression;
    expression.shape = Expression::Shape::Pair;
    expression.first = first;
    expression.operation = operation;
    expression.second = second;
    return expression;
}

bool parenthesised(const Expression &expression, bool second)
{
    const bool product
        = expression.operation == Operation::Multiply || expression.operation == Operation::Divide;
    return (second ? expression.second : expression.first).negative && (second || product);
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
    case Note::MultiplyNumeratorByWhole:
        return "分母はそのままにして、分子に整数をかける";
    case Note::MultiplyDenominatorByWhole:
        return "分子はそのままにして、分母に整数をかける";
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

std::string expressionText(const Expression &expression)
{
    switch (expression.shape) {
    case Expression::Shape::Number:
        return numberText(expression.first);
    case Expression::Shape::Pair:
        return pairText(expression);
    case Expression::Shape::Signed:
        return signText(expression.sign) + "(" + pairText(expression) + ")";
    case Expression::Shape::Product:
        break;
    }
    // A denominator of nothing but 1s, what cancelling left, is not written;
    // the numerator's product then needs parentheses only after a sign.
    const std::vector<Factor> &denominator = expression.denominator;
    const bool ones = std::all_of(
        denominator.begin(), denominator.end(), [](const Factor &f) { return f.value == 1; });
    if (ones && expression.sign == Sign::None) {
        std::string text;
        for (const Factor &factor : expression.numerator) {
            text += (text.empty() ? "" : "×") + wide::decimalText(factor.value);
        }
        return text;
    }
    std::string text = signText(expression.sign) + factorsText(expression.numerator);
    if (!ones) {
        text += "/" + factorsText(denominator);
    }
    return text;
}

std::string stepText(const Step &step)
{
    // Each note stands two blanks or more after its line, and never before
    // column 20, so that short lines put their notes in one column.
    constexpr std::size_t NarrowestWidth = 19;
    std::string text = (step.note == Note::Problem ? "" : "= ") + expressionText(step.expression);
    if (const std::string_view note = noteText(step.note); !note.empty()) {
        text += std::string(std::max(NarrowestWidth, columns(text) + 2) - columns(text), ' ');
        text += note;
    }
    return text;
}

std::string workingText(const Working &working, bool withReport)
{
    std::string text;
    for (const Step &step : working.steps) {
        text += stepText(step) + "\n";
    }
    if (withReport && !working.report.empty()) {
        text += working.report + "\n";
    }
    return text;
}

}  // namespace tobarin
