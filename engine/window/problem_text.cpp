#include "engine/window/problem_text.h"

#include "engine/number/reader.h"

namespace tobarin {

namespace {

using reading::Token;
using reading::TokenKind;

constexpr std::string_view NoDecimals = "は小数です。式の数は整数、分数、帯分数で書いてください。";

// A number as an operand, written as the text given: its parts in ASCII
// digits go into the fields, a part not written leaving its field empty. A
// decimal is refused, one that does not end (0.(3), 0.333…) too: its
// places have no field, and dropping them would read 0.(3) as 0.
Parsed<TypedOperand> operandOf(const reading::NumberShape &number, std::string_view written)
{
    if (number.decimals || number.repeating || number.unending) {
        return {std::nullopt, quoted(written) + std::string(NoDecimals)};
    }
    const auto digits = [](const Token *part) { return part ? part->digits : std::string(); };
    return {TypedOperand {
                digits(number.den), digits(number.num), digits(number.whole), number.negative},
        {}};
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

}  // namespace tobarin
