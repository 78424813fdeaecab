#include "engine/answer_check.h"

#include "engine/problem_text.h"
#include "engine/solve.h"
#include "engine/wide.h"

namespace tobarin {

namespace {

using wide::Int128;

// A value in lowest terms with a positive denominator.
struct Exact {
    Int128 num;
    Int128 den;

    friend bool operator==(const Exact &, const Exact &) = default;
};

// num / den in lowest terms; den > 0.
Exact lowest(Int128 num, Int128 den)
{
    const Int128 g = wide::gcd(num, den);
    return {num / g, den / g};
}

AnswerCheck unreadable(std::string text)
{
    return {Verdict::Unreadable, std::move(text)};
}

}  // namespace

AnswerCheck checkAnswer(const Problem &problem, const TypedOperand &answer)
{
    // The typed answer: each field digits or nothing.
    std::array<Int128, 3> values {};
    std::array<bool, 3> written {};
    for (const Field field : Fields) {
        const std::string &text = answer.field(field);
        const auto digits = fieldDigits(text);
        if (!digits) {
            return unreadable("「" + text + "」は数ではありません。数字で書いてください。");
        }
        const auto value = wide::digitsValue(*digits);
        if (!value) {
            return unreadable("「" + text + "」は桁が多すぎます。");
        }
        values[static_cast<std::size_t>(field)] = *value;
        written[static_cast<std::size_t>(field)] = !digits->empty();
    }
    const auto at
        = [](const auto &array, Field field) { return array[static_cast<std::size_t>(field)]; };
    const bool hasDen = at(written, Field::Denominator);
    const bool hasNum = at(written, Field::Numerator);
    if (!hasDen && !hasNum && !at(written, Field::Whole)) {
        return unreadable("答えが書かれていません。");
    }
    if (hasNum != hasDen) {
        return unreadable(hasDen ? "分子が書かれていません。" : "分母が書かれていません。");
    }
    const Int128 den = hasDen ? at(values, Field::Denominator) : 1;
    const Int128 num = at(values, Field::Numerator);
    const Int128 whole = at(values, Field::Whole);
    if (den == 0) {
        return unreadable("分母に 0 は使えません。");
    }

    // The problem's answer, as Calculate shows it.
    const Solution solution = solve(problem, AnswerForm::Mixed);
    const auto right = answerValue(solution.answer);
    if (!right) {
        return {Verdict::NoAnswer, "この問題の答えは出せません。" + solution.working.report};
    }
    const std::string mixed = answerText(solution.answer);
    const std::string improper = improperAnswerText(solution.answer);

    const Int128 typed = whole * den + num;
    if (lowest(answer.negative ? -typed : typed, den) != lowest(right->num, right->den)) {
        return {Verdict::Wrong, "答えがちがいます。もう一度計算してみましょう。"};
    }
    const std::string close = "おしいです。大きさは合っていますが、";
    if (hasDen && (num == 0 || den == 1)) {
        return {Verdict::WholeAsFraction, close + "この答えは整数で書けます。"};
    }
    const bool reducible = hasDen && wide::gcd(num, den) > 1;
    const bool tooLarge = whole != 0 && hasDen && num >= den;
    const std::string reduce = "まだ約分できます。";
    const std::string large = "帯分数の分数の部分が 1 以上になっています。";
    if (reducible && tooLarge) {
        return {Verdict::NotReducedAndTooLarge, close + reduce + "また、" + large};
    }
    if (reducible) {
        return {Verdict::NotReduced, close + reduce};
    }
    if (tooLarge) {
        return {Verdict::MixedFractionTooLarge, close + large};
    }
    if (whole != 0 && hasDen) {
        return {Verdict::CorrectMixed, "正解です。仮分数で書くと " + improper + " です。"};
    }
    if (hasDen && num > den) {
        return {Verdict::CorrectImproper, "正解です。帯分数で書くと " + mixed + " です。"};
    }
    return {Verdict::Correct, "正解です。"};
}

VerdictCategory categoryOf(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Correct:
    case Verdict::CorrectMixed:
    case Verdict::CorrectImproper:
        return VerdictCategory::Correct;
    case Verdict::NotReduced:
    case Verdict::MixedFractionTooLarge:
    case Verdict::NotReducedAndTooLarge:
    case Verdict::WholeAsFraction:
        return VerdictCategory::Close;
    case Verdict::NoAnswer:
        return VerdictCategory::NoAnswer;
    case Verdict::Unreadable:
        return VerdictCategory::Unreadable;
    case Verdict::Wrong:
        break;
    }
    return VerdictCategory::Wrong;
}

int exitStatus(Verdict verdict)
{
    switch (categoryOf(verdict)) {
    case VerdictCategory::Correct:
        return 0;
    case VerdictCategory::NoAnswer:
        return 1;
    case VerdictCategory::Unreadable:
        return 2;
    case VerdictCategory::Close:
        return 3;
    case VerdictCategory::Wrong:
        break;
    }
    return 4;
}

}  // namespace tobarin
