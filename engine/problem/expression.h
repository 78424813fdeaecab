#pragma once

#include "engine/number/written_number.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/definition.h"

// An expression of numbers as a textbook writes it: a problem, and every line
// of its working. Numbers are written numbers (a sign, a whole part, a
// fraction or a decimal, as typed); around them sums and products of several
// terms, parentheses, powers, a sign in front of a parenthesis or a power, and
// a product written as one fraction of its factors. The expression holds what
// is written, not what it is worth: 2/4 stays 2/4, and the parentheses typed
// around a calculation stay as a node of their own. Parentheses around one
// signed number are not a node: the writer puts them where a signed number
// needs them (after an operation, as a factor, as the base of a power).
namespace tobarin {

// A sign written in front of a parenthesised expression or of a product.
enum class Sign { None, Plus, Minus };

// The form a conversion problem asks a number (or numbers) to be put in:
// 帯分数, 仮分数, 整数, 約分 (lowest terms), 通分 (one denominator), 小数, 分数.
enum class AskedForm { Mixed, Improper, Whole, Reduced, Common, Decimal, Fraction };

// A factor of a product written as one fraction. On the line that cancels
// (途中で約分する), a cancelled factor keeps the number it had before, which a
// drawn working strikes through with the new number small beside it.
struct Factor {
    wide::Int128 value;
    std::optional<wide::Int128> was;

    friend bool operator==(const Factor &, const Factor &) = default;
};

struct Expression {
    enum class Kind {
        Number,  // number: "2 5/12", "-1/6", "0.25"
        Sum,  // operands joined by + and -: "1/2 + 1/3 - 1/4"
        Product,  // operands joined by × and ÷: "2/3 ÷ 4/5 × 3/8"
        Parentheses,  // "(" operands[0] ")"
        Power,  // operands[0] to the power exponent: "3²", "(-1/2)²"
        Signed,  // sign, then operands[0]: "-3²", "-(3/6 - 2/6)", "+(2/3 × 3/4)"
        Fraction,  // one fraction of products of factors, a sign in front: "-(2×3)/(3×4)"
        // Of conversion problems and their working.
        List,  // operands joined by ", ": "9/12, 10/12"
        Over,  // operands[0] over operands[1], each written tight: "(3×2+1)/3", "(12÷6)/(18÷6)"
        Conversion,  // operands[0] (a number or a List), then the form asked: "7/3 → 帯分数"
    };
    Kind kind = Kind::Number;
    WrittenNumber number;  // of Number
    // Of Sum and Product, the terms or factors; of Parentheses, Power and
    // Signed, the one expression they hold.
    std::vector<Expression> operands;
    // Of Sum and Product: operations[i] stands between operands[i] and
    // operands[i + 1].
    std::vector<Operation> operations;
    int exponent = 0;  // of Power: 2 to 4
    Sign sign = Sign::None;  // of Signed (Plus or Minus) and Fraction
    std::vector<Factor> numerator;  // of Fraction
    std::vector<Factor> denominator;  // of Fraction; empty when no factor has a denominator
    AskedForm asked = AskedForm::Mixed;  // of Conversion
    // Of Sum and Product: written without blanks, as a conversion's working
    // writes a division it is about to do ("3÷4", "1 + 1÷4").
    bool tight = false;

    [[nodiscard]] bool isNumber() const { return kind == Kind::Number; }

    friend bool operator==(const Expression &, const Expression &) = default;
};

// The expressions the working writes most.
[[nodiscard]] Expression numberExpression(const WrittenNumber &number);
// A sum (+ -) or a product (× ÷) of two numbers.
[[nodiscard]] Expression pairExpression(
    const WrittenNumber &first, Operation operation, const WrittenNumber &second);
// Terms or factors joined by operations, all of + - or all of × ÷.
[[nodiscard]] Expression chainExpression(
    std::vector<Expression> operands, std::vector<Operation> operations);
[[nodiscard]] Expression parenthesesExpression(Expression inside);
[[nodiscard]] Expression powerExpression(Expression base, int exponent);
// A sign in front of what follows it: "-(3/6 - 2/6)"; a sign in front of a
// pair puts the pair in parentheses.
[[nodiscard]] Expression signedExpression(Sign sign, Expression operand);
[[nodiscard]] Expression fractionExpression(
    Sign sign, std::vector<Factor> numerator, std::vector<Factor> denominator);

[[nodiscard]] Expression listExpression(std::vector<Expression> items);
[[nodiscard]] Expression overExpression(Expression numerator, Expression denominator);
[[nodiscard]] Expression conversionExpression(Expression numbers, AskedForm asked);
// Two numbers and an operation, written without blanks: "3÷4".
[[nodiscard]] Expression tightExpression(
    const WrittenNumber &first, Operation operation, const WrittenNumber &second);

// The word of a form asked, as the problem line writes it after "→": "帯分数".
[[nodiscard]] std::string_view askedFormText(AskedForm asked);

// Whether an operation is + or -.
[[nodiscard]] bool isSumOperation(Operation operation);

// Of a sum or product of exactly two numbers, "a op b": the numbers and the
// operation; nothing for any other expression.
struct Pair {
    WrittenNumber first;
    Operation operation;
    WrittenNumber second;
};
[[nodiscard]] std::optional<Pair> pairOf(const Expression &expression);

// Whether operands[index] of an expression is written in parentheses of its
// own, beyond any Parentheses node: a negative number or a sign in front
// (Signed) as a factor of a product, the first too, or as a term after the
// first; a base of a power that is not a whole number or a decimal without a
// sign. Every writer (the text form, the desktop's drawing, the page's) asks
// this; none decides it again.
[[nodiscard]] bool enclosed(const Expression &parent, std::size_t index);

// The sign of an operation as the text form writes it: "+", "-", "×", "÷";
// and as a drawn working shows it, with the typographic minus "−".
[[nodiscard]] std::string_view operationText(Operation operation);
[[nodiscard]] std::string_view drawnOperationText(Operation operation);
// A power's exponent as a superscript: "²", "³", "⁴".
[[nodiscard]] std::string_view exponentText(int exponent);

// An expression in the text form: "1/2 - (-3/4)", "(-2/3) × (-3/4)",
// "-(3/6 - 2/6)", "(2×9)/(3×8)", "-(1×5)/(2×3)", "4/(9×2)", "-3² + (-1/2)² × 8",
// "(3/4 - 1/3) × 12/5". A denominator that cancelled to 1 is not written:
// "2×4", "-(1×1)". Numbers are written by numberText.
[[nodiscard]] std::string expressionText(const Expression &expression);

// How many numbers an expression holds (the factors of a Fraction not among
// them), and how deep its parentheses go.
[[nodiscard]] std::size_t numberCount(const Expression &expression);
[[nodiscard]] int parenthesesDepth(const Expression &expression);

}  // namespace tobarin
