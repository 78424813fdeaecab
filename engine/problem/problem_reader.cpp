#include "engine/number/reader.h"
#include "engine/problem/problem.h"

#include <vector>

namespace tobarin {

namespace {

using reading::Token;
using reading::TokenKind;

constexpr std::string_view AmbiguityAdvice
    = "割り算の記号の「/」は前後に空白を入れて書くか、「÷」を使ってください。";
constexpr std::string_view Example = "「1/2 + 1/3 × 3/4」のように書いてください。";

// A number part of more digits than the engine keeps has no value it can
// calculate with: it stands for a value beyond every range (10^19), which
// working the problem out reports as run-time error 6, as the window does with
// a field beyond 32 bits.
constexpr wide::Int128 Beyond = wide::Int128 {10'000'000'000} * 1'000'000'000;

wide::Int128 partValue(const Token *token)
{
    if (!token) {
        return 0;
    }
    const std::string_view digits = token->digits;
    const std::size_t first = std::min(digits.find_first_not_of('0'), digits.size());
    return wide::digitsValue(digits.substr(first)).value_or(Beyond);
}

// A failure to read, as it is told.
struct Refusal {
    std::string message;
};

// A number as its tokens shape it; a decimal of more places than a problem
// takes is refused.
WrittenNumber writtenOf(const reading::NumberShape &shape, std::string_view written)
{
    WrittenNumber number;
    number.negative = shape.negative;
    number.hasWhole = shape.whole != nullptr;
    number.whole = partValue(shape.whole);
    number.hasFraction = shape.den != nullptr;
    number.num = partValue(shape.num);
    number.den = partValue(shape.den);
    if (shape.unending) {
        throw Refusal {
            quoted(written) + "は終わらない小数です。式には終わる小数か分数を書いてください。"};
    }
    if (shape.decimals) {
        if (shape.decimals->digits.size() > MostDecimalPlaces) {
            throw Refusal {
                quoted(written) + "は小数第4位より細かい小数です。小数は第3位までにしてください。"};
        }
        number.decimals = shape.decimals->digits;
    }
    return number;
}

bool canBeOperator(const Token &token)
{
    return token.kind == TokenKind::Slash || token.kind == TokenKind::Sign
        || token.kind == TokenKind::Operator;
}

// The problem as two numbers and one operation, where it reads so in exactly
// one way: each sign that can be the operation, with a number on either side
// of it. A "/" that is the operation in one reading and the bar of a fraction
// in another ("2/3/9") makes it ambiguous. Nothing where no such reading is.
std::optional<Problem> twoNumbers(std::string_view text, const std::vector<Token> &tokens)
{
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
        return std::nullopt;
    }
    if (readings.size() > 1) {
        std::string message = quoted(reading::sourceOf(text, tokens, 0, tokens.size())) + "は";
        for (const std::size_t op : readings) {
            message += quoted(std::string(reading::sourceOf(text, tokens, 0, op)) + " ÷ "
                           + std::string(reading::sourceOf(text, tokens, op + 1, tokens.size())))
                + "とも";
        }
        throw Refusal {message + "読めます。" + std::string(AmbiguityAdvice)};
    }
    const std::size_t op = readings.front();
    return pairProblem(writtenOf(numbers->first, reading::sourceOf(text, tokens, 0, op)),
        tokens[op].operation.value(),
        writtenOf(numbers->second, reading::sourceOf(text, tokens, op + 1, tokens.size())));
}

class ProblemReader {
public:
    ProblemReader(std::string_view text, const std::vector<Token> &tokens)
        : m_text(text)
        , m_tokens(tokens)
    {
    }

    Expression read()
    {
        Expression expression = sum(0);
        if (m_at < m_tokens.size()) {
            // Only a ")" without its "(" stops a sum before the end.
            throw Refusal {quoted(source(m_at, m_at + 1)) + "の前に、対応する「(」がありません。"};
        }
        return expression;
    }

private:
    [[nodiscard]] std::string_view source(std::size_t b, std::size_t e) const
    {
        return reading::sourceOf(m_text, m_tokens, b, e);
    }

    [[nodiscard]] bool at(TokenKind kind, std::size_t offset = 0) const
    {
        return m_at + offset < m_tokens.size() && m_tokens[m_at + offset].kind == kind;
    }

    // Terms joined by + and -.
    Expression sum(int depth)
    {
        std::vector<Expression> terms {product(depth)};
        std::vector<Operation> operations;
        while (at(TokenKind::Sign)) {
            operations.push_back(m_tokens[m_at++].operation.value());
            terms.push_back(product(depth));
        }
        return terms.size() == 1 ? std::move(terms.front())
                                 : chainExpression(std::move(terms), std::move(operations));
    }

    // Factors joined by × and ÷.
    Expression product(int depth)
    {
        std::vector<Expression> factors {signedFactor(depth)};
        std::vector<Operation> operations;
        while (at(TokenKind::Operator) || at(TokenKind::Slash)) {
            operations.push_back(m_tokens[m_at++].operation.value());
            factors.push_back(signedFactor(depth));
        }
        if (m_at < m_tokens.size() && !at(TokenKind::Sign) && !at(TokenKind::Close)) {
            refuseAfterOperand();
        }
        return factors.size() == 1 ? std::move(factors.front())
                                   : chainExpression(std::move(factors), std::move(operations));
    }

    // What stands after a number where an operation, ")" or the end should.
    [[noreturn]] void refuseAfterOperand() const
    {
        const Token &token = m_tokens[m_at];
        if (token.kind == TokenKind::Number || token.kind == TokenKind::Open) {
            throw Refusal {quoted(source(m_operandStart, m_at + 1))
                + "では、数と数の間に計算の記号（+ - × ÷）がありません。"};
        }
        if (token.kind == TokenKind::Power || token.kind == TokenKind::Caret) {
            throw Refusal {quoted(source(m_operandStart, m_at + 1))
                + "の累乗は読めません。累乗は整数、小数、かっこのあとに書いてください。"};
        }
        throw Refusal {quoted(source(m_operandStart, m_at + 1)) + "は数として読めません。"
            + std::string(reading::NumberForms)};
    }

    // A factor with the sign before it, if any: a negative number, or a sign
    // in front of a power or a parenthesis.
    Expression signedFactor(int depth)
    {
        const std::size_t start = m_at;
        m_operandStart = m_at;
        if (m_at >= m_tokens.size()) {
            throw Refusal {quoted(source(m_at - 1, m_at)) + "の後に数がありません。"};
        }
        bool negative = false;
        if (at(TokenKind::Sign)) {
            negative = m_tokens[m_at].operation == Operation::Subtract;
            ++m_at;
            if (at(TokenKind::Sign)) {
                throw Refusal {quoted(source(start, m_at + 1)) + "には符号が2つあります。"};
            }
        }
        Expression factor = power(depth);
        if (!negative) {
            return factor;
        }
        if (factor.isNumber()) {
            if (factor.number.negative) {
                throw Refusal {quoted(source(start, m_at)) + "には符号が2つあります。"};
            }
            factor.number.negative = true;
            return factor;
        }
        return signedExpression(Sign::Minus, std::move(factor));
    }

    // A number or a parenthesis, and its exponent, if any.
    Expression power(int depth)
    {
        const std::size_t start = m_at;
        bool closed = false;  // it ends with ")"
        Expression base = primary(depth, closed);
        const std::size_t baseEnd = m_at;  // the exponent, ² or ^2, follows
        int exponent = 0;
        if (at(TokenKind::Power)) {
            exponent = m_tokens[m_at].digits[0] - '0';
            ++m_at;
        } else if (at(TokenKind::Caret)) {
            if (!at(TokenKind::Number, 1) || m_tokens[m_at + 1].digits.size() != 1
                || m_tokens[m_at + 1].digits[0] < '2' || m_tokens[m_at + 1].digits[0] > '4') {
                throw Refusal {quoted(source(start, std::min(m_at + 2, m_tokens.size())))
                    + "の指数は読めません。指数は2、3、4のどれかにしてください。"};
            }
            exponent = m_tokens[m_at + 1].digits[0] - '0';
            m_at += 2;
        } else {
            return base;
        }
        if (!closed && base.isNumber() && base.number.hasFraction) {
            const std::string written(source(start, baseEnd));
            throw Refusal {quoted(source(start, m_at))
                + "は読めません。分数や帯分数を累乗するときは、"
                + quoted("(" + written + ")" + std::string(exponentText(exponent)))
                + "のようにかっこをつけてください。"};
        }
        return powerExpression(std::move(base), exponent);
    }

    Expression primary(int depth, bool &closed)
    {
        if (at(TokenKind::Open)) {
            const std::size_t open = m_at++;
            // Parentheses of a sign's only (((-3))) count here, so that
            // no text nests the reading without end.
            if (depth + 1 > 2 * DeepestParentheses + 2) {
                throw Refusal {"かっこは3重までにしてください。"};
            }
            if (m_at >= m_tokens.size() || at(TokenKind::Close)) {
                throw Refusal {quoted(source(open, std::min(m_at + 1, m_tokens.size())))
                    + "のかっこの中に数がありません。"};
            }
            Expression inside = sum(depth + 1);
            if (!at(TokenKind::Close)) {
                throw Refusal {quoted(source(open, m_at)) + "の" + quoted(source(open, open + 1))
                    + "を閉じるかっこがありません。"};
            }
            ++m_at;
            closed = true;
            // Parentheses around one number, or around a sign and what it
            // stands before, are the sign's, which the writer puts back where
            // a signed number needs them: (-3) and (-3²).
            const bool sign = inside.isNumber() || inside.kind == Expression::Kind::Signed;
            return sign ? inside : parenthesesExpression(std::move(inside));
        }
        if (m_at >= m_tokens.size()) {
            throw Refusal {quoted(source(m_at - 1, m_at)) + "の後に数がありません。"};
        }
        if (!at(TokenKind::Number)) {
            const std::string_view sign = source(m_at, m_at + 1);
            throw Refusal {
                quoted(sign) + (m_at == 0 ? "の前に数がありません。" : "の前後に数がありません。")};
        }
        return number();
    }

    // The longest number that starts here: W, N/D, W N/D, WとN/D, D分のN,
    // WとD分のN, or a decimal W.F.
    Expression number()
    {
        const std::size_t start = m_at;
        const auto tight = [this](std::size_t k) {
            return k < m_tokens.size() && !m_tokens[k].blankBefore && !m_tokens[k].blankAfter;
        };
        const auto kind = [this](std::size_t k, TokenKind expected) {
            return k < m_tokens.size() && m_tokens[k].kind == expected;
        };
        std::size_t end = start + 1;
        if (kind(start + 1, TokenKind::Point)) {
            end = start + 3;
            if (!kind(start + 2, TokenKind::Number) || m_tokens[start + 1].blankBefore
                || m_tokens[start + 1].blankAfter) {
                throw Refusal {quoted(source(start, std::min(end, m_tokens.size())))
                    + "は数として読めません。" + std::string(reading::NumberForms)};
            }
            if (kind(end, TokenKind::Unending)
                || (kind(end, TokenKind::Open) && !m_tokens[end].blankBefore
                    && kind(end + 1, TokenKind::Number) && kind(end + 2, TokenKind::Close))) {
                throw Refusal {quoted(source(start, end + (kind(end, TokenKind::Open) ? 3 : 1)))
                    + "は終わらない小数です。式には終わる小数か分数を書いてください。"};
            }
        } else if (kind(start + 2, TokenKind::Number)
            && (kind(start + 1, TokenKind::Over)
                || (kind(start + 1, TokenKind::Slash) && tight(start + 1)))) {
            // A fraction: N/D, or D分のN.
            end = start + 3;
        } else if (const std::size_t part = kind(start + 1, TokenKind::And) ? start + 2 : start + 1;
                   kind(part, TokenKind::Number)
                   && ((kind(part + 1, TokenKind::Slash) && tight(part + 1))
                       || kind(part + 1, TokenKind::Over))
                   && kind(part + 2, TokenKind::Number)) {
            // A mixed number: W N/D, WとN/D, W D分のN, WとD分のN.
            end = part + 3;
        }
        if (end == start + 1
            && (kind(start + 1, TokenKind::And) || kind(start + 1, TokenKind::Over))) {
            // と or 分の without the rest of a number after it.
            throw Refusal {quoted(source(start, std::min(start + 3, m_tokens.size())))
                + "は数として読めません。" + std::string(reading::NumberForms)};
        }
        const bool fraction = end > start + 2 && kind(end - 2, TokenKind::Slash);
        if (fraction && kind(end, TokenKind::Slash) && tight(end)
            && kind(end + 1, TokenKind::Number) && end == start + 3) {
            // 2/3/9: 2/3 ÷ 9, or 2 ÷ 3/9.
            const std::string first
                = std::string(source(start, end)) + " ÷ " + std::string(source(end + 1, end + 2));
            const std::string second = std::string(source(start, start + 1)) + " ÷ "
                + std::string(source(start + 2, end + 2));
            throw Refusal {quoted(source(start, end + 2)) + "は" + quoted(first) + "とも"
                + quoted(second) + "とも読めます。" + std::string(AmbiguityAdvice)};
        }
        const Parsed<reading::NumberShape> shape = reading::shapeOf(m_text, m_tokens, start, end);
        if (!shape.value) {
            throw Refusal {shape.error};
        }
        m_at = end;
        return numberExpression(writtenOf(*shape.value, source(start, end)));
    }

    std::string_view m_text;
    const std::vector<Token> &m_tokens;
    std::size_t m_at = 0;
    std::size_t m_operandStart = 0;  // where the operand being read began
};

}  // namespace

Parsed<Problem> readProblem(std::string_view text)
{
    if (isConversionText(text)) {
        Parsed<Conversion> conversion = readConversion(text);
        if (!conversion.value) {
            return {std::nullopt, conversion.error};
        }
        if (std::string refusal = conversionRefusal(*conversion.value); !refusal.empty()) {
            return {std::nullopt, std::move(refusal)};
        }
        return {conversionProblem(std::move(*conversion.value)), {}};
    }
    const reading::Tokens read = reading::tokenize(text);
    if (!read.error.empty()) {
        return {std::nullopt, read.error};
    }
    if (read.tokens.empty()) {
        return {std::nullopt, "式がありません。" + std::string(Example)};
    }
    try {
        if (std::optional<Problem> pair = twoNumbers(text, read.tokens)) {
            return {std::move(*pair), {}};
        }
        Problem problem {ProblemReader(text, read.tokens).read(), std::nullopt};
        const std::size_t numbers = numberCount(problem.expression);
        const std::string whole
            = quoted(reading::sourceOf(text, read.tokens, 0, read.tokens.size()));
        if (numbers < 2) {
            return {std::nullopt, whole + "に計算の記号（+ - × ÷）がありません。"};
        }
        if (parenthesesDepth(problem.expression) > DeepestParentheses) {
            return {std::nullopt, "かっこは3重までにしてください。"};
        }
        if (numbers > MostNumbers) {
            return {std::nullopt,
                whole + "には数が" + std::to_string(numbers)
                    + "つあります。式の数は8つまでにしてください。"};
        }
        return {std::move(problem), {}};
    } catch (const Refusal &refusal) {
        return {std::nullopt, refusal.message};
    }
}

}  // namespace tobarin
