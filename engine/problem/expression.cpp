#include "engine/problem/expression.h"

#include <algorithm>
#include <utility>

namespace tobarin {

namespace {

std::string signText(Sign sign)
{
    return sign == Sign::Plus ? "+" : sign == Sign::Minus ? "-" : "";
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

std::string fractionText(const Expression &expression)
{
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

// A part of an Over as it is written: its operations without blanks
// ("3×2+1"), in parentheses unless it is one number.
std::string tightInside(const Expression &part)
{
    if (part.isNumber()) {
        return numberText(part.number);
    }
    std::string text;
    for (std::size_t i = 0; i < part.operands.size(); ++i) {
        text += (i > 0 ? std::string(operationText(part.operations[i - 1])) : "")
            + tightInside(part.operands[i]);
    }
    return text;
}

std::string tightText(const Expression &part)
{
    return part.isNumber() ? numberText(part.number) : "(" + tightInside(part) + ")";
}

}  // namespace

Expression numberExpression(const WrittenNumber &number)
{
    Expression expression;
    expression.number = number;
    return expression;
}

bool isSumOperation(Operation operation)
{
    return operation == Operation::Add || operation == Operation::Subtract;
}

Expression pairExpression(
    const WrittenNumber &first, Operation operation, const WrittenNumber &second)
{
    return chainExpression({numberExpression(first), numberExpression(second)}, {operation});
}

Expression chainExpression(std::vector<Expression> operands, std::vector<Operation> operations)
{
    Expression expression;
    expression.kind = !operations.empty() && isSumOperation(operations.front())
        ? Expression::Kind::Sum
        : Expression::Kind::Product;
    expression.operands = std::move(operands);
    expression.operations = std::move(operations);
    return expression;
}

Expression parenthesesExpression(Expression inside)
{
    Expression expression;
    expression.kind = Expression::Kind::Parentheses;
    expression.operands.push_back(std::move(inside));
    return expression;
}

Expression powerExpression(Expression base, int exponent)
{
    Expression expression;
    expression.kind = Expression::Kind::Power;
    expression.exponent = exponent;
    expression.operands.push_back(std::move(base));
    return expression;
}

Expression signedExpression(Sign sign, Expression operand)
{
    if (operand.kind == Expression::Kind::Sum || operand.kind == Expression::Kind::Product) {
        operand = parenthesesExpression(std::move(operand));
    }
    Expression expression;
    expression.kind = Expression::Kind::Signed;
    expression.sign = sign;
    expression.operands.push_back(std::move(operand));
    return expression;
}

Expression fractionExpression(
    Sign sign, std::vector<Factor> numerator, std::vector<Factor> denominator)
{
    Expression expression;
    expression.kind = Expression::Kind::Fraction;
    expression.sign = sign;
    expression.numerator = std::move(numerator);
    expression.denominator = std::move(denominator);
    return expression;
}

Expression tightExpression(
    const WrittenNumber &first, Operation operation, const WrittenNumber &second)
{
    Expression expression = pairExpression(first, operation, second);
    expression.tight = true;
    return expression;
}

Expression listExpression(std::vector<Expression> items)
{
    Expression expression;
    expression.kind = Expression::Kind::List;
    expression.operands = std::move(items);
    return expression;
}

Expression overExpression(Expression numerator, Expression denominator)
{
    Expression expression;
    expression.kind = Expression::Kind::Over;
    expression.operands.push_back(std::move(numerator));
    expression.operands.push_back(std::move(denominator));
    return expression;
}

Expression conversionExpression(Expression numbers, AskedForm asked)
{
    Expression expression;
    expression.kind = Expression::Kind::Conversion;
    expression.asked = asked;
    expression.operands.push_back(std::move(numbers));
    return expression;
}

std::string_view askedFormText(AskedForm asked)
{
    switch (asked) {
    case AskedForm::Mixed:
        return "帯分数";
    case AskedForm::Improper:
        return "仮分数";
    case AskedForm::Whole:
        return "整数";
    case AskedForm::Reduced:
        return "約分";
    case AskedForm::Common:
        return "通分";
    case AskedForm::Decimal:
        return "小数";
    case AskedForm::Fraction:
        break;
    }
    return "分数";
}

std::optional<Pair> pairOf(const Expression &expression)
{
    if ((expression.kind != Expression::Kind::Sum && expression.kind != Expression::Kind::Product)
        || expression.operands.size() != 2 || !expression.operands[0].isNumber()
        || !expression.operands[1].isNumber()) {
        return std::nullopt;
    }
    return Pair {
        expression.operands[0].number, expression.operations[0], expression.operands[1].number};
}

bool enclosed(const Expression &parent, std::size_t index)
{
    const Expression &child = parent.operands.at(index);
    const bool negativeNumber = child.isNumber() && child.number.negative;
    switch (parent.kind) {
    case Expression::Kind::Sum:
        return index > 0 && (negativeNumber || child.kind == Expression::Kind::Signed);
    case Expression::Kind::Product:
        return negativeNumber || (index > 0 && child.kind == Expression::Kind::Signed);
    case Expression::Kind::Power:
        return child.kind == Expression::Kind::Signed
            || (child.isNumber()
                && (child.number.negative || child.number.hasFraction || child.number.unending));
    case Expression::Kind::Signed:
        return negativeNumber || child.kind == Expression::Kind::Signed;
    case Expression::Kind::Number:
    case Expression::Kind::Parentheses:
    case Expression::Kind::Fraction:
    case Expression::Kind::List:
    case Expression::Kind::Over:
    case Expression::Kind::Conversion:
        break;
    }
    return false;
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

std::string_view exponentText(int exponent)
{
    switch (exponent) {
    case 2:
        return "²";
    case 3:
        return "³";
    case 4:
        return "⁴";
    default:
        break;
    }
    return "^?";
}

std::string expressionText(const Expression &expression)
{
    const auto operand = [&expression](std::size_t index) {
        const std::string text = expressionText(expression.operands[index]);
        return enclosed(expression, index) ? "(" + text + ")" : text;
    };
    switch (expression.kind) {
    case Expression::Kind::Number:
        return numberText(expression.number);
    case Expression::Kind::Sum:
    case Expression::Kind::Product: {
        const std::string blank = expression.tight ? "" : " ";
        std::string text = operand(0);
        for (std::size_t i = 1; i < expression.operands.size(); ++i) {
            text += blank;
            text += operationText(expression.operations[i - 1]);
            text += blank;
            text += operand(i);
        }
        return text;
    }
    case Expression::Kind::Parentheses:
        return "(" + operand(0) + ")";
    case Expression::Kind::Power:
        return operand(0) + std::string(exponentText(expression.exponent));
    case Expression::Kind::Signed:
        return signText(expression.sign) + operand(0);
    case Expression::Kind::List: {
        std::string text;
        for (std::size_t i = 0; i < expression.operands.size(); ++i) {
            text += (i > 0 ? ", " : "") + operand(i);
        }
        return text;
    }
    case Expression::Kind::Over:
        return tightText(expression.operands[0]) + "/" + tightText(expression.operands[1]);
    case Expression::Kind::Conversion:
        return operand(0) + " → " + std::string(askedFormText(expression.asked));
    case Expression::Kind::Fraction:
        break;
    }
    return fractionText(expression);
}

std::size_t numberCount(const Expression &expression)
{
    if (expression.kind == Expression::Kind::Number
        || expression.kind == Expression::Kind::Fraction) {
        return 1;
    }
    std::size_t count = 0;
    for (const Expression &operand : expression.operands) {
        count += numberCount(operand);
    }
    return count;
}

int parenthesesDepth(const Expression &expression)
{
    int deepest = 0;
    for (const Expression &operand : expression.operands) {
        deepest = std::max(deepest, parenthesesDepth(operand));
    }
    return deepest + (expression.kind == Expression::Kind::Parentheses ? 1 : 0);
}

}  // namespace tobarin
