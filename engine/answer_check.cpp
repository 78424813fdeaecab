#include "engine/answer_check.h"

#include "engine/solve.h"
#include "engine/wide.h"

#include <array>
#include <string_view>
#include <vector>

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

// Why the right value is not finished, as the pupil is told it.
struct Reason {
    Verdict verdict;
    std::string_view text;
};

}  // namespace

AnswerCheck checkAnswer(const Problem &problem, const WrittenNumber &answer)
{
    const bool hasDen = !answer.den.empty();
    const bool hasNum = !answer.num.empty();
    if (!hasDen && !hasNum && answer.whole.empty() && !answer.isDecimal()) {
        return unreadable("答えが書かれていません。");
    }
    if (hasNum != hasDen) {
        return unreadable(hasDen ? "分子が書かれていません。" : "分母が書かれていません。");
    }
    if (answer.unending) {
        return {Verdict::UnendingDecimal, "終わらない小数です。分数で答えましょう。"};
    }
    // Each part: digits, or nothing.
    std::array<Int128, 4> values {};
    const std::array<const std::string *, 4> parts {
        &answer.whole, &answer.num, &answer.den, &answer.decimals};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const auto value = wide::digitsValue(*parts[i]);
        if (!value) {
            return unreadable(quoted(*parts[i]) + "は桁が多すぎます。");
        }
        values[i] = *value;
    }
    const auto [whole, num, writtenDen, decimals] = values;
    Int128 den = hasDen ? writtenDen : 1;
    if (den == 0) {
        return unreadable("分母に 0 は使えません。");
    }
    // A decimal is its digits over a power of ten.
    Int128 size = whole * den + num;
    if (answer.isDecimal()) {
        den = 1;
        for (std::size_t i = 0; i < answer.decimals.size(); ++i) {
            den *= 10;
        }
        size = whole * den + decimals;
    }

    // The problem's answer, as Calculate shows it.
    const Solution solution = solve(problem, AnswerForm::Mixed);
    const auto rightValue = answerValue(solution.answer);
    if (!rightValue) {
        return {Verdict::NoAnswer, "この問題の答えは出せません。" + solution.working.report};
    }
    const Exact right = lowest(rightValue->num, rightValue->den);
    const Exact typed = lowest(answer.negative ? -size : size, den);
    if (typed != right) {
        if (right.num != 0 && typed == Exact {-right.num, right.den}) {
            return {Verdict::WrongSign, "答えがちがいます。符号をたしかめてみましょう。"};
        }
        return {Verdict::Wrong, "答えがちがいます。もう一度計算してみましょう。"};
    }

    const std::string close = "おしいです。大きさは合っていますが、";
    if (answer.isDecimal()) {
        return {Verdict::Decimal,
            close
                + (right.den == 1 ? "小数ではなく整数で答えましょう。"
                                  : "小数ではなく分数で答えましょう。")};
    }
    std::vector<Reason> reasons;
    if (answer.negative && size == 0) {
        reasons.push_back({Verdict::NegativeZero, "0 にマイナスはつけません。"});
    }
    if (!answer.whole.empty() && whole == 0 && hasDen) {
        reasons.push_back({Verdict::ZeroWhole, "整数の部分の 0 は書きません。"});
    }
    if (hasDen && (num == 0 || den == 1)) {
        reasons.push_back({Verdict::WholeAsFraction, "この答えは整数で書けます。"});
    } else {
        if (hasDen && wide::gcd(num, den) > 1) {
            reasons.push_back({Verdict::NotReduced, "まだ約分できます。"});
        }
        if (whole != 0 && hasDen && num >= den) {
            reasons.push_back(
                {Verdict::MixedFractionTooLarge, "帯分数の分数の部分が 1 以上になっています。"});
        }
    }
    if (!reasons.empty()) {
        Verdict verdict = reasons.front().verdict;
        if (reasons.size() == 2 && verdict == Verdict::NotReduced) {
            verdict = Verdict::NotReducedAndTooLarge;
        }
        std::string text = close;
        for (std::size_t i = 0; i < reasons.size(); ++i) {
            text += (i > 0 ? "また、" : "") + std::string(reasons[i].text);
        }
        return {verdict, text};
    }
    if (whole != 0 && hasDen) {
        return {Verdict::CorrectMixed,
            "正解です。仮分数で書くと " + improperAnswerText(solution.answer) + " です。"};
    }
    if (hasDen && num > den) {
        return {Verdict::CorrectImproper,
            "正解です。帯分数で書くと " + answerText(solution.answer) + " です。"};
    }
    return {Verdict::Correct, "正解です。"};
}

AnswerCheck checkAnswer(const Problem &problem, const TypedOperand &answer)
{
    WrittenNumber number;
    number.negative = answer.negative;
    const std::string *unread = nullptr;  // the first field that is not digits
    int written = 0;
    for (const Field field : Fields) {
        const std::string &text = answer.field(field);
        const auto digits = fieldDigits(text);
        written += !digits || !digits->empty() ? 1 : 0;
        if (!digits) {
            unread = unread ? unread : &text;
            continue;
        }
        (field == Field::Denominator        ? number.den
                : field == Field::Numerator ? number.num
                                            : number.whole)
            = *digits;
    }
    if (unread) {
        const Parsed<WrittenNumber> read
            = written == 1 ? readNumber(*unread) : Parsed<WrittenNumber> {};
        if (!read.value) {
            return unreadable(quoted(*unread) + "は数ではありません。数字で書いてください。");
        }
        if (answer.negative && read.value->negative) {
            return unreadable("マイナスの印と" + quoted(*unread) + "の両方に符号があります。");
        }
        number = *read.value;
        number.negative = number.negative || answer.negative;
    }
    return checkAnswer(problem, number);
}

VerdictCategory categoryOf(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Correct:
    case Verdict::CorrectMixed:
    case Verdict::CorrectImproper:
        return VerdictCategory::Correct;
    case Verdict::NegativeZero:
    case Verdict::ZeroWhole:
    case Verdict::WholeAsFraction:
    case Verdict::NotReduced:
    case Verdict::MixedFractionTooLarge:
    case Verdict::NotReducedAndTooLarge:
    case Verdict::Decimal:
        return VerdictCategory::Close;
    case Verdict::NoAnswer:
        return VerdictCategory::NoAnswer;
    case Verdict::Unreadable:
    case Verdict::UnendingDecimal:
        return VerdictCategory::Unreadable;
    case Verdict::Wrong:
    case Verdict::WrongSign:
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
