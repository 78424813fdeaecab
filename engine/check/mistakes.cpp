#include "engine/check/mistakes.h"

#include "engine/number/runtime_error.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <utility>

namespace tobarin {

namespace {

using wide::Int128;

// An operand as typed: sign s, whole part W, numerator a, denominator b (a
// whole number has a = 0, b = 1), its value s(W + a/b), and its improper form
// N/D = s(W×b + a)/b; the letters of the table of mistakes.
int s(const WrittenNumber &x)
{
    return x.negative ? -1 : 1;
}

Int128 W(const WrittenNumber &x)
{
    return x.hasWhole ? x.whole : 0;
}

// A fraction part that is not 0.
bool hasPart(const WrittenNumber &x)
{
    return x.hasFraction && x.num != 0;
}

Int128 a(const WrittenNumber &x)
{
    return hasPart(x) ? x.num : 0;
}

Int128 b(const WrittenNumber &x)
{
    return hasPart(x) ? x.den : 1;
}

Int128 N(const WrittenNumber &x)
{
    return s(x) * (W(x) * b(x) + a(x));
}

Int128 D(const WrittenNumber &x)
{
    return b(x);
}

Fraction value(const WrittenNumber &x)
{
    return fractionOf(N(x), D(x));
}

// A whole part and a fraction part.
bool mixed(const WrittenNumber &x)
{
    return W(x) != 0 && hasPart(x);
}

bool isWhole(const WrittenNumber &x)
{
    return !hasPart(x);
}

// a/b, without its sign.
Fraction part(const WrittenNumber &x)
{
    return fractionOf(a(x), b(x));
}

Fraction whole(Int128 v)
{
    return fractionOf(v, 1);
}

Fraction magnitude(Fraction v)
{
    return v.num < 0 ? -v : v;
}

int signOf(Fraction v)
{
    return (v.num > 0) - (v.num < 0);
}

Fraction apply(Fraction x, Operation operation, Fraction y)
{
    switch (operation) {
    case Operation::Add:
        return x + y;
    case Operation::Subtract:
        return x - y;
    case Operation::Multiply:
        return x * y;
    case Operation::Divide:
        break;
    }
    return x / y;
}

// The problem as the mistakes read it: its operands as typed, its operation
// and its answer.
struct Case {
    WrittenNumber x;
    Operation op;
    WrittenNumber y;
    Fraction answer;

    [[nodiscard]] bool sumOrDifference() const
    {
        return op == Operation::Add || op == Operation::Subtract;
    }
    [[nodiscard]] Fraction sigma() const { return whole(answer.num < 0 ? -1 : 1); }
};

// A number as a pupil writes it before any 約分: its whole part (none for 0)
// and its fraction part as it stands, a part of 0 left out.
WrittenNumber writtenAs(bool negative, Int128 wholePart, Int128 num, Int128 den)
{
    if (den <= 0 || num < 0 || wholePart < 0) {
        throw std::invalid_argument("a form no pupil writes");
    }
    if (num == 0) {
        return wholeNumber(wholePart, negative);
    }
    WrittenNumber form = fractionNumber(num, den, negative);
    form.hasWhole = wholePart != 0;
    form.whole = wholePart;
    return form;
}

// The values a mistake gives, and where a pupil would write them as they
// come out (not reduced), those forms too; one that cannot be formed is left
// out.
class Values {
public:
    template <typename Make> void add(Make &&make)
    {
        attempt([&] { m_values.push_back(std::forward<Make>(make)()); });
    }

    // A value as the pupil writes it: its form, and the form's value.
    template <typename Make> void addForm(Make &&make)
    {
        attempt([&] {
            const WrittenNumber form = std::forward<Make>(make)();
            m_values.push_back(valueOf(form).value());
            m_forms.push_back(form);
        });
    }

    [[nodiscard]] std::vector<Fraction> take() { return std::move(m_values); }
    [[nodiscard]] std::vector<WrittenNumber> takeForms() { return std::move(m_forms); }

private:
    template <typename Do> void attempt(Do &&action)
    {
        try {
            action();
        } catch (const std::invalid_argument &) {
            // a zero denominator: the mistake does not apply
        } catch (const std::overflow_error &) {
            // beyond 128 bits: no pupil writes it
        } catch (const std::bad_optional_access &) {
            // a form with no value
        } catch (const RuntimeError &) {
            // beyond the exact range, or a division by 0
        }
    }

    std::vector<Fraction> m_values;
    std::vector<WrittenNumber> m_forms;
};

// The mixed operands, each replaced in turn, and both together where both are
// mixed, by what a pupil reads instead: the result with each such reading.
// Where both are read, both are read the same way: a pupil's misreading is
// the same for both.
template <typename Readings>
void withMixedOperandsRead(const Case &c, Values &out, Readings &&readings)
{
    const std::vector<Fraction> xs = mixed(c.x) ? readings(c.x) : std::vector<Fraction> {};
    const std::vector<Fraction> ys = mixed(c.y) ? readings(c.y) : std::vector<Fraction> {};
    for (std::size_t i = 0; i < xs.size(); ++i) {
        out.add([&] { return apply(xs[i], c.op, value(c.y)); });
        if (i < ys.size()) {
            out.add([&] { return apply(xs[i], c.op, ys[i]); });
        }
    }
    for (const Fraction &y : ys) {
        out.add([&] { return apply(value(c.x), c.op, y); });
    }
}

// Each mistake: the values it gives where it applies.
void minusMinus(const Case &c, Values &out)
{
    if (c.op == Operation::Subtract && value(c.y).num < 0) {
        out.add([&] { return value(c.x) + value(c.y); });
    }
}

void sign(const Case &c, Values &out)
{
    if (c.answer.num != 0) {
        out.add([&] { return -c.answer; });
    }
}

// The added term of a sum or difference with a negative operand: Y for +,
// −Y for −; and which of the absolute-value mistakes the signs allow.
void absoluteValues(const Case &c, Values &out, bool sameSigns)
{
    if (!c.sumOrDifference() || (s(c.x) > 0 && s(c.y) > 0)) {
        return;
    }
    const Fraction term = c.op == Operation::Add ? value(c.y) : -value(c.y);
    const int sx = signOf(value(c.x));
    const int st = signOf(term);
    const Fraction mx = magnitude(value(c.x));
    const Fraction mt = magnitude(term);
    if (sx == 0 || st == 0 || mx == mt || (sx == st) != sameSigns) {
        return;
    }
    if (sameSigns) {
        out.add([&] { return whole(sx) * (mx < mt ? mt - mx : mx - mt); });
    } else {
        // With the sign of the larger, or of the first term.
        out.add([&] { return whole(mt < mx ? sx : st) * (mx + mt); });
        out.add([&] { return whole(sx) * (mx + mt); });
    }
}

void absAdded(const Case &c, Values &out)
{
    absoluteValues(c, out, false);
}

void absSubtracted(const Case &c, Values &out)
{
    absoluteValues(c, out, true);
}

// Both operands above 0: their forms are what a pupil writes.
bool positive(const Case &c)
{
    return value(c.x).num > 0 && value(c.y).num > 0;
}

void acrossPlus(const Case &c, Values &out)
{
    if (c.op != Operation::Add || (!hasPart(c.x) && !hasPart(c.y))) {
        return;
    }
    if (positive(c)) {
        out.addForm([&] { return writtenAs(false, 0, N(c.x) + N(c.y), D(c.x) + D(c.y)); });
    } else {
        out.add([&] { return fractionOf(N(c.x) + N(c.y), D(c.x) + D(c.y)); });
    }
    if (mixed(c.x) || mixed(c.y)) {
        if (positive(c)) {
            out.addForm([&] {
                return writtenAs(false, W(c.x) + W(c.y), a(c.x) + a(c.y), b(c.x) + b(c.y));
            });
            return;
        }
        out.add([&] {
            return whole(s(c.x) * W(c.x) + s(c.y) * W(c.y))
                + fractionOf(s(c.x) * a(c.x) + s(c.y) * a(c.y), b(c.x) + b(c.y));
        });
    }
}

void acrossMinus(const Case &c, Values &out)
{
    if (c.op != Operation::Subtract || (!hasPart(c.x) && !hasPart(c.y))) {
        return;
    }
    if (D(c.x) > D(c.y)) {
        if (positive(c) && N(c.x) >= N(c.y)) {
            out.addForm([&] { return writtenAs(false, 0, N(c.x) - N(c.y), D(c.x) - D(c.y)); });
        } else {
            out.add([&] { return fractionOf(N(c.x) - N(c.y), D(c.x) - D(c.y)); });
        }
    }
    if ((mixed(c.x) || mixed(c.y)) && b(c.x) > b(c.y) && a(c.x) >= a(c.y)) {
        if (positive(c) && W(c.x) >= W(c.y)) {
            out.addForm([&] {
                return writtenAs(false, W(c.x) - W(c.y), a(c.x) - a(c.y), b(c.x) - b(c.y));
            });
            return;
        }
        out.add([&] {
            return whole(s(c.x) * W(c.x) - s(c.y) * W(c.y))
                + fractionOf(s(c.x) * a(c.x) - s(c.y) * a(c.y), b(c.x) - b(c.y));
        });
    }
}

void wholeDropped(const Case &c, Values &out)
{
    withMixedOperandsRead(c, out, [](const WrittenNumber &t) {
        return std::vector<Fraction> {fractionOf(s(t) * a(t), b(t))};
    });
}

void notScaled(const Case &c, Values &out)
{
    if (!c.sumOrDifference() || D(c.x) == D(c.y)) {
        return;
    }
    const Int128 plusOrMinus = c.op == Operation::Add ? 1 : -1;
    for (const Int128 M : {wide::lcm(D(c.x), D(c.y)), D(c.x) * D(c.y)}) {
        const Int128 n = N(c.x) + plusOrMinus * N(c.y);
        if (positive(c) && n >= 0) {
            out.addForm([&] { return writtenAs(false, 0, n, M); });
        } else {
            out.add([&] { return fractionOf(n, M); });
        }
    }
    if ((mixed(c.x) || mixed(c.y)) && hasPart(c.x) && hasPart(c.y) && b(c.x) != b(c.y)) {
        for (const Int128 M : {wide::lcm(b(c.x), b(c.y)), b(c.x) * b(c.y)}) {
            out.add([&] {
                return whole(s(c.x) * W(c.x) + plusOrMinus * s(c.y) * W(c.y))
                    + fractionOf(s(c.x) * a(c.x) + plusOrMinus * s(c.y) * a(c.y), M);
            });
        }
    }
}

// X − Y of two positive numbers whose first fraction part is the smaller:
// the problems that borrow.
bool borrows(const Case &c)
{
    return c.op == Operation::Subtract && value(c.x).num > 0 && value(c.y).num > 0
        && W(c.x) > W(c.y) && part(c.x) < part(c.y);
}

// The fraction parts over their common denominator L: a1 and a2 in Lths.
struct Parts {
    Int128 L;
    Int128 first;
    Int128 second;
};

Parts partsOf(const Case &c)
{
    const Int128 L = wide::lcm(b(c.x), b(c.y));
    return {L, a(c.x) * (L / b(c.x)), a(c.y) * (L / b(c.y))};
}

void noBorrow(const Case &c, Values &out)
{
    if (borrows(c)) {
        const Parts p = partsOf(c);
        out.addForm([&] { return writtenAs(false, W(c.x) - W(c.y), p.second - p.first, p.L); });
    }
}

void borrowTen(const Case &c, Values &out)
{
    if (borrows(c)) {
        const Parts p = partsOf(c);
        out.addForm(
            [&] { return writtenAs(false, W(c.x) - 1 - W(c.y), p.first + 10 - p.second, p.L); });
    }
}

// Borrowed 1 from the whole part, but the whole part kept as it was.
void borrowKept(const Case &c, Values &out)
{
    if (borrows(c)) {
        const Parts p = partsOf(c);
        out.addForm(
            [&] { return writtenAs(false, W(c.x) - W(c.y), p.L + p.first - p.second, p.L); });
    }
}

// The fraction parts added to 1 or more, and the 1 carried over dropped.
void carryDropped(const Case &c, Values &out)
{
    if (c.op != Operation::Add || !positive(c) || !(mixed(c.x) || mixed(c.y))
        || part(c.x) + part(c.y) < whole(1)) {
        return;
    }
    const Parts p = partsOf(c);
    out.addForm([&] { return writtenAs(false, W(c.x) + W(c.y), p.first + p.second - p.L, p.L); });
}

void mixedToImproper(const Case &c, Values &out)
{
    withMixedOperandsRead(c, out, [](const WrittenNumber &t) {
        return std::vector<Fraction> {
            fractionOf(s(t) * (W(t) + a(t)), b(t)), fractionOf(s(t) * (W(t) * a(t) + b(t)), b(t))};
    });
}

void partsSeparately(const Case &c, Values &out)
{
    if (c.sumOrDifference() || (!mixed(c.x) && !mixed(c.y))) {
        return;
    }
    const auto op = [&c](Fraction p, Fraction q) { return apply(p, c.op, q); };
    const Fraction W1 = whole(W(c.x));
    const Fraction W2 = whole(W(c.y));
    const Fraction X = magnitude(value(c.x));
    const Fraction Y = magnitude(value(c.y));
    const Fraction sigma = c.sigma();
    if (mixed(c.x) && mixed(c.y)) {
        out.add([&] { return sigma * (op(W1, W2) + op(part(c.x), part(c.y))); });
    } else if (mixed(c.x)) {
        out.add([&] { return sigma * (W1 + op(part(c.x), Y)); });
        if (isWhole(c.y)) {
            out.add([&] { return sigma * (op(W1, Y) + part(c.x)); });
        }
    } else if (c.op == Operation::Multiply) {
        out.add([&] { return sigma * (W2 + X * part(c.y)); });
        if (isWhole(c.x)) {
            out.add([&] { return sigma * (X * W2 + part(c.y)); });
        }
    }
}

void wholeBoth(const Case &c, Values &out)
{
    if (c.op != Operation::Multiply) {
        return;
    }
    for (const auto &[k, other] : {std::pair {&c.x, &c.y}, std::pair {&c.y, &c.x}}) {
        const Int128 size = W(*k);
        if (isWhole(*k) && size > 1 && hasPart(*other) && W(*other) == 0) {
            const bool negative = c.answer.num < 0;
            const Int128 num = a(*other);
            const Int128 den = b(*other);
            // k times the numerator and the denominator, or the denominator alone.
            out.addForm([&] { return writtenAs(negative, 0, size * num, size * den); });
            out.addForm([&] { return writtenAs(negative, 0, num, size * den); });
        }
    }
}

void noReciprocalWhole(const Case &c, Values &out)
{
    if (c.op == Operation::Divide && isWhole(c.y)) {
        out.add([&] { return value(c.x) * value(c.y); });
    }
}

void noReciprocal(const Case &c, Values &out)
{
    if (c.op == Operation::Divide) {
        out.add([&] { return value(c.x) * value(c.y); });
    }
}

// × of two fractions, the second turned over as in ÷.
void reciprocalInTimes(const Case &c, Values &out)
{
    if (c.op == Operation::Multiply && !isWhole(c.x) && !isWhole(c.y)) {
        out.add([&] { return value(c.x) / value(c.y); });
    }
}

void wrongReciprocal(const Case &c, Values &out)
{
    if (c.op == Operation::Divide) {
        out.add([&] { return value(c.y) / value(c.x); });
        out.add([&] { return whole(1) / (value(c.x) * value(c.y)); });
    }
}

void reciprocal(const Case &c, Values &out)
{
    if (c.answer.num != 0) {
        out.add([&] { return whole(1) / c.answer; });
    }
}

void partOnly(const Case &c, Values &out)
{
    const Fraction size = magnitude(c.answer);
    const Int128 wholePart = size.num / size.den;
    if (size.isWhole() || wholePart == 0) {
        return;
    }
    out.add([&] { return c.sigma() * (size - whole(wholePart)); });
    out.add([&] { return c.sigma() * whole(wholePart); });
}

std::string fixed(const Case & /*c*/, std::string_view hint)
{
    return std::string(hint);
}

bool equalDenominators(const Case &c)
{
    return hasPart(c.x) && hasPart(c.y) && b(c.x) == b(c.y);
}

// Across the denominators of equal ones: what stays, and what is worked.
std::string acrossHint(const Case &c, std::string_view hint)
{
    if (!equalDenominators(c)) {
        return std::string(hint);
    }
    return c.op == Operation::Add ? "分母が同じときは、分母はそのままにして、分子だけをたします。"
                                  : "分母が同じときは、分母はそのままにして、分子だけをひきます。";
}

std::string notScaledHint(const Case &c, std::string_view hint)
{
    return isWhole(c.x) || isWhole(c.y) ? "整数を、分母が同じ分数に直してから計算します。"
                                        : std::string(hint);
}

// A difference of signed numbers is first made a sum.
std::string absoluteHint(const Case &c, std::string_view hint)
{
    return (c.op == Operation::Subtract ? "ひき算をたし算に直すと、" : "") + std::string(hint);
}

// Before the reciprocal is taught (÷ by a whole number), no 逆数.
std::string turnedOverHint(const Case &c, std::string_view hint)
{
    return c.op == Operation::Divide && isWhole(c.y) ? "分子と分母が逆になっていませんか。"
                                                     : std::string(hint);
}

// Which problems a mistake is made in: of two numbers and one operation, or any.
enum class Applies { TwoNumbers, Any };

struct KnownMistake {
    std::string_view id;
    void (*values)(const Case &, Values &);
    std::string_view hint;
    // Where the hint depends on the problem, it is made from it.
    std::string (*hintOf)(const Case &, std::string_view) = fixed;
    Applies applies = Applies::TwoNumbers;
};

// The table of known mistakes, one a row.
// clang-format off
constexpr std::array<KnownMistake, 21> Mistakes {{
    {"minus-minus", minusMinus, "負の数をひくときは、ひく数の符号を変えてたします。"},
    {"sign", sign, "符号をたしかめてみましょう。", fixed, Applies::Any},
    {"abs-added", absAdded, "符号がちがう数のたし算は、絶対値の大きいほうから小さいほうをひきます。", absoluteHint},
    {"abs-subtracted", absSubtracted, "同じ符号の数のたし算は、絶対値をたして、共通の符号をつけます。", absoluteHint},
    {"across+", acrossPlus, "分母どうしもたしていませんか。分母をそろえて、分子だけをたします。", acrossHint},
    {"across-", acrossMinus, "分母どうしもひいていませんか。分母をそろえて、分子だけをひきます。", acrossHint},
    {"whole-dropped", wholeDropped, "帯分数の整数の部分を、計算に入れ忘れていませんか。"},
    {"not-scaled", notScaled, "通分するとき、分子にも分母と同じ数をかけましたか。", notScaledHint},
    {"no-borrow", noBorrow, "整数から１くり下げて、分数に直してからひきます。"},
    {"borrow-ten", borrowTen, "", [](const Case &c, std::string_view) {
        const std::string L = wide::decimalText(wide::lcm(b(c.x), b(c.y)));
        return "くり下げた１は、10ではなく" + L + "/" + L + "です。";
    }},
    {"borrow-kept", borrowKept, "くり下げたら、整数の部分を１へらします。"},
    {"carry-dropped", carryDropped, "分数の部分が１をこえたら、整数の部分に１くり上げます。"},
    {"mixed-to-improper", mixedToImproper, "帯分数を仮分数に直すときは、分子を『整数×分母＋分子』にします。"},
    {"parts-separately", partsSeparately, "", [](const Case &c, std::string_view) {
        return std::string(c.op == Operation::Multiply ? "帯分数は、仮分数に直してからかけましょう。"
                                                       : "帯分数は、仮分数に直してからわりましょう。");
    }},
    {"whole-both", wholeBoth, "分母はそのままにして、分子に整数をかけます。"},
    {"no-reciprocal-whole", noReciprocalWhole, "分数を整数でわるときは、分子はそのままにして、分母に整数をかけます。"},
    {"no-reciprocal", noReciprocal, "わり算では、わる数の逆数をかけます。"},
    {"reciprocal-in-times", reciprocalInTimes, "かけ算では逆数にしません。分子どうし、分母どうしをかけます。"},
    {"wrong-reciprocal", wrongReciprocal, "逆数にするのは、わる数（÷のうしろの数）だけです。", turnedOverHint},
    {"reciprocal", reciprocal, "分子と分母が逆になっていませんか。", turnedOverHint, Applies::Any},
    {"part-only", partOnly, "答えの整数の部分か分数の部分を、書き忘れていませんか。", fixed, Applies::Any},
}};
// clang-format on

// Of two mistakes that fit the same value, the one seen more closely.
constexpr std::array<std::pair<std::string_view, std::string_view>, 5> Wins {{
    {"decimal-digits", "reciprocal"},
    {"minus-minus", "sign"},
    {"wrong-reciprocal", "reciprocal"},
    {"no-reciprocal-whole", "no-reciprocal"},
    {"borrow-kept", "borrow-ten"},
}};

// value rounded down (toward −∞) or up to `places` decimal places.
Fraction rounded(Fraction value, std::size_t places, bool up)
{
    Fraction scale = whole(1);
    for (std::size_t i = 0; i < places; ++i) {
        scale = scale * whole(10);
    }
    const Fraction scaled = value * scale;
    Int128 floor = scaled.num / scaled.den;
    if (scaled.num % scaled.den != 0 && scaled.num < 0) {
        --floor;
    }
    return fractionOf(floor + (up && !scaled.isWhole() ? 1 : 0), scale.num);
}

// The mistakes of the table that apply, for a problem or (with only its
// answer known) for any.
std::vector<Prediction> predictionsOf(const Case &c, Applies which)
{
    std::vector<Prediction> all;
    for (const KnownMistake &mistake : Mistakes) {
        if (which == Applies::Any && mistake.applies != Applies::Any) {
            continue;
        }
        Values values;
        mistake.values(c, values);
        std::vector<Fraction> found = values.take();
        if (!found.empty()) {
            all.push_back({mistake.id, std::move(found), mistake.hintOf(c, mistake.hint),
                values.takeForms()});
        }
    }
    return all;
}

}  // namespace

std::vector<Prediction> pairPredictions(const Pair &problem, Fraction answer)
{
    return predictionsOf(
        {problem.first, problem.operation, problem.second, answer}, Applies::TwoNumbers);
}

std::string_view pairMistakeHint(std::string_view id)
{
    for (const KnownMistake &mistake : Mistakes) {
        if (mistake.id == id) {
            return mistake.hint;
        }
    }
    return {};
}

std::vector<Prediction> anyProblemPredictions(Fraction answer)
{
    return predictionsOf({{}, Operation::Add, {}, answer}, Applies::Any);
}

namespace {

// Of the mistakes that fit, the one: where two with different hints fit, none,
// but that of a pair seen more or less closely the closer wins.
std::optional<Hint> oneOf(std::vector<const Prediction *> fitting)
{
    const auto fits = [&fitting](std::string_view id) {
        return std::any_of(
            fitting.begin(), fitting.end(), [id](const Prediction *p) { return p->id == id; });
    };
    for (const std::pair<std::string_view, std::string_view> &win : Wins) {
        if (fits(win.first) && fits(win.second)) {
            std::erase_if(fitting, [&win](const Prediction *p) { return p->id == win.second; });
        }
    }
    if (fitting.size() != 1) {
        return std::nullopt;
    }
    return Hint {fitting.front()->id, fitting.front()->hint};
}

// The same parts: sign, whole part (none is 0), numerator and denominator.
bool sameParts(const WrittenNumber &x, const WrittenNumber &y)
{
    return x.negative == y.negative && W(x) == W(y) && x.hasFraction == y.hasFraction
        && (!x.hasFraction || (x.num == y.num && x.den == y.den)) && !x.isDecimal()
        && !y.isDecimal();
}

}  // namespace

Hint hintFor(const std::vector<Prediction> &predictions, Fraction answer,
    const WrittenNumber &typed, Fraction typedValue, bool rounding)
{
    if (rounding && typed.isDecimal()) {
        const std::size_t places = typed.decimals.size();
        try {
            if (typedValue == rounded(answer, places, false)
                || typedValue == rounded(answer, places, true)) {
                return {RoundedId, std::string(RoundedHint)};
            }
        } catch (const std::overflow_error &) {
            // more places than 128 bits hold: no answer rounds to them
        }
    }
    // The typed parts just as a mistake writes them, before the values.
    std::vector<const Prediction *> byForm;
    std::vector<const Prediction *> byValue;
    for (const Prediction &prediction : predictions) {
        if (std::any_of(prediction.forms.begin(), prediction.forms.end(),
                [&typed](const WrittenNumber &form) { return sameParts(form, typed); })) {
            byForm.push_back(&prediction);
        }
        const auto &values = prediction.values;
        if (std::find(values.begin(), values.end(), typedValue) != values.end()) {
            byValue.push_back(&prediction);
        }
    }
    if (std::optional<Hint> hint = byForm.empty() ? std::nullopt : oneOf(byForm)) {
        return *hint;
    }
    return oneOf(byValue).value_or(Hint {{}, std::string(GeneralHint)});
}

}  // namespace tobarin
