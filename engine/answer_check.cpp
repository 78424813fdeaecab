#include "engine/answer_check.h"

#include "engine/calculate.h"
#include "engine/problem_text.h"
#include "engine/runtime_error.h"
#include "engine/wide.h"

#include <optional>

#include "form/definition.h"

namespace tobarin {

namespace {

using wide::Int128;

// At most 18 digits a field: products of two stay far inside 128 bits.
constexpr std::size_t MostDigits = 18;

// A value in lowest terms with a positive denominator.
struct Exact {
    Int128 num;
    Int128 den;

    friend bool operator==(const Exact &, const Exact &) = default;
};

Exact exact(bool negative, Int128 whole, Int128 num, Int128 den)
{
    const Int128 improper = whole * den + num;
    const Int128 g = wide::gcd(improper, den);
    return {(negative ? -improper : improper) / g, den / g};
}

// Digits read into a number; "" reads as 0.
Int128 valueOf(const std::string &digits)
{
    Int128 value = 0;
    for (const char c : digits) {
        value = value * 10 + (c - '0');
    }
    return value;
}

AnswerCheck unreadable(std::string text)
{
    return {Verdict::Unreadable, std::move(text)};
}

}  // namespace

AnswerCheck checkAnswer(const Problem &problem, const TypedOperand &answer)
{
    // The typed answer: each field digits or nothing.
    std::array<std::string, 3> digits;  // den, num, whole, like the fields
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const auto read = fieldDigits(answer.fields[i]);
        if (!read) {
            return unreadable(
                "「" + answer.fields[i] + "」は数ではありません。数字で書いてください。");
        }
        if (read->size() > MostDigits) {
            return unreadable("「" + answer.fields[i] + "」は桁が多すぎます。");
        }
        digits[i] = *read;
    }
    const bool hasDen = !digits[0].empty();
    const bool hasNum = !digits[1].empty();
    if (!hasDen && !hasNum && digits[2].empty()) {
        return unreadable("答えが書かれていません。");
    }
    if (hasNum != hasDen) {
        return unreadable(hasDen ? "分子が書かれていません。" : "分母が書かれていません。");
    }
    const Int128 den = hasDen ? valueOf(digits[0]) : 1;
    const Int128 num = valueOf(digits[1]);
    const Int128 whole = valueOf(digits[2]);
    if (den == 0) {
        return unreadable("分母に 0 は使えません。");
    }

    // The problem's answer, as Calculate shows it.
    MemoryForm form;
    enterProblem(form, problem);
    std::string mixed;
    std::string improper;
    try {
        Command1_Click(form);
        mixed = answerText(form);
        Option2_Click(form, 1);
        improper = answerText(form);
    } catch (const RuntimeError &error) {
        return {
            Verdict::NoAnswer, "この問題の答えは出せません。" + runtimeErrorLine(error.number())};
    }
    if (!form.messages().empty()) {
        return {Verdict::NoAnswer, "この問題の答えは出せません。" + form.messages().front().text};
    }
    const auto label = [&form](int index) { return valueOf(form.caption(Label1[index])); };
    // After folding, the labels hold the answer's integer part or its fraction.
    const bool fractionShown = !form.caption(Label1[0]).empty();
    const Exact right = exact(
        form.caption(Label1[3]) == "-", label(2), label(1), fractionShown ? label(0) : Int128 {1});

    if (exact(answer.negative, whole, num, den) != right) {
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

int exitStatus(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Correct:
    case Verdict::CorrectMixed:
    case Verdict::CorrectImproper:
        return 0;
    case Verdict::NoAnswer:
        return 1;
    case Verdict::Unreadable:
        return 2;
    case Verdict::NotReduced:
    case Verdict::MixedFractionTooLarge:
    case Verdict::NotReducedAndTooLarge:
    case Verdict::WholeAsFraction:
        return 3;
    case Verdict::Wrong:
        break;
    }
    return 4;
}

}  // namespace tobarin
