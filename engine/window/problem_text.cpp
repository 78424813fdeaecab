#include "engine/window/problem_text.h"

#include "engine/number/reader.h"

#include <vector>

namespace tobarin {

namespace {

using reading::Token;
using reading::TokenKind;

constexpr std::string_view AmbiguityAdvice
    = "割り算の記号の「/」は前後に空白を入れて書くか、「÷」を使ってください。";

constexpr std::string_view NoDecimals = "は小数です。式の数は整数、分数、帯分数で書いてください。";

// A number as an operand, written as the text given: its parts in ASCII
// digits go into the fields, a part not written leaving its field empty. A
// decimal is refused.
Parsed<TypedOperand> operandOf(const reading::NumberShape &number, std::string_view written)
{
    if (number.decimals) {
        return {std::nullopt, quoted(written) + std::string(NoDecimals)};
    }
    const auto digits = [](const Token *part) { return part ? part->digits : std::string(); };
    return {TypedOperand {
                digits(number.den), digits(number.num), digits(number.whole), number.negative},
        {}};
}

// Whether a token can only be the operation in any reading: an operation
// sign that is nothing else; a "+" or "-" after a number, where no sign can
// stand; a "/" that cannot be the bar of a fraction, with a blank beside it
// or not between two numbers.
bool mustBeOperator(const std::vector<Token> &tokens, std::size_t k)
{
    const auto numberAt = [&tokens](std::size_t at) {
        return at < tokens.size() && tokens[at].kind == TokenKind::Number;
    };
    const Token &token = tokens[k];
    switch (token.kind) {
    case TokenKind::Operator:
        return true;
    case TokenKind::Sign: {
        const TokenKind before = k > 0 ? tokens[k - 1].kind : TokenKind::Sign;
        return before == TokenKind::Number || before == TokenKind::Close
            || before == TokenKind::Unending;
    }
    case TokenKind::Slash:
        return token.blankBefore || token.blankAfter || k == 0 || !numberAt(k - 1)
            || !numberAt(k + 1);
    default:
        return false;
    }
}

bool canBeOperator(const Token &token)
{
    return token.kind == TokenKind::Slash || token.kind == TokenKind::Sign
        || token.kind == TokenKind::Operator;
}

// Why no reading was found, told about the sign most likely meant as the
// operation: one that can be nothing else, else a sign that is not in front,
// else a "/", else a "+" in front (a number is seldom written with one).
std::string unreadable(std::string_view text, const std::vector<Token> &tokens)
{
    const auto first = [&tokens](auto &&meant) {
        for (std::size_t i = 0; i < tokens.size(); ++i) {
            if (meant(tokens[i], i)) {
                return i;
            }
        }
        return tokens.size();
    };
    std::size_t op
        = first([&tokens](const Token &, std::size_t i) { return mustBeOperator(tokens, i); });
    if (op == tokens.size()) {
        op = first(
            [](const Token &t, std::size_t i) { return t.kind == TokenKind::Sign && i > 0; });
    }
    if (op == tokens.size()) {
        op = first([](const Token &t, std::size_t) { return t.kind == TokenKind::Slash; });
    }
    if (op == tokens.size() && tokens[0].kind == TokenKind::Sign
        && tokens[0].operation == Operation::Add) {
        op = 0;
    }
    if (op == tokens.size()) {
        return quoted(reading::sourceOf(text, tokens, 0, tokens.size()))
            + "に計算の記号（+ - × ÷）がありません。";
    }
    const std::string_view sign = reading::sourceOf(text, tokens, op, op + 1);
    if (op == 0) {
        return quoted(sign) + "の前に数がありません。";
    }
    if (op + 1 == tokens.size()) {
        return quoted(sign) + "の後に数がありません。";
    }
    const Parsed<reading::NumberShape> left = reading::shapeOf(text, tokens, 0, op);
    return left.value ? reading::shapeOf(text, tokens, op + 1, tokens.size()).error : left.error;
}

}  // namespace

Parsed<TypedOperand> parseOperand(std::string_view text)
{
    const reading::Tokens read = reading::tokenize(text);
    if (!read.error.empty()) {
        return {std::nullopt, read.error};
    }
    const Parsed<reading::NumberShape> number
        = reading::shapeOf(text, read.tokens, 0, read.tokens.size());
    if (!number.value) {
        return {std::nullopt, number.error};
    }
    return operandOf(*number.value, reading::sourceOf(text, read.tokens, 0, read.tokens.size()));
}

Parsed<Problem> parseProblem(std::string_view text)
{
    const reading::Tokens read = reading::tokenize(text);
    if (!read.error.empty()) {
        return {std::nullopt, read.error};
    }
    const std::vector<Token> &tokens = read.tokens;
    if (tokens.empty()) {
        return {std::nullopt, "式がありません。「1 2/3 + 3/4」のように書いてください。"};
    }
    const std::string_view whole = reading::sourceOf(text, tokens, 0, tokens.size());
    std::size_t definite = 0;
    for (std::size_t k = 0; k < tokens.size(); ++k) {
        definite += mustBeOperator(tokens, k) ? 1 : 0;
    }
    if (definite > 1) {
        return {std::nullopt,
            quoted(whole) + "には計算の記号が2つ以上あります。計算は1つずつしてください。"};
    }
    // Every reading: each sign that can be the operation, with a NUMBER on
    // either side of it.
    std::vector<std::size_t> readings;
    std::optional<std::pair<reading::NumberShape, reading::NumberShape>> numbers;
    // From the right, so that the reading with the longest first operand
    // comes first: "2/3 ÷ 9" before "2 ÷ 3/9".
    for (std::size_t op = tokens.size(); op-- > 0;) {
        if (!canBeOperator(tokens[op])) {
            continue;
        }
        auto first = reading::shapeOf(text, tokens, 0, op);
        auto second = reading::shapeOf(text, tokens, op + 1, tokens.size());
        if (first.value && second.value) {
            readings.push_back(op);
            numbers = {*first.value, *second.value};
        }
    }
    if (readings.empty()) {
        return {std::nullopt, unreadable(text, tokens)};
    }
    if (readings.size() > 1) {
        // Only a "/" can be read two ways: a "+" or "-" is the operation
        // after a number and a sign anywhere else.
        std::string message = quoted(whole) + "は";
        for (const std::size_t op : readings) {
            message += quoted(std::string(reading::sourceOf(text, tokens, 0, op)) + " ÷ "
                           + std::string(reading::sourceOf(text, tokens, op + 1, tokens.size())))
                + "とも";
        }
        return {std::nullopt, message + "読めます。" + std::string(AmbiguityAdvice)};
    }
    const std::size_t op = readings.front();
    Parsed<TypedOperand> first = operandOf(numbers->first, reading::sourceOf(text, tokens, 0, op));
    Parsed<TypedOperand> second
        = operandOf(numbers->second, reading::sourceOf(text, tokens, op + 1, tokens.size()));
    if (!first.value || !second.value) {
        return {std::nullopt, first.value ? second.error : first.error};
    }
    return {
        Problem {std::move(*first.value), std::move(*second.value), tokens[op].operation.value()},
        {}};
}

}  // namespace tobarin
