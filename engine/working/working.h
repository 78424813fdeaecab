#pragma once

#include "engine/number/written_number.h"
#include "engine/problem/expression.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/definition.h"

// The working (途中式) of a calculation as plain data, for the renderers to
// read: the text form, the desktop's drawing and the page's. They only read
// the numbers here; none of them works one out.
namespace tobarin {

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
    // Problems of several terms.
    DecimalsAsFractions,  // 小数を分数に直す
    Powers,  // 累乗を計算する
    MultiplyFirst,  // かけ算を先に計算する
    DivideFirst,  // わり算を先に計算する
    MultiplyDivideFirst,  // かけ算・わり算を先に計算する
    Reorder,  // 項を並べかえる
    GatherTerms,  // 正の項どうし、負の項どうしをまとめる
    MakeWhole,  // 整数に直す
    // Conversion problems; a note that names numbers has its words in the step.
    DivideWithRemainder,  // 7÷3=2あまり1, 12÷4=3
    ImproperNumerator,  // 分母×整数＋分子
    DivideByGcd,  // 最大公約数6でわる
    LcmAsDenominator,  // 最小公倍数12を分母にする
    NumeratorByDenominator,  // 分子を分母でわる
    DecimalUnits,  // 0.1が6こ
};

[[nodiscard]] std::string_view noteText(Note note);

struct Step {
    Note note;
    Expression expression;
    // A step inside parentheses: its note begins かっこの中を (通分する,
    // 計算する, 約分する, 整数に直す) or かっこの中の (every other note).
    bool inParentheses = false;
    // Of a note that names the numbers of its step ("7÷3=2あまり1"): its words.
    std::string words = {};

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

// The note of a step as it is written: "通分する", "かっこの中を通分する".
[[nodiscard]] std::string stepNote(const Step &step);

// A step in the text form: "= " and its expression (none before the
// problem), and its note after two or more blanks, from column 20 at the
// earliest; no line end.
[[nodiscard]] std::string stepText(const Step &step);

// The working as text: each step on a line; then, with withReport, the
// report on a line of its own. Every line ends with "\n".
[[nodiscard]] std::string workingText(const Working &working, bool withReport = true);

}  // namespace tobarin
