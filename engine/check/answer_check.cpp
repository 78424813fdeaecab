#include "engine/check/answer_check.h"

#include "engine/check/mistakes.h"
#include "engine/number/reader.h"
#include "engine/solve.h"

#include <string_view>
#include <vector>

namespace tobarin {

namespace {

using wide::Int128;

AnswerCheck unreadable(std::string text)
{
    return {Verdict::Unreadable, std::move(text)};
}

// Why a field's text is no number: it is named where it cannot be seen.
AnswerCheck notANumber(const std::string &text)
{
    if (reading::tokenize(text).error == reading::InvisibleCharacter) {
        return unreadable(std::string(reading::InvisibleCharacter));
    }
    return unreadable(quoted(text) + "は数ではありません。数字で書いてください。");
}

// Why the right value is not finished, as the pupil is told it.
struct Reason {
    Verdict verdict;
    std::string_view text;
};

const std::string_view Close = "おしいです。大きさは合っていますが、";

bool isCommon(const Solution &solution)
{
    return solution.conversion && solution.conversion->asked == AskedForm::Common;
}

// A text without the "=" (or "＝") pupils often write before an answer.
std::string_view withoutEquals(std::string_view text)
{
    std::size_t start = text.find_first_not_of(" \t");
    start = start == std::string_view::npos ? text.size() : start;
    for (const std::string_view equals : {"=", "＝"}) {
        if (text.substr(start).starts_with(equals)) {
            return text.substr(start + equals.size());
        }
    }
    return text;
}

// Of the right value, typed in another form than a conversion asks: why.
std::optional<Reason> askedFormReason(AskedForm asked, const WrittenNumber &answer)
{
    const bool mixed
        = answer.hasWhole && answer.whole != 0 && answer.hasFraction && answer.num != 0;
    const bool decimal = answer.isDecimal();
    switch (asked) {
    case AskedForm::Mixed:
        if (decimal || !mixed || answer.num >= answer.den) {
            return Reason {Verdict::NotAskedForm, "帯分数に直しましょう。"};
        }
        break;
    case AskedForm::Improper:
        if (decimal || mixed) {
            return Reason {Verdict::NotAskedForm, "仮分数に直しましょう。"};
        }
        break;
    case AskedForm::Whole:
        if (decimal || answer.hasFraction) {
            return Reason {Verdict::NotAskedForm, "整数に直しましょう。"};
        }
        break;
    case AskedForm::Reduced:
        if (decimal) {
            return Reason {Verdict::NotAskedForm, "分数で答えましょう。"};
        }
        if (answer.hasFraction && answer.den == 1 && !mixed) {
            return Reason {Verdict::NotAskedForm, "整数に直しましょう。"};
        }
        if (answer.hasFraction && wide::gcd(answer.num, answer.den) > 1) {
            return Reason {
                Verdict::NotReduced, "まだ約分できます。最大公約数でわると、一度で約分できます。"};
        }
        break;
    case AskedForm::Decimal:
        if (!decimal) {
            return Reason {Verdict::NotAskedForm, "小数で答えましょう。"};
        }
        break;
    case AskedForm::Fraction:
        if (decimal) {
            return Reason {Verdict::NotAskedForm, "分数で答えましょう。"};
        }
        break;
    case AskedForm::Common:
        break;
    }
    return std::nullopt;
}

// The right value typed: finished, or what is left to do.
AnswerCheck finishedCheck(const WrittenNumber &answer, Fraction right, Fraction typed);

}  // namespace

Parsed<WrittenNumber> readAnswer(std::string_view text)
{
    return readNumber(withoutEquals(text));
}

Parsed<std::vector<WrittenNumber>> readAnswers(std::string_view text)
{
    return readNumberList(withoutEquals(text));
}

AnswerCheck checkAnswer(const Solution &solution, const std::vector<WrittenNumber> &answers)
{
    if (!isCommon(solution)) {
        return answers.size() == 1 ? checkAnswer(solution, answers.front())
                                   : unreadable("答えは1つの数で書いてください。");
    }
    std::string shown;
    for (const WrittenNumber &answer : answers) {
        if (answer.unending) {
            return {Verdict::UnendingDecimal, "終わらない小数です。分数で答えましょう。"};
        }
        if (!valueOf(answer)) {
            return unreadable("分母に 0 は使えません。");
        }
        shown += (shown.empty() ? "" : ", ") + numberText(answer);
    }
    shown = quoted(shown) + "は、";
    const std::vector<WrittenNumber> &right = solution.answers;
    bool sameValues = answers.size() == right.size();
    bool oneDenominator = true;
    for (std::size_t i = 0; sameValues && i < right.size(); ++i) {
        const WrittenNumber &a = answers[i];
        sameValues = valueOf(a) == valueOf(right[i]);
        oneDenominator = oneDenominator && a.hasFraction && (!a.hasWhole || a.whole == 0)
            && !a.isDecimal() && a.den == answers.front().den;
    }
    if (sameValues && oneDenominator) {
        if (answers.front().den > right.front().den) {
            return {Verdict::NotLeastDenominator,
                shown + std::string(Close) + "もっと小さい分母で通分できます。"};
        }
        return {Verdict::Correct, shown + "正解です。"};
    }
    Hint hint = commonHint(*solution.conversion, answers);
    return {Verdict::Wrong, shown + "答えがちがいます。" + hint.text, hint.id};
}

AnswerCheck checkAnswer(const Problem &problem, const WrittenNumber &answer)
{
    return checkAnswer(solve(problem, AnswerForm::Mixed), answer);
}

AnswerCheck checkAnswer(const Solution &solution, const WrittenNumber &answer)
{
    if (answer.unending) {
        return {Verdict::UnendingDecimal, "終わらない小数です。分数で答えましょう。"};
    }
    const std::optional<Fraction> typed = valueOf(answer);
    if (!typed) {
        return unreadable("分母に 0 は使えません。");
    }

    if (isCommon(solution)) {
        return checkAnswer(solution, std::vector<WrittenNumber> {answer});
    }
    if (!solution.answer) {
        return {Verdict::NoAnswer, "この問題の答えは出せません。" + solution.working.report};
    }
    const Fraction right = valueOf(*solution.answer).value();
    if (*typed != right) {
        // A conversion asks for no rounding: a decimal typed is its own mistake.
        Hint hint = hintFor(solution.mistakes, right, answer, *typed, !solution.conversion);
        return {hint.id == "sign" ? Verdict::WrongSign : Verdict::Wrong,
            "答えがちがいます。" + hint.text, hint.id};
    }
    if (!solution.conversion) {
        return finishedCheck(answer, right, *typed);
    }
    const AskedForm asked = solution.conversion->asked;
    if (const std::optional<Reason> reason = askedFormReason(asked, answer)) {
        return {reason->verdict, std::string(Close) + std::string(reason->text)};
    }
    if (asked == AskedForm::Decimal) {
        return {Verdict::Correct, "正解です。"};
    }
    AnswerCheck check = finishedCheck(answer, right, *typed);
    if (categoryOf(check.verdict) == VerdictCategory::Correct
        && (asked == AskedForm::Mixed || asked == AskedForm::Improper)) {
        // The other form is the problem itself.
        check.text = "正解です。";
    }
    return check;
}

namespace {

AnswerCheck finishedCheck(const WrittenNumber &answer, Fraction right, Fraction typed)
{
    const std::string close(Close);
    if (answer.isDecimal()) {
        return {Verdict::Decimal,
            close
                + (right.isWhole() ? "小数ではなく整数で答えましょう。"
                                   : "小数ではなく分数で答えましょう。")};
    }
    const bool fraction = answer.hasFraction;
    const Int128 whole = answer.hasWhole ? answer.whole : 0;
    std::vector<Reason> reasons;
    if (answer.negative && typed.num == 0) {
        reasons.push_back({Verdict::NegativeZero, "0 にマイナスはつけません。"});
    }
    if (answer.hasWhole && whole == 0 && fraction) {
        reasons.push_back({Verdict::ZeroWhole, "整数の部分の 0 は書きません。"});
    }
    if (fraction && (answer.num == 0 || answer.den == 1)) {
        reasons.push_back({Verdict::WholeAsFraction, "この答えは整数で書けます。"});
    } else {
        if (fraction && wide::gcd(answer.num, answer.den) > 1) {
            reasons.push_back({Verdict::NotReduced, "まだ約分できます。"});
        }
        if (whole != 0 && fraction && answer.num >= answer.den) {
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
    if (whole != 0 && fraction) {
        return {Verdict::CorrectMixed,
            "正解です。仮分数で書くと " + numberText(improperNumberOf(right)) + " です。"};
    }
    if (fraction && answer.num > answer.den) {
        return {Verdict::CorrectImproper,
            "正解です。帯分数で書くと " + numberText(mixedNumberOf(right)) + " です。"};
    }
    return {Verdict::Correct, "正解です。"};
}

}  // namespace

AnswerCheck checkAnswer(const Problem &problem, const TypedOperand &answer)
{
    return checkAnswer(solve(problem, AnswerForm::Mixed), answer);
}

AnswerCheck checkAnswer(const Solution &solution, const TypedOperand &answer)
{
    // Each field: digits, or nothing; the first one that is neither.
    const std::string *unread = nullptr;
    int written = 0;
    for (const Field field : Fields) {
        const auto digits = reading::fieldDigits(answer.field(field));
        written += !digits || !digits->empty() ? 1 : 0;
        unread = !digits && !unread ? &answer.field(field) : unread;
    }
    if (unread) {
        // A single field that holds more than digits is read as the whole
        // answer, as the command line reads one ("1.25", "5/4"); of 通分,
        // the fractions of the answer.
        if (written == 1 && isCommon(solution) && !answer.negative) {
            const Parsed<std::vector<WrittenNumber>> list = readAnswers(*unread);
            return list.value ? checkAnswer(solution, *list.value) : notANumber(*unread);
        }
        const Parsed<WrittenNumber> read
            = written == 1 ? readAnswer(*unread) : Parsed<WrittenNumber> {};
        if (!read.value) {
            return notANumber(*unread);
        }
        if (answer.negative && read.value->negative) {
            return unreadable("マイナスの印と" + quoted(*unread) + "の両方に符号があります。");
        }
        WrittenNumber number = *read.value;
        number.negative = number.negative || answer.negative;
        return checkAnswer(solution, number);
    }
    const std::string whole = *reading::fieldDigits(answer.whole);
    const std::string num = *reading::fieldDigits(answer.num);
    const std::string den = *reading::fieldDigits(answer.den);
    if (whole.empty() && num.empty() && den.empty()) {
        return unreadable("答えが書かれていません。");
    }
    if (num.empty() != den.empty()) {
        return unreadable(den.empty() ? "分母が書かれていません。" : "分子が書かれていません。");
    }
    // The fields hold the parts of one number, as the reader reads it.
    std::string text = whole;
    if (!num.empty()) {
        text += (whole.empty() ? "" : " ") + num + "/" + den;
    }
    Parsed<WrittenNumber> read = readNumber(text);
    if (!read.value) {
        return unreadable(read.error);
    }
    read.value->negative = answer.negative;
    return checkAnswer(solution, *read.value);
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
    case Verdict::NotAskedForm:
    case Verdict::NotLeastDenominator:
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
