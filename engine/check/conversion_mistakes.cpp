#include "engine/check/mistakes.h"

#include <algorithm>
#include <array>
#include <stdexcept>

// The mistakes of conversion problems: a remainder put in the wrong place, a
// mixed number turned improper the wrong way, one part of a fraction divided,
// a numerator left unscaled, a fraction written as a decimal digit by digit,
// a decimal over the wrong power of ten. Each gives the values a pupil who
// makes it writes, as the mistakes of calculations do.
namespace tobarin {

namespace {

using wide::Int128;
using wide::powerOfTen;

// Above this denominator, the numerators a remainder can wrongly be are not
// listed one by one.
constexpr Int128 MostListedDenominator = 1000;
// The most digits a decimal written from a fraction's parts may have here.
constexpr std::size_t MostDigitsWritten = 36;

std::size_t digitCount(Int128 v)
{
    return wide::decimalText(v).size();
}

struct Values {
    int sign;
    std::vector<Fraction> list;

    void add(Int128 num, Int128 den)
    {
        if (den != 0) {
            list.push_back(fractionOf(sign * num, den));
        }
    }
};

// → 帯分数: the whole part right and the remainder wrong, or quotient and
// remainder swapped.
void remainder(const WrittenNumber &x, Values &v)
{
    const Int128 q = x.num / x.den;
    const Int128 r = x.num % x.den;
    if (x.den <= MostListedDenominator) {
        for (Int128 other = 1; other < x.den; ++other) {
            if (other != r) {
                v.add(q * x.den + other, x.den);
            }
        }
    }
    v.add(r * x.den + q, x.den);
}

// → 仮分数: (W + a)/b or (W × a + b)/b.
void improper(const WrittenNumber &x, Values &v)
{
    v.add(x.whole + x.num, x.den);
    v.add(x.whole * x.num + x.den, x.den);
}

// 約分: the numerator or the denominator alone divided by a common divisor.
void oneSide(const WrittenNumber &x, Values &v)
{
    const Int128 g = wide::gcd(x.num, x.den);
    for (Int128 c = 2; c <= g; ++c) {
        if (g % c == 0) {
            v.add(x.num / c, x.den);
            v.add(x.num, x.den / c);
        }
    }
}

// → 小数: the numerator and the denominator written as a decimal ("3.4" of
// 3/4, "1.14" of 1 1/4), or the denominator divided by the numerator.
void digits(const WrittenNumber &x, Values &v)
{
    const Int128 w = x.hasWhole ? x.whole : 0;
    if (digitCount(w) + digitCount(x.num) + digitCount(x.den) > MostDigitsWritten) {
        return;  // beyond 128 bits
    }
    const Int128 after = powerOfTen(digitCount(x.num) + digitCount(x.den));
    if (w == 0) {
        const Int128 scale = powerOfTen(digitCount(x.den));
        v.add(x.num * scale + x.den, scale);
    } else {
        v.add(w * after + x.num * powerOfTen(digitCount(x.den)) + x.den, after);
    }
    if (x.num != 0) {
        v.add(w * x.num + x.den, x.num);
    }
}

// → 分数: the decimal's digits over 10, 100 or 1000, but not the right one.
void place(const WrittenNumber &x, Values &v)
{
    const std::size_t places = x.decimals.size();
    const Int128 all = x.whole * powerOfTen(places) + wide::digitsValue(x.decimals).value_or(0);
    for (std::size_t p = 1; p <= 3; ++p) {
        if (p != places) {
            v.add(all, powerOfTen(p));
        }
    }
}

struct ConversionMistake {
    std::string_view id;
    AskedForm asked;
    void (*values)(const WrittenNumber &, Values &);
    std::string_view hint;
};

// clang-format off
constexpr std::array<ConversionMistake, 5> Mistakes {{
    {"convert-remainder", AskedForm::Mixed, remainder, "分子を分母でわって、商を整数の部分、あまりを分子にします。"},
    {"convert-improper", AskedForm::Improper, improper, "分子は『分母×整数＋分子』です。"},
    {"reduce-one-side", AskedForm::Reduced, oneSide, "分子と分母を同じ数でわります。"},
    {"decimal-digits", AskedForm::Decimal, digits, "分子を分母でわります。"},
    {"fraction-place", AskedForm::Fraction, place, "小数第何位までかで、分母を10、100、1000にします。"},
}};
// clang-format on

constexpr std::string_view NotScaledId = "common-not-scaled";
constexpr std::string_view NotScaledHint = "分母にかけた数を、分子にもかけます。";
constexpr std::string_view UnequalId = "common-unequal";
constexpr std::string_view UnequalHint = "分母をそろえましょう。";

bool plainFraction(const WrittenNumber &x)
{
    return x.hasFraction && (!x.hasWhole || x.whole == 0) && !x.isDecimal();
}

}  // namespace

std::vector<Prediction> conversionPredictions(const Conversion &conversion, Fraction answer)
{
    std::vector<Prediction> all;
    for (const ConversionMistake &mistake : Mistakes) {
        if (mistake.asked != conversion.asked || conversion.numbers.size() != 1) {
            continue;
        }
        const WrittenNumber &x = conversion.numbers.front();
        Values values {x.negative ? -1 : 1, {}};
        try {
            mistake.values(x, values);
        } catch (const std::overflow_error &) {
            // beyond 128 bits: no pupil writes it
        }
        if (!values.list.empty()) {
            all.push_back({mistake.id, std::move(values.list), std::string(mistake.hint)});
        }
    }
    std::vector<Prediction> any = anyProblemPredictions(answer);
    all.insert(all.end(), any.begin(), any.end());
    return all;
}

Hint commonHint(const Conversion &conversion, const std::vector<WrittenNumber> &typed)
{
    const std::vector<WrittenNumber> &given = conversion.numbers;
    if (typed.size() != given.size()) {
        return {{}, std::string(GeneralHint)};
    }
    bool sameValues = true;
    for (std::size_t i = 0; i < given.size(); ++i) {
        sameValues = sameValues && valueOf(typed[i]) == valueOf(given[i]);
    }
    if (sameValues) {
        return {UnequalId, std::string(UnequalHint)};
    }
    // The denominators made equal, the least common one or the product, and a
    // numerator left as it was.
    Fraction least = fractionOf(1, 1);
    Fraction product = fractionOf(1, 1);
    try {
        for (const WrittenNumber &f : given) {
            least = least * fractionOf(f.den / wide::gcd(least.num, f.den), 1);
            product = product * fractionOf(f.den, 1);
        }
    } catch (const std::overflow_error &) {
        return {{}, std::string(GeneralHint)};
    }
    const Int128 m = typed.front().den;
    bool fits = (m == least.num || m == product.num)
        && std::all_of(typed.begin(), typed.end(),
            [m](const WrittenNumber &t) { return plainFraction(t) && t.den == m; });
    bool leftOne = false;
    for (std::size_t i = 0; fits && i < given.size(); ++i) {
        // Typed denominators and numerators are read within 10^19, and the
        // problem's numerators are within 64 bits: the product stays in 128.
        const Int128 scaled = given[i].num * (m / given[i].den);
        const bool left = typed[i].num == given[i].num && scaled != given[i].num;
        fits = typed[i].negative == given[i].negative && (typed[i].num == scaled || left);
        leftOne = leftOne || left;
    }
    if (fits && leftOne) {
        return {NotScaledId, std::string(NotScaledHint)};
    }
    return {{}, std::string(GeneralHint)};
}

std::string_view conversionMistakeHint(std::string_view id)
{
    const auto *found = std::find_if(
        Mistakes.begin(), Mistakes.end(), [id](const ConversionMistake &m) { return m.id == id; });
    if (found != Mistakes.end()) {
        return found->hint;
    }
    return id == NotScaledId ? NotScaledHint : id == UnequalId ? UnequalHint : std::string_view {};
}

}  // namespace tobarin
