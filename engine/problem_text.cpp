#include "engine/problem_text.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace tobarin {

namespace {

enum class TokenKind {
    Number,
    Slash,  // the bar of a fraction or the operation ÷
    Sign,  // a sign or the operation + or -
    Operator,  // an operation sign that can be nothing else
    And,  // "と" between the integer part and the fraction
    Open,
    Close,
    Point,  // the decimal point
    Unending,  // the mark of a decimal that does not end
};

struct Token {
    TokenKind kind;
    std::optional<Operation> operation;  // of Slash, Sign and Operator
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
    {"／", TokenKind::Slash, Operation::Divide},
    {"-", TokenKind::Sign, Operation::Subtract},
    {"－", TokenKind::Sign, Operation::Subtract},
    {"−", TokenKind::Sign, Operation::Subtract},  // U+2212, the minus of a drawn working
    // What the minus key gives while the input method writes kana.
    {"ー", TokenKind::Sign, Operation::Subtract},
    {"+", TokenKind::Sign, Operation::Add},
    {"＋", TokenKind::Sign, Operation::Add},
    {"*", TokenKind::Operator, Operation::Multiply},
    {"＊", TokenKind::Operator, Operation::Multiply},
    {"×", TokenKind::Operator, Operation::Multiply},
    {"÷", TokenKind::Operator, Operation::Divide},
    {"と", TokenKind::And, std::nullopt},
    {"(", TokenKind::Open, std::nullopt},
    {"（", TokenKind::Open, std::nullopt},
    {")", TokenKind::Close, std::nullopt},
    {"）", TokenKind::Close, std::nullopt},
    {".", TokenKind::Point, std::nullopt},
    {"．", TokenKind::Point, std::nullopt},
    {"…", TokenKind::Unending, std::nullopt},
    {"‥", TokenKind::Unending, std::nullopt},
    {"⋯", TokenKind::Unending, std::nullopt},
    {"・", TokenKind::Unending, std::nullopt},
    {"･", TokenKind::Unending, std::nullopt},
};

constexpr std::string_view Blanks[] = {" ", "\t", "　"};

constexpr std::string_view FullWidthZero = "０";  // U+FF10; ０-９ differ in the last byte only

constexpr std::string_view OperandForms
    = "整数「3」、分数「3/4」、帯分数「1 2/3」や「1と2/3」のように書いてください。";

constexpr std::string_view AmbiguityAdvice
    = "割り算の記号の「/」は前後に空白を入れて書くか、「÷」を使ってください。";

constexpr std::string_view NoDecimals = "は小数です。式の数は整数、分数、帯分数で書いてください。";

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
        const bool joined = !tokens.empty() && !blank;
        if (const auto digit = digitAt(rest)) {
            // Digits next to each other make one number.
            if (joined && tokens.back().kind == TokenKind::Number) {
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
        const bool dots = symbol->kind == TokenKind::Point || symbol->kind == TokenKind::Unending;
        if (dots && joined
            && (tokens.back().kind == TokenKind::Point
                || tokens.back().kind == TokenKind::Unending)) {
            // Points and dots in a row: "...", "・・・".
            tokens.back().kind = TokenKind::Unending;
            tokens.back().end = i + symbol->text.size();
        } else {
            tokens.push_back(
                {symbol->kind, symbol->operation, {}, i, i + symbol->text.size(), blank, false});
        }
        i += symbol->text.size();
        blank = false;
    }
    return result;
}

std::string_view sourceOf(
    std::string_view text, const std::vector<Token> &tokens, std::size_t b, std::size_t e)
{
    return text.substr(tokens[b].begin, tokens[e - 1].end - tokens[b].begin);
}

// Whether tokens[b, e) are of the kinds given, one for one, with no blank
// inside them where tight is set.
bool shaped(const std::vector<Token> &tokens, std::size_t b, std::size_t e,
    std::initializer_list<TokenKind> kinds, bool tight)
{
    if (e - b != kinds.size()) {
        return false;
    }
    std::size_t k = b;
    for (const TokenKind kind : kinds) {
        if (tokens[k].kind != kind || (tight && k > b && tokens[k].blankBefore)) {
            return false;
        }
        ++k;
    }
    return true;
}

// tokens[b, e) without sign and parentheses, as one number.
std::optional<WrittenNumber> bareNumber(
    const std::vector<Token> &tokens, std::size_t b, std::size_t e)
{
    using enum TokenKind;
    const auto digits = [&](std::size_t k) { return tokens[b + k].digits; };
    // The bar of a fraction: a "/" with no blank beside it.
    const auto tightBar
        = [&](std::size_t k) { return !tokens[b + k].blankBefore && !tokens[b + k].blankAfter; };
    WrittenNumber number;
    if (shaped(tokens, b, e, {Number}, false)) {
        number.whole = digits(0);
    } else if (shaped(tokens, b, e, {Number, Slash, Number}, false) && tightBar(1)) {
        number.num = digits(0);
        number.den = digits(2);
    } else if (shaped(tokens, b, e, {Number, Number, Slash, Number}, false) && tightBar(2)) {
        // Two numbers in a row were parted by a blank.
        number.whole = digits(0);
        number.num = digits(1);
        number.den = digits(3);
    } else if (shaped(tokens, b, e, {Number, And, Number, Slash, Number}, false) && tightBar(3)) {
        number.whole = digits(0);
        number.num = digits(2);
        number.den = digits(4);
    } else if (e - b >= 3 && shaped(tokens, b, b + 3, {Number, Point, Number}, true)) {
        number.whole = digits(0);
        number.decimals = digits(2);
        if (shaped(tokens, b + 3, e, {Unending}, false)) {
            number.unending = true;
        } else if (shaped(tokens, b + 2, e, {Number, Open, Number, Close}, true)) {
            // Its repeating digits in parentheses, as a decimal is copied: 2.41(6).
            number.decimals += digits(4);
            number.unending = true;
        } else if (e - b != 3) {
            return std::nullopt;
        }
    } else {
        return std::nullopt;
    }
    return number;
}

// tokens[b, e) as one NUMBER: a sign, parentheses and a sign inside them, and
// the number itself.
Parsed<WrittenNumber> numberOf(
    std::string_view text, const std::vector<Token> &tokens, std::size_t b, std::size_t e)
{
    if (b == e) {
        return {std::nullopt, "数がありません。" + std::string(OperandForms)};
    }
    const std::string part = quoted(sourceOf(text, tokens, b, e));
    bool negative = false;
    int signs = 0;
    std::size_t i = b;
    const auto takeSign = [&] {
        if (i < e && tokens[i].kind == TokenKind::Sign) {
            negative = tokens[i].operation == Operation::Subtract;
            ++signs;
            ++i;
        }
    };
    takeSign();
    if (i < e && tokens[i].kind == TokenKind::Open) {
        if (i + 1 == e || tokens[e - 1].kind != TokenKind::Close) {
            return {std::nullopt,
                part + "の" + quoted(sourceOf(text, tokens, i, i + 1))
                    + "を閉じるかっこがありません。"};
        }
        ++i;
        --e;
        takeSign();
    }
    if (signs > 1) {
        return {std::nullopt, part + "には符号が2つあります。"};
    }
    std::optional<WrittenNumber> number = i < e ? bareNumber(tokens, i, e) : std::nullopt;
    if (!number) {
        return {std::nullopt, part + "は数として読めません。" + std::string(OperandForms)};
    }
    number->negative = negative;
    return {std::move(number), {}};
}

// A NUMBER as an OPERAND, written as the text given: a decimal is refused.
Parsed<TypedOperand> operandOf(const WrittenNumber &number, std::string_view written)
{
    if (number.isDecimal()) {
        return {std::nullopt, quoted(written) + std::string(NoDecimals)};
    }
    return {TypedOperand {{number.den, number.num, number.whole}, number.negative}, {}};
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
    const Parsed<WrittenNumber> left = numberOf(text, tokens, 0, op);
    return left.value ? numberOf(text, tokens, op + 1, tokens.size()).error : left.error;
}

}  // namespace

Parsed<WrittenNumber> readNumber(std::string_view text)
{
    const Tokens read = tokenize(text);
    if (!read.error.empty()) {
        return {std::nullopt, read.error};
    }
    return numberOf(text, read.tokens, 0, read.tokens.size());
}

Parsed<TypedOperand> parseOperand(std::string_view text)
{
    const Tokens read = tokenize(text);
    if (!read.error.empty()) {
        return {std::nullopt, read.error};
    }
    const Parsed<WrittenNumber> number = numberOf(text, read.tokens, 0, read.tokens.size());
    if (!number.value) {
        return {std::nullopt, number.error};
    }
    return operandOf(*number.value, sourceOf(text, read.tokens, 0, read.tokens.size()));
}

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
    std::optional<std::pair<WrittenNumber, WrittenNumber>> numbers;
    // From the right, so that the reading with the longest first operand
    // comes first: "2/3 ÷ 9" before "2 ÷ 3/9".
    for (std::size_t op = tokens.size(); op-- > 0;) {
        if (!canBeOperator(tokens[op])) {
            continue;
        }
        auto first = numberOf(text, tokens, 0, op);
        auto second = numberOf(text, tokens, op + 1, tokens.size());
        if (first.value && second.value) {
            readings.push_back(op);
            numbers = {std::move(*first.value), std::move(*second.value)};
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
            message += quoted(std::string(sourceOf(text, tokens, 0, op)) + " ÷ "
                           + std::string(sourceOf(text, tokens, op + 1, tokens.size())))
                + "とも";
        }
        return {std::nullopt, message + "読めます。" + std::string(AmbiguityAdvice)};
    }
    const std::size_t op = readings.front();
    Parsed<TypedOperand> first = operandOf(numbers->first, sourceOf(text, tokens, 0, op));
    Parsed<TypedOperand> second
        = operandOf(numbers->second, sourceOf(text, tokens, op + 1, tokens.size()));
    if (!first.value || !second.value) {
        return {std::nullopt, first.value ? second.error : first.error};
    }
    return {
        Problem {std::move(*first.value), std::move(*second.value), tokens[op].operation.value()},
        {}};
}

std::string quoted(std::string_view text)
{
    return "「" + std::string(text) + "」";
}

std::string writtenText(const WrittenNumber &number)
{
    std::string text = number.negative ? "-" : "";
    if (number.isDecimal()) {
        return text + number.whole + "." + number.decimals + (number.unending ? "…" : "");
    }
    text += number.whole;
    if (!number.num.empty() || !number.den.empty()) {
        text += (number.whole.empty() ? "" : " ") + number.num + "/" + number.den;
    }
    return text;
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
