#pragma once

#include "engine/wide.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/definition.h"

// The working (途中式) of a calculation as plain data, for the renderers to
// read: the text form, the desktop's drawing and the page's. They only read
// the numbers here; none of them works one out.
namespace tobarin {

// A number as a line of the working shows it: an optional "-", then an integer
// part, a fraction, or both (a mixed number "2 5/12"). The parts are
// magnitudes; the value is ±(whole + num / den).
struct ShownNumber {
    bool negative = false;
    bool hasWhole = true;
    bool hasFraction = false;
    wide::Int128 whole = 0;
    wide::Int128 num = 0;
    wide::Int128 den = 0;

    friend bool operator==(const ShownNumber &, const ShownNumber &) = default;
};

// num / den as the engine holds it, either of them possibly negative: shown
// with the sign in front and as a whole number when |den| is 1 (or 0, which
// only the answer 0 of no operation has).
[[nodiscard]] ShownNumber shownFraction(wide::Int128 num, wide::Int128 den);

// An operand as its three fields read (integer part, numerator, denominator)
// and its sign box: "1 2/3" as typed, "3/0" when the denominator is missing.
// Fields that do not read as a plain mixed number (a negative one) show the
// improper fraction the engine makes of them, so the value shown stays right.
[[nodiscard]] ShownNumber shownTyped(
    std::int32_t whole, std::int32_t num, std::int32_t den, bool negative);

// A mixed number: integer part and fraction, both magnitudes; a zero part is
// left out (the integer part of a proper fraction, the fraction of a whole).
[[nodiscard]] ShownNumber shownMixed(
    bool negative, wide::Int128 whole, wide::Int128 num, wide::Int128 den);

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

// One line of a working.
struct Line {
    enum class Shape {
        Number,  // first alone: "= 2 5/12"
        Pair,  // first, the operation, second: "= 20/12 + 9/12"
        Signed,  // a sign in front of a parenthesised pair of magnitudes: "= -(3/6 - 2/6)"
        Product,  // one fraction of products of factors, a sign in front: "= -(2×3)/(3×4)"
    };
    Shape shape = Shape::Number;
    ShownNumber first;
    std::optional<Operation> operation;  // of Pair and Signed; none where no operation is selected
    ShownNumber second;
    Sign sign = Sign::None;  // of Signed and Product
    std::vector<Factor> numerator;  // of Product
    std::vector<Factor> denominator;  // of Product; empty when no factor has a denominator

    friend bool operator==(const Line &, const Line &) = default;
};

[[nodiscard]] Line numberLine(const ShownNumber &number);
[[nodiscard]] Line pairLine(
    const ShownNumber &first, std::optional<Operation> operation, const ShownNumber &second);

// Whether a number of a Pair or Signed line stands in parentheses: in × and ÷
// every negative factor, in + and - a negative number after the operation.
[[nodiscard]] bool parenthesised(const Line &line, bool second);

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
    CancelAcross,  // 途中で約分する
    Calculate,  // 計算する
    MakeMixed,  // 帯分数に直す
    MakeImproperAnswer,  // 仮分数に直す
};

[[nodiscard]] std::string_view noteText(Note note);

struct Step {
    Note note;
    Line line;

    friend bool operator==(const Step &, const Step &) = default;
};

// The working of a calculation: the problem, then each step, and how it
// stopped where it had no answer.
struct Working {
    std::vector<Step> steps;
    // The denominator message, or "実行時エラー 6: 桁あふれが発生しました。";
    // empty after an answer.
    std::string report;

    friend bool operator==(const Working &, const Working &) = default;
};

// What Calculate and the answer forms tell, at the points where they work the
// values out. They call it only when one is given, so a calculation without a
// recorder builds nothing. It follows the engine's own path, which is kept for
// a calculation that a run-time error ends.
class WorkingRecorder {
public:
    virtual ~WorkingRecorder() = default;
    virtual void step(Note note, const Line &line) = 0;
    // The denominator message, or a run-time error: the calculation stops here.
    virtual void message(std::string_view text) = 0;
    virtual void error(int number) = 0;

protected:
    WorkingRecorder() = default;
    WorkingRecorder(const WorkingRecorder &) = default;
    WorkingRecorder &operator=(const WorkingRecorder &) = default;
};

// Records the working as it is told. A step that shows the same line as the
// one before it (a GCD of ±1, denominators already equal) is left out.
class PathRecorder final : public WorkingRecorder {
public:
    void step(Note note, const Line &line) override;
    void message(std::string_view text) override;
    void error(int number) override;

    [[nodiscard]] const Working &working() const { return m_working; }

private:
    Working m_working;
};

// "-2 5/12", "3", "-1/6".
[[nodiscard]] std::string numberText(const ShownNumber &number);
// A line in the text form: "1/2 - (-3/4)", "(-2/3) × (-3/4)", "-(3/6 - 2/6)",
// "(2×9)/(3×8)", "-(1×5)/(2×3)".
[[nodiscard]] std::string lineText(const Line &line);
// The sign of an operation as the text form writes it: "+", "-", "×", "÷";
// and as a drawn working shows it, with the typographic minus "−".
[[nodiscard]] std::string_view operationText(Operation operation);
[[nodiscard]] std::string_view drawnOperationText(Operation operation);

// The working as text: the problem, then one line per step, "= " and the
// line, and the note after two or more blanks, from column 20 at the
// earliest; then, with withReport, the report on a line of its own. Every
// line ends with "\n".
[[nodiscard]] std::string workingText(const Working &working, bool withReport = true);

}  // namespace tobarin
