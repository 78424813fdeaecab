#include "engine/working/several_terms.h"

#include "engine/problem/evaluate.h"
#include "engine/working/rewrite.h"

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <utility>
#include <vector>

namespace tobarin {

namespace {

using wide::Int128;
using Kind = Expression::Kind;
using namespace rewrite;

// A value as a line writes it: in lowest terms, a whole number or a fraction.
WrittenNumber valueNumber(const Fraction &value)
{
    return improperNumberOf(value);
}

Expression valueExpression(const Expression &expression)
{
    return numberExpression(valueNumber(exactValue(expression)));
}

bool allNumbers(const Expression &expression)
{
    return std::all_of(expression.operands.begin(), expression.operands.end(),
        [](const Expression &operand) { return operand.isNumber(); });
}

// Parentheses around one number, and a sign before one number, go into the
// number: "(5/6)" is 5/6, "-(5/6)" is -5/6 (a sign joins the value of what
// it stands before).
void settle(Expression &expression)
{
    for (Expression &operand : expression.operands) {
        settle(operand);
    }
    if (expression.kind == Kind::Parentheses && expression.operands[0].isNumber()) {
        Expression number = std::move(expression.operands[0]);
        expression = std::move(number);
    } else if (expression.kind == Kind::Signed && expression.operands[0].isNumber()) {
        WrittenNumber number = expression.operands[0].number;
        if (expression.sign == Sign::Minus && !isZero(number)) {
            number.negative = !number.negative;
        }
        expression = numberExpression(number);
    }
}

bool containsPower(const Expression &expression)
{
    return expression.kind == Kind::Power
        || std::any_of(expression.operands.begin(), expression.operands.end(), containsPower);
}

// Every power to its value, the sign before it joined.
void computePowers(Expression &expression)
{
    if (expression.kind == Kind::Power) {
        expression = valueExpression(expression);
        return;
    }
    for (Expression &operand : expression.operands) {
        computePowers(operand);
    }
    settle(expression);
}

// The note of the line that works products and quotients first.
Note groupNote(const std::vector<const Expression *> &groups)
{
    bool times = false;
    bool divide = false;
    for (const Expression *group : groups) {
        for (const Operation operation : group->operations) {
            (operation == Operation::Multiply ? times : divide) = true;
        }
    }
    return times && divide ? Note::MultiplyDivideFirst
        : times            ? Note::MultiplyFirst
                           : Note::DivideFirst;
}

// The operands of a sum, all of them numbers, and how they are brought to
// their value: the steps of a sum of terms, each of which changes the sum and
// says so, or leaves it as it is.
class Terms {
public:
    explicit Terms(Expression &sum)
        : m_sum(sum)
    {
    }

    [[nodiscard]] std::size_t size() const { return m_sum.operands.size(); }
    [[nodiscard]] const WrittenNumber &term(std::size_t i) const
    {
        return m_sum.operands[i].number;
    }
    WrittenNumber &term(std::size_t i) { return m_sum.operands[i].number; }

    // Two terms, one of them 0: the other one, as written, is the result.
    [[nodiscard]] bool zeroPair() const
    {
        return size() == 2 && (isZero(term(0)) || isZero(term(1)));
    }

    // Signed numbers after the first become plain terms: ひく数の符号を変えてたす
    // when every one of them was subtracted, かっこをはずす otherwise.
    std::optional<Note> dropSigns()
    {
        bool any = false;
        bool allSubtracted = true;
        for (std::size_t i = 1; i < size(); ++i) {
            if (term(i).negative) {
                Operation &operation = m_sum.operations[i - 1];
                allSubtracted = allSubtracted && operation == Operation::Subtract;
                operation = operation == Operation::Add ? Operation::Subtract : Operation::Add;
                term(i) = magnitudeOf(term(i));
                any = true;
            }
        }
        if (!any) {
            return std::nullopt;
        }
        return allSubtracted ? Note::ChangeSubtractedSign : Note::RemoveParentheses;
    }

    bool makeImproper()
    {
        bool any = false;
        for (std::size_t i = 0; i < size(); ++i) {
            any = any || term(i).isMixed();
            term(i) = improperOf(term(i));
        }
        return any;
    }

    [[nodiscard]] Int128 commonDenominator() const
    {
        Int128 common = 1;
        for (std::size_t i = 0; i < size(); ++i) {
            common = lcm(common, denominatorOf(term(i)));
        }
        return common;
    }

    // Every term that reduces, reduced, where that lowers the common denominator.
    bool reduceWhereItLowers()
    {
        Expression lowest = m_sum;
        for (Expression &operand : lowest.operands) {
            operand.number = lowestOf(operand.number);
        }
        if (Terms(lowest).commonDenominator() >= commonDenominator()) {
            return false;
        }
        m_sum = std::move(lowest);
        return true;
    }

    // Every term but 0 over the common denominator, whole numbers among them;
    // only fractions, or only whole numbers.
    bool overCommonDenominator(bool fractions, bool wholes)
    {
        const Int128 common = commonDenominator();
        bool any = false;
        for (std::size_t i = 0; i < size(); ++i) {
            WrittenNumber &x = term(i);
            if (isZero(x) || denominatorOf(x) == common || (isWhole(x) ? !wholes : !fractions)) {
                continue;
            }
            x = isWhole(x) ? fractionNumber(times(x.whole, common), common, x.negative)
                           : over(x, common);
            any = true;
        }
        return any;
    }

    // Whether a term is subtracted or negative, as its value counts: its own
    // sign for the first, its operation's and its own for the others.
    [[nodiscard]] bool negativeValue(std::size_t i) const
    {
        const bool subtracted = i > 0 && m_sum.operations[i - 1] == Operation::Subtract;
        return subtracted != term(i).negative && !isZero(term(i));
    }

    // Of each term once every sign stands in the operations, whether it is
    // negative: a zero counts as positive.
    [[nodiscard]] bool negativeTerm(std::size_t i) const { return negativeValue(i); }

    // The signed numerators over the common denominator, in order.
    [[nodiscard]] std::vector<Int128> numerators() const
    {
        std::vector<Int128> result;
        const Int128 common = commonDenominator();
        for (std::size_t i = 0; i < size(); ++i) {
            const Int128 size = times(improperNumerator(term(i)), common / denominatorOf(term(i)));
            result.push_back(negativeValue(i) ? -size : size);
        }
        return result;
    }

    // The value, over the common denominator.
    [[nodiscard]] WrittenNumber value() const
    {
        if (zeroPair()) {
            WrittenNumber other = isZero(term(0)) ? term(1) : term(0);
            if (isZero(term(0)) && m_sum.operations[0] == Operation::Subtract && !isZero(other)) {
                other.negative = !other.negative;
            }
            return isZero(other) ? wholeNumber(0) : other;
        }
        Int128 total = 0;
        for (const Int128 n : numerators()) {
            total = plus(total, n);
        }
        return resultOf(total < 0 ? -total : total, commonDenominator(), total < 0);
    }

private:
    Expression &m_sum;
};

// Thrown once the two-number route has taken the working over.
struct HandedOver { };

class Route {
public:
    Route(AnswerForm form, Method method)
        : m_form(form)
        , m_method(method)
    {
    }

    Working work(const Expression &problem)
    {
        m_line = problem;
        write(Note::Problem);
        try {
            steps();
        } catch (const HandedOver &) {
            // the two-number route has finished the working
        }
        return std::move(m_working);
    }

private:
    void steps()
    {
        decimals();
        for (int depth = deepestCalculation(m_line, 0); depth > 0;
             depth = deepestCalculation(m_line, 0)) {
            parentheses(depth);
        }
        if (containsPower(m_line)) {
            computePowers(m_line);
            write(Note::Powers);
        }
        if (m_line.kind == Kind::Product) {
            product();
        } else if (m_line.kind == Kind::Sum) {
            productsFirst();
            sum();
        } else {
            finish();
        }
    }

    // The line as it stands, written with its note; then, once it has become
    // two numbers and one operation, the two-number route goes on from it.
    void write(Note note, bool inParentheses = false, bool handOver = true)
    {
        Expression line = m_line;
        settle(line);
        if (std::none_of(m_working.steps.begin(), m_working.steps.end(),
                [&line](const Step &step) { return step.expression == line; })) {
            m_working.steps.push_back({note, std::move(line), inParentheses});
        }
        if (handOver && note != Note::Problem) {
            handOverPair(false);
        }
    }

    void handOverPair(bool fromSign)
    {
        if (const std::optional<Pair> pair = pairOf(m_line)) {
            m_working = goOnWorking(std::move(m_working), *pair, m_form, m_method, fromSign);
            throw HandedOver {};
        }
    }

    // The line is one number, its result: reduced and in the answer's form.
    void finish()
    {
        m_working = finishWorking(std::move(m_working), m_line.number, m_form);
        throw HandedOver {};
    }

    // Every decimal over 10, 100 or 1000, then reduced where it is a factor
    // or a power's base, and as a term where that lowers the common
    // denominator of its sum.
    void decimals()
    {
        const Expression original = m_line;
        Expression reduced = m_line;
        if (!convertDecimals(original, m_line, reduced, nullptr)) {
            return;
        }
        write(Note::DecimalsAsFractions);
        if (!(reduced == m_line)) {
            m_line = std::move(reduced);
            write(Note::Reduce);
        }
    }

    // Each decimal of `original` made a fraction in `converted`, and also
    // reduced where it is to be in `reduced`: three trees of one shape.
    static bool convertDecimals(const Expression &original, Expression &converted,
        Expression &reduced, const Expression *parent)
    {
        if (original.isNumber()) {
            const WrittenNumber &x = original.number;
            if (!x.isDecimal()) {
                return false;
            }
            Int128 scale = 1;
            for (std::size_t i = 0; i < x.decimals.size(); ++i) {
                scale = times(scale, 10);
            }
            const Int128 digits = wide::digitsValue(x.decimals).value_or(0);
            converted.number
                = fractionNumber(plus(times(x.whole, scale), digits), scale, x.negative);
            const bool factor
                = parent && (parent->kind == Kind::Product || parent->kind == Kind::Power);
            reduced.number = factor ? lowestOf(converted.number) : converted.number;
            return true;
        }
        bool any = false;
        for (std::size_t i = 0; i < original.operands.size(); ++i) {
            any = convertDecimals(
                      original.operands[i], converted.operands[i], reduced.operands[i], &original)
                || any;
        }
        if (any && original.kind == Kind::Sum) {
            // The terms that were decimals, all that reduce or none.
            Int128 before = 1;
            Int128 after = 1;
            for (std::size_t i = 0; i < original.operands.size(); ++i) {
                if (converted.operands[i].isNumber()) {
                    const WrittenNumber &x = converted.operands[i].number;
                    const bool decimal = original.operands[i].number.isDecimal();
                    before = lcm(before, denominatorOf(x));
                    after = lcm(after, denominatorOf(decimal ? lowestOf(x) : x));
                }
            }
            for (std::size_t i = 0; i < original.operands.size(); ++i) {
                if (after < before && original.operands[i].isNumber()
                    && original.operands[i].number.isDecimal()) {
                    reduced.operands[i].number = lowestOf(converted.operands[i].number);
                }
            }
        }
        return any;
    }

    // The depth of the deepest parentheses that hold a calculation, counted
    // from the outside; 0 where none does.
    static int deepestCalculation(const Expression &expression, int depth)
    {
        const bool calculation
            = expression.kind == Kind::Parentheses && !expression.operands[0].isNumber();
        const int here = depth + (expression.kind == Kind::Parentheses ? 1 : 0);
        int deepest = calculation ? here : 0;
        for (const Expression &operand : expression.operands) {
            deepest = std::max(deepest, deepestCalculation(operand, here));
        }
        return deepest;
    }

    // The contents of the parentheses of a depth, as they now stand.
    static void collect(
        Expression &expression, int depth, int target, std::vector<Expression *> &contents)
    {
        const int here = depth + (expression.kind == Kind::Parentheses ? 1 : 0);
        if (expression.kind == Kind::Parentheses && here == target) {
            contents.push_back(&expression.operands[0]);
            return;
        }
        for (Expression &operand : expression.operands) {
            collect(operand, here, target, contents);
        }
    }

    std::vector<Expression *> contentsAt(int depth)
    {
        std::vector<Expression *> contents;
        collect(m_line, 0, depth, contents);
        return contents;
    }

    // One kind of step inside every parenthesis of a depth that needs it, in
    // one line: `apply` changes a parenthesis's contents and gives the note
    // of what it did, or nothing where it needs no such step.
    using InsideStep = std::function<std::optional<Note>(Expression &)>;
    void inside(int depth, const InsideStep &apply, bool handOver = true)
    {
        std::optional<Note> note;
        for (Expression *contents : contentsAt(depth)) {
            if (const std::optional<Note> done = apply(*contents)) {
                // Differing notes of one line: the wider of the two.
                if (note && *note != *done) {
                    const bool groups = *done == Note::MultiplyFirst || *done == Note::DivideFirst
                        || *done == Note::MultiplyDivideFirst;
                    note = groups ? Note::MultiplyDivideFirst : Note::RemoveParentheses;
                } else {
                    note = done;
                }
            }
        }
        if (note) {
            if (handOver) {
                settle(m_line);
            }
            write(*note, true, handOver);
        }
    }

    void parentheses(int depth)
    {
        const auto sumStep = [](auto &&step) {
            return [step](Expression &contents) -> std::optional<Note> {
                if (contents.kind != Kind::Sum || !allNumbers(contents)) {
                    return std::nullopt;
                }
                Terms terms(contents);
                return step(terms);
            };
        };
        inside(depth, [](Expression &contents) -> std::optional<Note> {
            if (!containsPower(contents)) {
                return std::nullopt;
            }
            computePowers(contents);
            return Note::Powers;
        });
        inside(depth, [](Expression &contents) -> std::optional<Note> {
            if (contents.kind != Kind::Product) {
                return std::nullopt;
            }
            contents = valueExpression(contents);
            return Note::Calculate;
        });
        inside(depth, [](Expression &contents) -> std::optional<Note> {
            if (contents.kind != Kind::Sum || allNumbers(contents)) {
                return std::nullopt;
            }
            std::vector<const Expression *> groups;
            for (const Expression &operand : contents.operands) {
                if (operand.kind == Kind::Product) {
                    groups.push_back(&operand);
                }
            }
            const Note note = groupNote(groups);
            for (Expression &operand : contents.operands) {
                if (operand.kind == Kind::Product) {
                    operand = valueExpression(operand);
                }
            }
            return note;
        });
        inside(depth, sumStep([](Terms &terms) { return terms.dropSigns(); }));
        inside(depth, sumStep([](Terms &terms) -> std::optional<Note> {
            return !terms.zeroPair() && terms.makeImproper() ? std::optional(Note::MakeImproper)
                                                             : std::nullopt;
        }));
        inside(depth, sumStep([](Terms &terms) -> std::optional<Note> {
            return !terms.zeroPair() && terms.reduceWhereItLowers() ? std::optional(Note::Reduce)
                                                                    : std::nullopt;
        }));
        // Two terms, a whole number and a fraction: the whole number in a line
        // of its own, after the common denominators of the others.
        inside(depth, sumStep([](Terms &terms) -> std::optional<Note> {
            const bool wholes = terms.size() > 2;
            return !terms.zeroPair() && terms.overCommonDenominator(true, wholes)
                ? std::optional(Note::CommonDenominator)
                : std::nullopt;
        }));
        inside(depth, sumStep([](Terms &terms) -> std::optional<Note> {
            return !terms.zeroPair() && terms.size() == 2
                    && terms.overCommonDenominator(false, true)
                ? std::optional(Note::WholeAsFraction)
                : std::nullopt;
        }));
        // The value of each sum, kept in its parentheses until it is reduced.
        inside(
            depth,
            [](Expression &contents) -> std::optional<Note> {
                if (contents.kind != Kind::Sum) {
                    return std::nullopt;
                }
                contents = numberExpression(Terms(contents).value());
                return Note::Calculate;
            },
            false);
        inside(depth, [](Expression &contents) -> std::optional<Note> {
            if (!contents.isNumber() || !reducible(contents.number)) {
                return std::nullopt;
            }
            contents.number = lowestOf(contents.number);
            return isWhole(contents.number) ? Note::MakeWhole : Note::Reduce;
        });
        settle(m_line);
        handOverPair(false);
        if (deepestCalculation(m_line, 0) >= depth) {
            throw std::logic_error("parentheses that none of the steps works");
        }
    }

    // A product of three or more numbers: the whole numbers from the left,
    // or one fraction of all the factors.
    void product()
    {
        if (!allNumbers(m_line)) {
            throw std::logic_error("a product with a calculation left in it");
        }
        if (std::any_of(m_line.operands.begin(), m_line.operands.end(),
                [](const Expression &factor) { return isZero(factor.number); })) {
            m_line = numberExpression(wholeNumber(0));
            write(Note::Calculate);
            finish();
        }
        const bool wholes = std::all_of(m_line.operands.begin(), m_line.operands.end(),
            [](const Expression &factor) { return isWhole(factor.number); });
        if (wholes) {
            // From the left, one operation a line, until two numbers are left.
            while (m_line.operands.size() > 2) {
                Expression first = chainExpression(
                    {m_line.operands[0], m_line.operands[1]}, {m_line.operations[0]});
                m_line.operands.erase(m_line.operands.begin());
                m_line.operations.erase(m_line.operations.begin());
                m_line.operands[0] = valueExpression(first);
                write(Note::Calculate);
            }
            throw std::logic_error("a product of whole numbers not handed over");
        }
        factors();
    }

    // The sign decided, mixed numbers made improper, the factors reduced, the
    // divisors turned over, one fraction of the products, cancelled across,
    // and its value.
    void factors()
    {
        Expression group = m_line;
        bool negative = false;
        bool anyNegative = false;
        for (Expression &factor : group.operands) {
            negative = negative != factor.number.negative;
            anyNegative = anyNegative || factor.number.negative;
            factor.number = magnitudeOf(factor.number);
        }
        const Sign sign = !anyNegative ? Sign::None : negative ? Sign::Minus : Sign::Plus;
        const auto show = [&](Note note) {
            m_line = sign == Sign::None ? group : signedExpression(sign, group);
            write(note);
        };
        if (anyNegative) {
            show(Note::DecideSign);
        }
        if (std::any_of(group.operands.begin(), group.operands.end(),
                [](const Expression &f) { return f.number.isMixed(); })) {
            for (Expression &factor : group.operands) {
                factor.number = improperOf(factor.number);
            }
            show(Note::MakeImproper);
        }
        if (std::any_of(group.operands.begin(), group.operands.end(),
                [](const Expression &f) { return reducible(f.number); })) {
            for (Expression &factor : group.operands) {
                factor.number = lowestOf(factor.number);
            }
            show(Note::Reduce);
        }
        if (std::count(group.operations.begin(), group.operations.end(), Operation::Divide) > 0) {
            for (std::size_t i = 1; i < group.operands.size(); ++i) {
                if (group.operations[i - 1] == Operation::Divide) {
                    WrittenNumber &x = group.operands[i].number;
                    x = isWhole(x) ? resultOf(1, x.whole, false) : resultOf(x.den, x.num, false);
                    group.operations[i - 1] = Operation::Multiply;
                }
            }
            show(Note::Reciprocal);
        }
        const bool minus = sign == Sign::Minus;
        if (std::all_of(group.operands.begin(), group.operands.end(),
                [](const Expression &f) { return isWhole(f.number); })) {
            Int128 product = 1;
            for (const Expression &factor : group.operands) {
                product = times(product, factor.number.whole);
            }
            m_line = numberExpression(wholeNumber(product, minus));
            write(Note::Calculate);
            finish();
        }
        std::vector<Factor> numerator;
        std::vector<Factor> denominator;
        for (const Expression &factor : group.operands) {
            const WrittenNumber &x = factor.number;
            numerator.push_back({isWhole(x) ? x.whole : x.num, {}});
            if (!isWhole(x)) {
                denominator.push_back({x.den, {}});
            }
        }
        m_line = fractionExpression(sign, numerator, denominator);
        write(Note::MultiplyAcross);
        // Each numerator factor from the left with each denominator factor
        // from the left, by their greatest common divisor: after one pass no
        // pair shares a factor, since dividing makes no new common factor.
        bool cancelled = false;
        for (Factor &top : numerator) {
            for (Factor &bottom : denominator) {
                const Int128 g = wide::gcd(top.value, bottom.value);
                if (g > 1) {
                    top = {top.value / g, top.was.value_or(top.value)};
                    bottom = {bottom.value / g, bottom.was.value_or(bottom.value)};
                    cancelled = true;
                }
            }
        }
        if (cancelled) {
            m_line = fractionExpression(sign, numerator, denominator);
            write(Note::CancelAcross);
        }
        Int128 n = 1;
        Int128 d = 1;
        for (const Factor &factor : numerator) {
            n = times(n, factor.value);
        }
        for (const Factor &factor : denominator) {
            d = times(d, factor.value);
        }
        m_line = numberExpression(resultOf(n, d, minus));
        write(Note::Calculate);
        finish();
    }

    // In a sum, every product and quotient to its value, in one line.
    void productsFirst()
    {
        std::vector<const Expression *> groups;
        for (const Expression &operand : m_line.operands) {
            if (!operand.isNumber()) {
                groups.push_back(&operand);
            }
        }
        if (groups.empty()) {
            return;
        }
        const Note note = groupNote(groups);
        for (Expression &operand : m_line.operands) {
            if (!operand.isNumber()) {
                operand = valueExpression(operand);
            }
        }
        write(note);
    }

    // A sum of three or more terms.
    void sum()
    {
        Terms editing(m_line);
        if (const std::optional<Note> note = editing.dropSigns()) {
            write(*note);
        }
        if (editing.makeImproper()) {
            write(Note::MakeImproper);
        }
        if (editing.reduceWhereItLowers()) {
            write(Note::Reduce);
        }
        if (editing.overCommonDenominator(true, true)) {
            write(Note::CommonDenominator);
        }
        Expression line = m_line;
        const Terms terms(line);
        const std::vector<Int128> numerators = terms.numerators();
        Int128 total = 0;
        bool belowZero = false;
        for (const Int128 n : numerators) {
            total = plus(total, n);
            belowZero = belowZero || total < 0;
        }
        if (!belowZero) {
            m_line = numberExpression(terms.value());
            write(Note::Calculate);
            finish();
        }
        const bool firstNegative = terms.negativeTerm(0);
        std::vector<std::size_t> order;
        for (const bool firstSign : {true, false}) {
            for (std::size_t i = 0; i < terms.size(); ++i) {
                if ((terms.negativeTerm(i) == firstNegative) == firstSign) {
                    order.push_back(i);
                }
            }
        }
        const Int128 common = terms.commonDenominator();
        if (std::all_of(order.begin(), order.end(),
                [&](std::size_t i) { return terms.negativeTerm(i) == firstNegative; })) {
            // Every term negative: the sign in front of all of them.
            Expression magnitudes = line;
            magnitudes.operands[0].number = magnitudeOf(magnitudes.operands[0].number);
            std::fill(magnitudes.operations.begin(), magnitudes.operations.end(), Operation::Add);
            m_line = signedExpression(Sign::Minus, magnitudes);
            write(Note::DecideSign);
            m_line = numberExpression(resultOf(-total, common, true));
            write(Note::Calculate);
            finish();
        }
        if (!std::is_sorted(order.begin(), order.end())) {
            Expression reordered;
            reordered.kind = Kind::Sum;
            for (const std::size_t i : order) {
                if (!reordered.operands.empty()) {
                    reordered.operations.push_back(
                        terms.negativeTerm(i) ? Operation::Subtract : Operation::Add);
                }
                reordered.operands.push_back(line.operands[i]);
            }
            m_line = std::move(reordered);
            write(Note::Reorder);
        }
        Int128 first = 0;
        Int128 second = 0;
        for (std::size_t i = 0; i < numerators.size(); ++i) {
            Int128 &group = terms.negativeTerm(i) == firstNegative ? first : second;
            group = plus(group, numerators[i] < 0 ? -numerators[i] : numerators[i]);
        }
        m_line = pairExpression(resultOf(first, common, firstNegative),
            firstNegative ? Operation::Add : Operation::Subtract, resultOf(second, common, false));
        write(Note::GatherTerms, false, false);
        handOverPair(true);
        throw std::logic_error("gathered terms not handed over");
    }

    AnswerForm m_form;
    Method m_method;
    Expression m_line;
    Working m_working;
};

}  // namespace

Working severalTermsWorking(const Expression &problem, AnswerForm form, Method method)
{
    return Route(form, method).work(problem);
}

}  // namespace tobarin
