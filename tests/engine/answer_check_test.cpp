// The answer check: a typed answer against Calculate's answer, each row the
// verdict, what the pupil is told and the command line's exit status. The
// first table types into the fields, the second writes the answer as text,
// grouped by what the pupil did.

#include "engine/check/answer_check.h"
#include "engine/problem/problem.h"
#include "engine/window/problem_text.h"
#include "tests/engine/test_support.h"

#include <gtest/gtest.h>
#include <string>

namespace tobarin {
namespace {

struct CheckCase {
    const char *problem;
    TypedOperand typed;
    Verdict verdict;
    int status;
    const char *text;

    friend void PrintTo(const CheckCase &row, std::ostream *os)
    {
        *os << row.problem << " → " << (row.typed.negative ? "-" : "") << row.typed.whole << "|"
            << row.typed.num << "|" << row.typed.den;
    }
};

TypedOperand typed(const char *whole, const char *num, const char *den, bool negative = false)
{
    return {den, num, whole, negative};
}

class AnswerCheckTable : public ::testing::TestWithParam<CheckCase> { };

TEST_P(AnswerCheckTable, GivesTheVerdict)
{
    const CheckCase &c = GetParam();
    const AnswerCheck check = checkAnswer(readProblem(c.problem).value.value(), c.typed);
    EXPECT_EQ(check.verdict, c.verdict);
    EXPECT_EQ(check.text, c.text);
    EXPECT_EQ(exitStatus(check.verdict), c.status);
}

constexpr const char *Close = "おしいです。大きさは合っていますが、";
const std::string Reducible = std::string(Close) + "まだ約分できます。";
const std::string TooLarge = std::string(Close) + "帯分数の分数の部分が 1 以上になっています。";
const std::string Both = Reducible + "また、帯分数の分数の部分が 1 以上になっています。";
const std::string Whole = std::string(Close) + "この答えは整数で書けます。";
constexpr const char *Wrong = "答えがちがいます。もう一度計算してみましょう。";
constexpr const char *WrongSign = "答えがちがいます。符号をたしかめてみましょう。";
const std::string Decimal = std::string(Close) + "小数ではなく分数で答えましょう。";
constexpr const char *Rounded
    = "答えがちがいます。わり切れない小数にしていませんか。分数で答えましょう。";
constexpr const char *Unending = "終わらない小数です。分数で答えましょう。";
constexpr const char *Sum = "1 2/3 + 3/4";
// -943067965/23239372 + 1090720486/26877871: cross products beyond 2^53.
constexpr const char *Large = "-943067965/23239372 - -1090720486/26877871";

INSTANTIATE_TEST_SUITE_P(Verdicts, AnswerCheckTable,
    ::testing::Values(CheckCase {Sum, typed("2", "5", "12"), Verdict::CorrectMixed, 0,
                          "正解です。仮分数で書くと 29/12 です。"},
        CheckCase {Sum, typed("", "29", "12"), Verdict::CorrectImproper, 0,
            "正解です。帯分数で書くと 2 5/12 です。"},
        CheckCase {Sum, typed("２", "５", "１２"), Verdict::CorrectMixed, 0,
            "正解です。仮分数で書くと 29/12 です。"},
        CheckCase {Sum, typed("", "58", "24"), Verdict::NotReduced, 3, Reducible.c_str()},
        CheckCase {
            Sum, typed("1", "17", "12"), Verdict::MixedFractionTooLarge, 3, TooLarge.c_str()},
        CheckCase {Sum, typed("1", "34", "24"), Verdict::NotReducedAndTooLarge, 3, Both.c_str()},
        CheckCase {Sum, typed("2", "5", "13"), Verdict::Wrong, 4, Wrong},
        CheckCase {Sum, typed("2", "5", "12", true), Verdict::WrongSign, 4, WrongSign},
        CheckCase {"1/3 - 1/2", typed("", "1", "6", true), Verdict::Correct, 0, "正解です。"},
        CheckCase {"1/3 + 2/3", typed("1", "", ""), Verdict::Correct, 0, "正解です。"},
        CheckCase {"1/3 + 2/3", typed("", "1", "1"), Verdict::WholeAsFraction, 3, Whole.c_str()},
        CheckCase {"1/2 - 1/2", typed("0", "", ""), Verdict::Correct, 0, "正解です。"},
        CheckCase {
            Large, typed("", "14672277", "624624842737012"), Verdict::Correct, 0, "正解です。"},
        CheckCase {Large, typed("", "29344554", "1249249685474024"), Verdict::NotReduced, 3,
            Reducible.c_str()},
        CheckCase {Large, typed("", "14672278", "624624842737012"), Verdict::Wrong, 4, Wrong},
        CheckCase {"1/0 + 1", typed("1", "", ""), Verdict::NoAnswer, 1,
            "この問題の答えは出せません。分母を１以上の整数にしてください。"},
        CheckCase {"1 ÷ 0", typed("1", "", ""), Verdict::NoAnswer, 1,
            "この問題の答えは出せません。実行時エラー 11: 0 でわることはできません。"},
        CheckCase {
            Sum, typed("", "", "", true), Verdict::Unreadable, 2, "答えが書かれていません。"},
        CheckCase {Sum, typed("2", "5", ""), Verdict::Unreadable, 2, "分母が書かれていません。"},
        CheckCase {Sum, typed("", "5", "0"), Verdict::Unreadable, 2, "分母に 0 は使えません。"},
        CheckCase {Sum, typed("2", "x", "12"), Verdict::Unreadable, 2,
            "「x」は数ではありません。数字で書いてください。"},
        // A field alone may hold the whole answer; the sign box stands before it.
        CheckCase {
            "1/4 - 3/2", typed("", "", "１．２５", true), Verdict::Decimal, 3, Decimal.c_str()},
        CheckCase {"1/4 - 3/2", typed("-5/4", "", "", true), Verdict::Unreadable, 2,
            "マイナスの印と「-5/4」の両方に符号があります。"}),
    testing::ByText {});

struct WrittenCase {
    const char *problem;
    const char *answer;
    Verdict verdict;
    int status;
    std::string text;

    friend void PrintTo(const WrittenCase &row, std::ostream *os)
    {
        *os << row.problem << " → " << row.answer;
    }
};

class WrittenAnswer : public ::testing::TestWithParam<WrittenCase> { };

TEST_P(WrittenAnswer, GivesTheVerdict)
{
    const WrittenCase &c = GetParam();
    const Parsed<WrittenNumber> answer = readNumber(c.answer);
    const AnswerCheck check = answer.value
        ? checkAnswer(readProblem(c.problem).value.value(), *answer.value)
        : AnswerCheck {Verdict::Unreadable, answer.error};
    EXPECT_EQ(check.verdict, c.verdict);
    EXPECT_EQ(check.text, c.text);
    EXPECT_EQ(exitStatus(check.verdict), c.status);
}

constexpr const char *Negative = "1/4 - 3/2";  // -5/4
constexpr const char *Zero = "1/2 - 1/2";
const std::string Improper = "正解です。帯分数で書くと -1 1/4 です。";
const std::string Mixed = "正解です。仮分数で書くと 29/12 です。";
const std::string NegativeMixed = "正解です。仮分数で書くと -5/4 です。";

INSTANTIATE_TEST_SUITE_P(FullWidth, WrittenAnswer,
    ::testing::Values(WrittenCase {Sum, "２と５／１２", Verdict::CorrectMixed, 0, Mixed},
        // Read aloud, the denominator first.
        WrittenCase {
            Sum, "12分の29", Verdict::CorrectImproper, 0, "正解です。帯分数で書くと 2 5/12 です。"},
        WrittenCase {Sum, "２と１２分の５", Verdict::CorrectMixed, 0, Mixed},
        // A character that cannot be seen is named, never dropped; a long text is cut.
        WrittenCase {Sum, "2\u200B5/12", Verdict::Unreadable, 2, "見えない文字があります。"},
        WrittenCase {Sum, "123456789012345678901234567890", Verdict::Unreadable, 2,
            "「12345678901234567890…」は桁が多すぎます。"},
        WrittenCase {Sum, "２\u3000５／１２", Verdict::CorrectMixed, 0, Mixed}),
    testing::ByText {});
INSTANTIATE_TEST_SUITE_P(MinusSigns, WrittenAnswer,
    ::testing::Values(WrittenCase {Negative, "－５／４", Verdict::CorrectImproper, 0, Improper},
        WrittenCase {Negative, "\u22125/4", Verdict::CorrectImproper, 0, Improper},
        WrittenCase {Negative, "ー１と１／４", Verdict::CorrectMixed, 0, NegativeMixed},
        WrittenCase {Negative, "-1 1/4", Verdict::CorrectMixed, 0, NegativeMixed},
        WrittenCase {Sum, "＋２と５／１２", Verdict::CorrectMixed, 0, Mixed}),
    testing::ByText {});
INSTANTIATE_TEST_SUITE_P(Parentheses, WrittenAnswer,
    ::testing::Values(WrittenCase {Negative, "(-5/4)", Verdict::CorrectImproper, 0, Improper},
        WrittenCase {Negative, "-(5/4)", Verdict::CorrectImproper, 0, Improper},
        WrittenCase {Negative, "（－５／４）", Verdict::CorrectImproper, 0, Improper},
        WrittenCase {
            Negative, "-(-5/4)", Verdict::Unreadable, 2, "「-(-5/4)」には符号が2つあります。"},
        WrittenCase {Negative, "(-5/4", Verdict::Unreadable, 2,
            "「(-5/4」の「(」を閉じるかっこがありません。"}),
    testing::ByText {});
INSTANTIATE_TEST_SUITE_P(Decimals, WrittenAnswer,
    ::testing::Values(WrittenCase {Negative, "－１．２５", Verdict::Decimal, 3, Decimal},
        WrittenCase {"1/2 + 5/2", "3.0", Verdict::Decimal, 3,
            std::string(Close) + "小数ではなく整数で答えましょう。"},
        WrittenCase {Negative, "-1.2", Verdict::Wrong, 4, Rounded},
        WrittenCase {"1/3 + 1/3", "0.666…", Verdict::UnendingDecimal, 2, Unending},
        WrittenCase {"1/6 + 1/6", "0.333...", Verdict::UnendingDecimal, 2, Unending}),
    testing::ByText {});
INSTANTIATE_TEST_SUITE_P(Unfinished, WrittenAnswer,
    ::testing::Values(WrittenCase {Zero, "-0", Verdict::NegativeZero, 3,
                          std::string(Close) + "0 にマイナスはつけません。"},
        WrittenCase {Negative, "-0 5/4", Verdict::ZeroWhole, 3,
            std::string(Close) + "整数の部分の 0 は書きません。"},
        WrittenCase {Negative, "-0 10/8", Verdict::ZeroWhole, 3,
            std::string(Close) + "整数の部分の 0 は書きません。また、まだ約分できます。"}),
    testing::ByText {});
INSTANTIATE_TEST_SUITE_P(WrongSign, WrittenAnswer,
    ::testing::Values(WrittenCase {Sum, "-2 5/12", Verdict::WrongSign, 4, WrongSign},
        WrittenCase {Negative, "10/8", Verdict::WrongSign, 4, WrongSign},
        WrittenCase {Negative, "1.25", Verdict::WrongSign, 4, WrongSign},
        WrittenCase {Sum, "-2 5/13", Verdict::Wrong, 4, Wrong}),
    testing::ByText {});

}  // namespace
}  // namespace tobarin
