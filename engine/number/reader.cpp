#include "engine/number/reader.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <utility>

namespace tobarin {

namespace reading {

namespace {

struct Symbol {
    std::string_view text;
    TokenKind kind;
    std::optional<Operation> operation;
    std::string_view digits = {};  // of an exponent
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
    // A fraction as it is read aloud, the denominator first: 12分の5 is 5/12.
    {"分の", TokenKind::Over, std::nullopt},
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
    {"²", TokenKind::Power, std::nullopt, "2"},
    {"³", TokenKind::Power, std::nullopt, "3"},
    {"⁴", TokenKind::Power, std::nullopt, "4"},
    {"^", TokenKind::Caret, std::nullopt},
    {"＾", TokenKind::Caret, std::nullopt},
};

constexpr std::string_view Blanks[] = {" ", "\t", "　"};

// Characters that take no room on the screen: zero-width spaces and joiners,
// the byte-order mark, the soft hyphen and the marks of writing direction.
// A message cannot show them in quotation marks, so it names them instead;
// and they are never dropped, since 2\u200B5/12 must not become 25/12.
constexpr std::string_view Invisibles[] = {"\u00AD", "\u061C", "\u180E", "\u200B", "\u200C",
    "\u200D", "\u200E", "\u200F", "\u202A", "\u202B", "\u202C", "\u202D", "\u202E", "\u2060",
    "\u2061", "\u2062", "\u2063", "\u2064", "\u2066", "\u2067", "\u2068", "\u2069", "\uFEFF"};

constexpr std::string_view FullWidthZero = "０";  // U+FF10; ０-９ differ in the last byte only

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
std::optional<NumberShape> bareNumber(
    const std::vector<Token> &tokens, std::size_t b, std::size_t e)
{
    using enum TokenKind;
    const auto at = [&](std::size_t k) { return &tokens[b + k]; };
    // The bar of a fraction: a "/" with no blank beside it.
    const auto tightBar
        = [&](std::size_t k) { return !tokens[b + k].blankBefore && !tokens[b + k].blankAfter; };
    NumberShape shape;
    if (shaped(tokens, b, e, {Number}, false)) {
        shape.whole = at(0);
    } else if (shaped(tokens, b, e, {Number, Slash, Number}, false) && tightBar(1)) {
        shape.num = at(0);
        shape.den = at(2);
    } else if (shaped(tokens, b, e, {Number, Number, Slash, Number}, false) && tightBar(2)) {
        // Two numbers in a row were parted by a blank.
        shape.whole = at(0);
        shape.num = at(1);
        shape.den = at(3);
    } else if (shaped(tokens, b, e, {Number, And, Number, Slash, Number}, false) && tightBar(3)) {
        shape.whole = at(0);
        shape.num = at(2);
        shape.den = at(4);
    } else if (shaped(tokens, b, e, {Number, Over, Number}, false)) {
        shape.den = at(0);
        shape.num = at(2);
    } else if (shaped(tokens, b, e, {Number, And, Number, Over, Number}, false)
        || shaped(tokens, b, e, {Number, Number, Over, Number}, false)) {
        const std::size_t parts = e - b;
        shape.whole = at(0);
        shape.den = at(parts - 3);
        shape.num = at(parts - 1);
    } else if (shaped(tokens, b, e, {Number, Point, Open, Number, Close}, true)) {
        // Only repeating digits after the point, as a third is copied: 0.(3).
        shape.whole = at(0);
        shape.repeating = at(3);
        shape.unending = true;
    } else if (e - b >= 3 && shaped(tokens, b, b + 3, {Number, Point, Number}, true)) {
        shape.whole = at(0);
        shape.decimals = at(2);
        if (shaped(tokens, b + 3, e, {Unending}, false)) {
            shape.unending = true;
        } else if (shaped(tokens, b + 2, e, {Number, Open, Number, Close}, true)) {
            // Its repeating digits in parentheses, as a decimal is copied: 2.41(6).
            shape.repeating = at(4);
            shape.unending = true;
        } else if (e - b != 3) {
            return std::nullopt;
        }
    } else {
        return std::nullopt;
    }
    return shape;
}

}  // namespace

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
            const std::string_view found = rest.substr(0, character);
            if (character == 0) {
                result.error = "UTF-8 として読めない文字があります。";
            } else if (std::find(std::begin(Invisibles), std::end(Invisibles), found)
                != std::end(Invisibles)) {
                result.error = InvisibleCharacter;
            } else {
                result.error = quoted(found) + "は使えない文字です。";
            }
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
            tokens.push_back({symbol->kind, symbol->operation, std::string(symbol->digits), i,
                i + symbol->text.size(), blank, false});
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

Parsed<NumberShape> shapeOf(
    std::string_view text, const std::vector<Token> &tokens, std::size_t b, std::size_t e)
{
    if (b == e) {
        return {std::nullopt, "数がありません。" + std::string(NumberForms)};
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
    std::optional<NumberShape> shape = i < e ? bareNumber(tokens, i, e) : std::nullopt;
    if (!shape) {
        return {std::nullopt, part + "は数として読めません。" + std::string(NumberForms)};
    }
    shape->negative = negative;
    return {shape, {}};
}

Parsed<WrittenNumber> numberOf(
    std::string_view text, const std::vector<Token> &tokens, std::size_t b, std::size_t e)
{
    const Parsed<NumberShape> shape = shapeOf(text, tokens, b, e);
    if (!shape.value) {
        return {std::nullopt, shape.error};
    }
    const NumberShape &s = *shape.value;
    WrittenNumber number;
    number.negative = s.negative;
    number.hasWhole = s.whole != nullptr;
    number.hasFraction = s.den != nullptr;
    number.unending = s.unending;
    if (s.decimals || s.repeating) {
        number.decimals = (s.decimals ? s.decimals->digits : std::string())
            + (s.repeating ? s.repeating->digits : "");
    }
    // Each part's value; a decimal that does not end has none to keep its
    // digits for.
    for (const auto &[token, value] : {std::pair {s.whole, &number.whole},
             std::pair {s.num, &number.num}, std::pair {s.den, &number.den}}) {
        const auto read = token ? wide::digitsValue(token->digits) : wide::Int128 {0};
        if (!read) {
            return {std::nullopt, quoted(token->digits) + "は桁が多すぎます。"};
        }
        *value = *read;
    }
    if (!s.unending && s.decimals && !wide::digitsValue(s.decimals->digits)) {
        return {std::nullopt, quoted(s.decimals->digits) + "は桁が多すぎます。"};
    }
    return {std::move(number), {}};
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

}  // namespace reading

Parsed<WrittenNumber> readNumber(std::string_view text)
{
    const reading::Tokens read = reading::tokenize(text);
    if (!read.error.empty()) {
        return {std::nullopt, read.error};
    }
    return reading::numberOf(text, read.tokens, 0, read.tokens.size());
}

namespace {

// The code point of one valid UTF-8 character.
char32_t codePoint(std::string_view character)
{
    const auto lead = static_cast<unsigned char>(character[0]);
    char32_t point = character.size() == 1 ? lead : lead & (0x7FU >> character.size());
    for (const char c : character.substr(1)) {
        point = (point << 6U) | (static_cast<unsigned char>(c) & 0x3FU);
    }
    return point;
}

std::string hex(unsigned value, int digits)
{
    constexpr std::string_view Digits = "0123456789abcdef";
    std::string text(static_cast<std::size_t>(digits), '0');
    for (auto i = text.size(); i-- > 0; value >>= 4U) {
        text[i] = Digits[value & 0xFU];
    }
    return text;
}

// One character of a text as a message shows it: itself, or its escape.
std::string shown(std::string_view character, bool utf8)
{
    if (!utf8) {
        return "\\x" + hex(static_cast<unsigned char>(character[0]), 2);
    }
    const char32_t point = codePoint(character);
    switch (point) {
    case U'\t':
        return "\\t";
    case U'\n':
        return "\\n";
    case U'\r':
        return "\\r";
    default:
        break;
    }
    if (point < 0x20 || point == 0x7F) {
        return "\\x" + hex(point, 2);
    }
    if ((point >= 0x80 && point <= 0x9F)
        || std::find(std::begin(reading::Invisibles), std::end(reading::Invisibles), character)
            != std::end(reading::Invisibles)) {
        return "\\u" + hex(point, 4);
    }
    return std::string(character);
}

}  // namespace

std::string echoed(std::string_view text, std::size_t most)
{
    // A long text is cut: a message that repeats 50,000 digits helps nobody.
    std::string echo;
    std::size_t characters = 0;
    std::size_t end = 0;
    while (end < text.size() && characters < most) {
        const std::size_t length = reading::characterLength(text.substr(end));
        echo += shown(text.substr(end, std::max<std::size_t>(length, 1)), length != 0);
        end += std::max<std::size_t>(length, 1);
        ++characters;
    }
    return echo + (end < text.size() ? "…" : "");
}

std::string quoted(std::string_view text)
{
    return "「" + echoed(text) + "」";
}

}  // namespace tobarin
