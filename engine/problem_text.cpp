#include "engine/problem_text.h"

#include <vector>

namespace tobarin {

namespace {

enum class TokenKind {
    Number,
    Slash,  // "/": the bar of a fraction or the operator ÷
    Minus,  // "-": a sign or the operator -
    Operator,  // any other operation sign
    And,  // "と" between the integer part and the fraction
};

struct Token {
    TokenKind kind;
    std::optional<Operation> operation;  // of Slash, Minus and Operator
    std::string digits;  // of a Number, in ASCII
    std::size_t begin;  // bytes of the text it stands for
    std::size_t end;
    bool blankBefore;
    bool blankAfter;
};

struct Symbol {
    std::string_view text;
    TokenKind kind;
    std::optional<Operation> operation;
};

constexpr Symbol Symbols[] = {
    {"/", TokenKind::Slash, Operation::Divide},
    {"-", TokenKind::Minus, Operation::Subtract},
    {"+", TokenKind::Operator, Operation::Add},
    {"*", TokenKind::Operator, Operation::Multiply},
    {"×", TokenKind::Operator, Operation::Multiply},
    {"÷", TokenKind::Operator, Operation::Divide},
    {"＋", TokenKind::Operator, Operation::Add},
    {"－", TokenKind::Operator, Operation::Subtract},
    {"＊", TokenKind::Operator, Operation::Multiply},
    {"／", TokenKind::Operator, Operation::Divide},
    {"と", TokenKind::And, std::nullopt},
};

constexpr std::string_view Blanks[] = {" ", "\t", "　"};

constexpr std::string_view FullWidthZero = "０";  // U+FF10; ０-９ differ in the last byte only

constexpr std::string_view OperandForms
    = "整数「3」、分数「3/4」、帯分数「1 2/3」や「1と2/3」のように書いてください。";

constexpr std::string_view AmbiguityAdvice
    = "割り算の記号の「/」は前後に空白を入れて書くか、「÷」を使ってください。";

std::string quoted(std::string_view text)
{
    return "「" + std::string(text) + "」";
}

// The ASCII digit at the start of text (ASCII or full-width), with its length in bytes.
std::optional<std::pair<char, std::size_t>> digitAt(std::string_view text)
{
    if (!text.empty() && text[0] >= '0' && text[0] <= '9') {
        return std::pair {text[0], std::size_t {1}};
    }
    if (text.size() >= 3 && text.substr(0, 2) == FullWidthZero.substr(0, 2)) {
        const int offset
            = static_cast<unsigned char>(text[2]) - static_cast<unsigned char>(FullWidthZero[2]);
        if (offset >= 0 && offset <= 9) {
            return std::pair {static_cast<char>('0' + offset), std::size_t {3}};
        }
    }
    return std::nullopt;
}

// The length in bytes of the UTF-8 character at the start of text, or 0 when
// the bytes there are not one.
std::size_t characterLength(std::string_view text)
{
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 0;
    if (lead < 0x80U) {
        length = 1;
    } else if ((lead & 0xE0U) == 0xC0U) {
        length = 2;
    } else if ((lead & 0xF0U) == 0xE0U) {
        length = 3;
    } else if ((lead & 0xF8U) == 0xF0U) {
        length = 4;
    }
    if (length == 0 || length > text.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0U) != 0x80U) {
            return 0;
        }
    }
    return length;
}

struct Tokens {
    std::vector<Token> tokens;
    std::string error;
};

Tokens tokenize(std::string_view text)
{
    Tokens result;
    std::vector<Token> &tokens = result.tokens;
    bool blank = false;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::string_view rest = text.substr(i);
        std::size_t length = 0;
        for (const std::string_view b : Blanks) {
            length = rest.starts_with(b) ? b.size() : length;
        }
        if (length > 0) {
            blank = true;
            if (!tokens.empty()) {
                tokens.back().blankAfter = true;
            }
            i += length;
            continue;
        }
        if (const auto digit = digitAt(rest)) {
            // Digits next to each other make one number.
            if (!tokens.empty() && tokens.back().kind == TokenKind::Number && !blank) {
                tokens.back().digits += digit->first;
                tokens.back().end = i + digit->second;
            } else {
                tokens.push_back({TokenKind::Number, std::nullopt, std::string(1, digit->first), i,
                    i + digit->second, blank, false});
            }
            i += digit->second;
            blank = false;
            continue;
        }
        const Symbol *symbol = nullptr;
        for (const Symbol &s : Symbols) {
            symbol = rest.starts_with(s.text) ? &s : symbol;
        }
        if (!symbol) {
            const std::size_t character = characterLength(rest);
            result.error = character == 0
                ? std::string("UTF-8 として読めない文字があります。")
                : quoted(rest.substr(0, character)) + "は使えない文字です。";
            return result;
        }
        tokens.push_back(
            {symbol->kind, symbol->operation, {}, i, i + symbol->text.size(), blank, false});
        i += symbol->text.size();
        blank = false;
    }
    return result;
}

// tokens[b, e) as one OPERAND.
std::optional<TypedOperand> operandOf(
    const std::vector<Token> &tokens, std::size_t b, std::size_t e)
{
    const auto number = [&](std::size_t k) { return k < e && tokens[k].kind == TokenKind::Number; };
    // The bar of a fraction: a "/" with no blank beside it.
    const auto bar = [&](std::size_t k) {
        return k < e && tokens[k].kind == TokenKind::Slash && !tokens[k].blankBefore
            && !tokens[k].blankAfter;
    };
    TypedOperand operand;
    std::size_t i = b;
    if (i < e && tokens[i].kind == TokenKind::Minus) {
        operand.negative = true;
        ++i;
    }
    if (!number(i)) {
        return std::nullopt;
    }
    const std::string &first = tokens[i].digits;
    ++i;
    if (i == e) {
        operand.fields[2] = first;
        return operand;
    }
    if (bar(i) && number(i + 1) && i + 2 == e) {
        operand.fields = {tokens[i + 1].digits, first, ""};
        return operand;
    }
    if (tokens[i].kind == TokenKind::And) {
        ++i;
    }
    // "W N/D": two numbers in a row were parted by a blank, or by "と".
    if (number(i) && bar(i + 1) && number(i + 2) && i + 3 == e) {
        operand.fields = {tokens[i + 2].digits, tokens[i].digits, first};
        return operand;
    }
    return std::nullopt;
}

std::string_view sourceOf(
    std::string_view text, const std::vector<Token> &tokens, std::size_t b, std::size_t e)
{
    return text.substr(tokens[b].begin, tokens[e - 1].end - tokens[b].begin);
}

bool canBeOperator(const Token &token)
{
    return token.kind == TokenKind::Slash || token.kind == TokenKind::Minus
        || token.kind == TokenKind::Operator;
}

// A sign that can only be the operator: not "-", and not a "/" that could be a bar.
bool mustBeOperator(const Token &token)
{
    return token.kind == TokenKind::Operator
        || (token.kind == TokenKind::Slash && (token.blankBefore || token.blankAfter));
}

// Why no reading was found, told about the sign most likely meant as the
// operator: one that can be nothing else, else a "-" that is not in front,
// else a "/".
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
    std::size_t op = first([](const Token &t, std::size_t) { return mustBeOperator(t); });
    if (op == tokens.size()) {
        op = first(
            [](const Token &t, std::size_t i) { return t.kind == TokenKind::Minus && i > 0; });
    }
    if (op == tokens.size()) {
        op = first([](const Token &t, std::size_t) { return t.kind == TokenKind::Slash; });
    }
    if (op == tokens.size()) {
        return quoted(sourceOf(text, tokens, 0, tokens.size()))
            + "に計算の記号（+ - × ÷）がありません。";
    }
    const std::string_view sign = sourceOf(text, tokens, op, op + 1);
    if (op == 0) {
        return quoted(sign) + "の前に数がありません。";
    }
    if (op + 1 == tokens.size()) {
        return quoted(sign) + "の後に数がありません。";
    }
    const bool leftRead = operandOf(tokens, 0, op).has_value();
    const std::string_view part
        = leftRead ? sourceOf(text, tokens, op + 1, tokens.size()) : sourceOf(text, tokens, 0, op);
    return quoted(part) + "は数として読めません。" + std::string(OperandForms);
}

}  // namespace

Parsed<Problem> parseProblem(std::string_view text)
{
    const Tokens read = tokenize(text);
    if (!read.error.empty()) {
        return {std::nullopt, read.error};
    }
    const std::vector<Token> &tokens = read.tokens;
    if (tokens.empty()) {
        return {std::nullopt, "式がありません。「1 2/3 + 3/4」のように書いてください。"};
    }
    const std::string_view whole = sourceOf(text, tokens, 0, tokens.size());
    std::size_t definite = 0;
    for (const Token &token : tokens) {
        definite += mustBeOperator(token) ? 1 : 0;
    }
    if (definite > 1) {
        return {std::nullopt,
            quoted(whole) + "には計算の記号が2つ以上あります。計算は1つずつしてください。"};
    }
    // Every reading: each sign that can be the operator, with an OPERAND on
    // either side of it.
    std::vector<std::size_t> readings;
    std::optional<Problem> problem;
    // From the right, so that the reading with the longest first operand
    // comes first: "2/3 ÷ 9" before "2 ÷ 3/9".
    for (std::size_t op = tokens.size(); op-- > 0;) {
        if (!canBeOperator(tokens[op])) {
            continue;
        }
        auto first = operandOf(tokens, 0, op);
        auto second = operandOf(tokens, op + 1, tokens.size());
        if (first && second) {
            readings.push_back(op);
            problem = Problem {std::move(*first), std::move(*second), tokens[op].operation.value()};
        }
    }
    if (readings.empty()) {
        return {std::nullopt, unreadable(text, tokens)};
    }
    if (readings.size() > 1) {
        std::string message = quoted(whole) + "は";
        for (const std::size_t op : readings) {
            message += quoted(std::string(sourceOf(text, tokens, 0, op)) + " ÷ "
                           + std::string(sourceOf(text, tokens, op + 1, tokens.size())))
                + "とも";
        }
        return {std::nullopt, message + "読めます。" + std::string(AmbiguityAdvice)};
    }
    return {problem, {}};
}

Parsed<TypedOperand> parseOperand(std::string_view text)
{
    const Tokens read = tokenize(text);
    if (!read.error.empty()) {
        return {std::nullopt, read.error};
    }
    if (read.tokens.empty()) {
        return {std::nullopt, "数がありません。" + std::string(OperandForms)};
    }
    auto operand = operandOf(read.tokens, 0, read.tokens.size());
    if (!operand) {
        return {std::nullopt,
            quoted(sourceOf(text, read.tokens, 0, read.tokens.size())) + "は数として読めません。"
                + std::string(OperandForms)};
    }
    return {std::move(operand), {}};
}

std::optional<std::string> fieldDigits(std::string_view text)
{
    const Tokens read = tokenize(text);
    if (!read.error.empty() || read.tokens.size() > 1
        || (read.tokens.size() == 1 && read.tokens[0].kind != TokenKind::Number)) {
        return std::nullopt;
    }
    return read.tokens.empty() ? std::string() : read.tokens[0].digits;
}

}  // namespace tobarin
