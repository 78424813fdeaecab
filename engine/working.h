#pragma once

#include "engine/wide.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/definition.h"

// The working (途中式) of a calculation: the steps Calculate takes, each shown
// as the expression it leaves, recorded by Calculate itself with the values it
// has just worked out. Nothing is calculated a second time, so the working
// follows the engine's own path and ends where the answer labels end.
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

// A mixed number of the answer: integer part and fraction, both magnitudes.
[[nodiscard]] ShownNumber shownMixed(
    bool negative, wide::Int128 whole, wide::Int128 num, wide::Int128 den);

// One line: a single number, or two with the operation between them (none
// when no operation button is selected).
struct Expression {
    ShownNumber first;
    std::optional<Operation> operation;
    std::optional<ShownNumber> second;

    friend bool operator==(const Expression &, const Expression &) = default;
};

// A line of one number.
[[nodiscard]] inline Expression alone(const ShownNumber &number)
{
    return {number, std::nullopt, std::nullopt};
}

enum class StepKind {
    Problem,  // the problem as read from the fields
    MakeImproper,  // 帯分数を仮分数に直す
    ReduceOperands,  // 約分する
    CommonDenominator,  // 通分する
    Reciprocal,  // 逆数をかける
    CancelAcross,  // 途中で約分する
    Calculate,  // 計算する
    ReduceAnswer,  // 約分する
    MakeMixed,  // 帯分数に直す
    MakeImproperAnswer,  // 仮分数に直す
};

// The note written beside a step ("" for the problem).
[[nodiscard]] std::string_view noteOf(StepKind kind);

struct Step {
    StepKind kind;
    Expression expression;
};

// The working of a calculation: the problem, then each step, and how it
// stopped where it had no answer.
struct Working {
    std::vector<Step> steps;
    // The denominator message, or "実行時エラー 6: 桁あふれが発生しました。";
    // empty after an answer.
    std::string report;
};

// What Calculate and the answer forms tell, at the points where they work the
// values out. They call it only when one is given, so a calculation without a
// recorder builds nothing.
class WorkingRecorder {
public:
    virtual ~WorkingRecorder() = default;
    virtual void step(StepKind kind, const Expression &expression) = 0;
    // The denominator message, or a run-time error: the calculation stops here.
    virtual void message(std::string_view text) = 0;
    virtual void error(int number) = 0;

protected:
    WorkingRecorder() = default;
    WorkingRecorder(const WorkingRecorder &) = default;
    WorkingRecorder &operator=(const WorkingRecorder &) = default;
};

// Records the working as it is told. A step that shows the same expression as
// the line before it (a GCD of ±1, denominators already equal) is left out.
class PathRecorder final : public WorkingRecorder {
public:
    void step(StepKind kind, const Expression &expression) override;
    void message(std::string_view text) override;
    void error(int number) override;

    [[nodiscard]] const Working &working() const { return m_working; }

private:
    Working m_working;
};

// "-2 5/12", "3", "-1/6".
[[nodiscard]] std::string numberText(const ShownNumber &number);
// "1/2 - (-3/4)": a negative second number stands in parentheses.
[[nodiscard]] std::string expressionText(const Expression &expression);
// The sign of an operation as the text form writes it: "+", "-", "×", "÷";
// and as a drawn working shows it, with the typographic minus "−".
[[nodiscard]] std::string_view operationText(Operation operation);
[[nodiscard]] std::string_view drawnOperationText(Operation operation);

// The working as text: the problem, then one line per step, "= " and the
// expression, and the note in a column; then, with withReport, the report on
// a line of its own. Every line ends with "\n".
[[nodiscard]] std::string workingText(const Working &working, bool withReport = true);

}  // namespace tobarin
