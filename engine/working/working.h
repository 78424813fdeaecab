#pragma once

#include "engine/number/written_number.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/definition.h"

// The working (途中式) of a calculation as plain data, for the renderers to
// read: the text form, the desktop's drawing and the page's. They only read
// the numbers here; none of them works one out.
namespace tobarin {

// A sign written in front of a parenthesised expression or of a product.
enum class Sign { None, Plus, Minus };

// A factor of a product written as one fraction. On the line that cancels
// (途中で約分する), a cancelled factor keeps the number it had before, which a
// drawn working strikes through with the new number small beside it.
struct Factor {
    wide::Int128 value;
    std::optional<wide::Int128> was;

    friend bool operator==(const Factor &, const Factor &) = default;
};

// What one line of a working shows after its "=".
struct Expression {
    enum class Shape {
        Number,  // first alone: "= 2 5/12"
        Pair,  // first, the operation, second: "= 20/12 + 9/12"
        Signed,  // a sign in front of a parenthesised pair of magnitudes: "= -(3/6 - 2/6)"
        Product,  // one fraction of products of factors, a sign in front: "= -(2×3)/(3×4)"
    };
    Shape shape = Shape::Number;
    WrittenNumber first;
    std::optional<Operation> operation;  // of Pair and Signed
    WrittenNumber second;
    Sign sign = Sign::None;  // of Signed and Product
    std::vector<Factor> numerator;  // of Product
    std::vector<Factor> denominator;  // of Product; empty when no factor has a denominator

    friend bool operator==(const Expression &, const Expression &) = default;
};

[[nodiscard]] Expression numberExpression(const WrittenNumber &number);
[[nodiscard]] Expression pairExpression(
    const WrittenNumber &first, Operation operation, const WrittenNumber &second);

// Whether a number of a Pair or Signed expression stands in parentheses: in ×
// and ÷ every negative factor, in + and - a negative number after the
// operation.
[[nodiscard]] bool parenthesised(const Expression &expression, bool second);

// What a step does, in the words of Japanese school arithmetic.
enum class Note {
    Problem,  // the problem as read from the fields: no note
    ChangeSubtractedSign,  // ひく数の符号を変えてたす
    RemoveParentheses,  // かっこをはずす
    MakeImproper,  // 帯分数を仮分数に直す
    Reduce,  // 約分する
    CommonDenominator,  // 通分する
    WholeAsFraction,  // 整数を分数に直す
    DecideSign,  // 符号を決める
    Borrow,  // くり下げる
    Carry,  // くり上げる
    QuotientAsFraction,  // 商を分数で表す
    Reciprocal,  // わる数の逆数をかける
    MultiplyAcross,  // 分子どうし、分母どうしをかける
    MultiplyNumeratorByWhole,  // 分母はそのままにして、分子に整数をかける
    MultiplyDenominatorByWhole,  // 分子はそのままにして、分母に整数をかける
    CancelAcross,  // 途中で約分する
    Calculate,  // 計算する
    MakeMixed,  // 帯分数に直す
    MakeImproperAnswer,  // 仮分数に直す
};

[[nodiscard]] std::string_view noteText(Note note);

struct Step {
    Note note;
    Expression expression;

    friend bool operator==(const Step &, const Step &) = default;
};

// The working of a problem: the problem, then each step to the answer; or,
// where the problem has no answer, the problem and the report that says why
// (the denominator message, "実行時エラー 6: 桁あふれが発生しました。"), or the
// report alone where the fields cannot even be read.
struct Working {
    std::vector<Step> steps;
    std::string report;  // empty after an answer

    friend bool operator==(const Working &, const Working &) = default;
};

// An expression in the text form: "1/2 - (-3/4)", "(-2/3) × (-3/4)",
// "-(3/6 - 2/6)", "(2×9)/(3×8)", "-(1×5)/(2×3)", "4/(9×2)". A denominator
// that cancelled to 1 is not written: "2×4", "-(1×1)". Numbers are written by
// numberText.
[[nodiscard]] std::string expressionText(const Expression &expression);
// The sign of an operation as the text form writes it: "+", "-", "×", "÷";
// and as a drawn working shows it, with the typographic minus "−".
[[nodiscard]] std::string_view operationText(Operation operation);
[[nodiscard]] std::string_view drawnOperationText(Operation operation);

// A step in the text form: "= " and its expression (none before the
// problem), and its note after two or more blanks, from column 20 at the
// earliest; no line end.
[[nodiscard]] std::string stepText(const Step &step);

// The working as text: each step on a line; then, with withReport, the
// report on a line of its own. Every line ends with "\n".
[[nodiscard]] std::string workingText(const Working &working, bool withReport = true);

}  // namespace tobarin
