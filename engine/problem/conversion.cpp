#include "engine/problem/conversion.h"

#include "engine/problem/problem.h"

#include <algorithm>
#include <array>

namespace tobarin {

namespace {

using wide::Int128;

constexpr std::array<std::string_view, 2> Arrows {"→", "->"};

// A text without the blanks (ASCII or full-width) at its ends.
std::string_view trimmed(std::string_view text)
{
    const auto blankAt = [](std::string_view t, bool front) {
        for (const std::string_view blank : {" ", "\t", "　"}) {
            if (front ? t.starts_with(blank) : t.ends_with(blank)) {
                return blank.size();
            }
        }
        return std::size_t {0};
    };
    while (const std::size_t n = blankAt(text, true)) {
        text.remove_prefix(n);
    }
    while (const std::size_t n = blankAt(text, false)) {
        text.remove_suffix(n);
    }
    return text;
}

// The text cut at each of the separators given.
std::vector<std::string_view> splitAt(
    std::string_view text, std::initializer_list<std::string_view> separators)
{
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto at = std::find_if(separators.begin(), separators.end(),
            [&](std::string_view s) { return text.substr(i).starts_with(s); });
        if (at == separators.end()) {
            ++i;
            continue;
        }
        pieces.push_back(text.substr(start, i - start));
        i += at->size();
        start = i;
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

// A fraction with no whole part: N/D.
bool plainFraction(const WrittenNumber &x)
{
    return x.hasFraction && (!x.hasWhole || x.whole == 0) && !x.isDecimal() && x.den != 0;
}

bool properMixed(const WrittenNumber &x)
{
    return x.hasWhole && x.whole != 0 && x.hasFraction && x.num != 0 && x.den != 0
        && !x.isDecimal();
}

// Whether a value's decimal ends: its denominator has no prime factor but 2 and 5.
bool decimalEnds(Fraction value)
{
    Int128 den = value.den;
    for (const Int128 p : {2, 5}) {
        while (den % p == 0) {
            den /= p;
        }
    }
    return den == 1;
}

std::string listText(const std::vector<WrittenNumber> &numbers)
{
    std::string text;
    for (const WrittenNumber &number : numbers) {
        text += (text.empty() ? "" : ", ") + numberText(number);
    }
    return text;
}

}  // namespace

Expression conversionLine(const Conversion &conversion)
{
    std::vector<Expression> items;
    for (const WrittenNumber &number : conversion.numbers) {
        items.push_back(numberExpression(number));
    }
    Expression numbers
        = items.size() == 1 ? std::move(items.front()) : listExpression(std::move(items));
    return conversionExpression(std::move(numbers), conversion.asked);
}

std::string conversionRefusal(const Conversion &c)
{
    const std::vector<WrittenNumber> &numbers = c.numbers;
    const std::string written = quoted(listText(numbers)) + "は";
    if (c.asked == AskedForm::Common) {
        const bool fractions = std::all_of(numbers.begin(), numbers.end(), plainFraction);
        const bool oneDenominator = std::all_of(numbers.begin(), numbers.end(),
            [&numbers](const WrittenNumber &x) { return x.den == numbers.front().den; });
        if (numbers.size() < FewestCommon || numbers.size() > MostCommon || !fractions
            || oneDenominator) {
            return written
                + "通分できません。分母のちがう分数を2つか3つ、「3/4, 5/6 → "
                  "通分」のように書いてください。";
        }
        return {};
    }
    if (numbers.size() != 1) {
        return written + "1つの数ではありません。" + std::string(askedFormText(c.asked))
            + "に直す数は1つにしてください。";
    }
    const WrittenNumber &x = numbers.front();
    if (x.unending) {
        return written + "終わらない小数です。終わる小数か分数を書いてください。";
    }
    if (x.hasFraction && x.den == 0) {
        return "分母に 0 は使えません。";
    }
    const Fraction value = valueOf(x).value();
    const Int128 gcd = x.hasFraction ? wide::gcd(x.num, x.den) : 1;
    switch (c.asked) {
    case AskedForm::Mixed:
        if (plainFraction(x) && x.num > x.den && !value.isWhole()) {
            return {};
        }
        return written
            + "帯分数に直せません。分子が分母より大きく、わり切れない分数を書いてください。";
    case AskedForm::Improper:
        if (properMixed(x)) {
            return {};
        }
        return written + "帯分数ではありません。仮分数に直すのは「2 1/3」のような帯分数です。";
    case AskedForm::Whole:
        if (plainFraction(x) && x.num % x.den == 0) {
            return {};
        }
        return written + "整数に直せません。分子が分母でわり切れる分数を書いてください。";
    case AskedForm::Reduced:
        if (plainFraction(x) && gcd > 1) {
            return {};
        }
        return written + "約分できません。分子と分母を同じ数でわれる分数を書いてください。";
    case AskedForm::Decimal:
        if ((plainFraction(x) || properMixed(x)) && !value.isWhole() && decimalEnds(value)) {
            return {};
        }
        return written + "小数で表せません。わり切れる分数か帯分数を書いてください。";
    case AskedForm::Fraction:
        if (x.isDecimal() && x.decimals.size() <= MostDecimalPlaces) {
            return {};
        }
        return written + "小数ではありません。分数で表すのは「0.6」のような小数です。";
    case AskedForm::Common:
        break;
    }
    return {};
}

Parsed<std::vector<WrittenNumber>> readNumberList(std::string_view text)
{
    std::vector<WrittenNumber> numbers;
    for (const std::string_view piece : splitAt(text, {",", "、", "，"})) {
        if (trimmed(piece).empty()) {
            return {std::nullopt, quoted(text) + "の「,」「、」の前後に数がありません。"};
        }
        if (Parsed<WrittenNumber> one = readNumber(piece); one.value) {
            numbers.push_back(*one.value);
            continue;
        }
        for (const std::string_view part : splitAt(piece, {"と", " ", "\t", "　"})) {
            if (trimmed(part).empty()) {
                continue;
            }
            Parsed<WrittenNumber> read = readNumber(part);
            if (!read.value) {
                return {std::nullopt, read.error};
            }
            numbers.push_back(*read.value);
        }
    }
    return {std::move(numbers), {}};
}

bool isConversionText(std::string_view text)
{
    return std::any_of(Arrows.begin(), Arrows.end(),
        [text](std::string_view arrow) { return text.find(arrow) != std::string_view::npos; });
}

Parsed<Conversion> readConversion(std::string_view text)
{
    std::size_t at = std::string_view::npos;
    std::size_t length = 0;
    for (const std::string_view arrow : Arrows) {
        if (const std::size_t found = text.find(arrow); found < at) {
            at = found;
            length = arrow.size();
        }
    }
    const std::string_view form = trimmed(text.substr(at + length));
    Conversion conversion;
    constexpr std::array Forms {AskedForm::Mixed, AskedForm::Improper, AskedForm::Whole,
        AskedForm::Reduced, AskedForm::Common, AskedForm::Decimal, AskedForm::Fraction};
    const auto named = std::find_if(Forms.begin(), Forms.end(),
        [form](AskedForm asked) { return askedFormText(asked) == form; });
    if (named == Forms.end()) {
        return {std::nullopt,
            quoted(form)
                + "は読めません。→ "
                  "のあとには、帯分数、仮分数、整数、約分、通分、小数、分数のどれかを書いてください"
                  "。"};
    }
    conversion.asked = *named;
    const std::string_view numbers = text.substr(0, at);
    if (trimmed(numbers).empty()) {
        return {std::nullopt, "→ の前に数がありません。「7/3 → 帯分数」のように書いてください。"};
    }
    if (conversion.asked == AskedForm::Common) {
        Parsed<std::vector<WrittenNumber>> list = readNumberList(numbers);
        if (!list.value) {
            return {std::nullopt, list.error};
        }
        conversion.numbers = std::move(*list.value);
    } else {
        Parsed<WrittenNumber> one = readNumber(numbers);
        if (!one.value) {
            return {std::nullopt, one.error};
        }
        conversion.numbers.push_back(*one.value);
    }
    return {std::move(conversion), {}};
}

}  // namespace tobarin
