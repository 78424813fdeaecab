#pragma once

#include "engine/number/written_number.h"
#include "engine/problem/problem.h"
#include "engine/solve.h"

#include <string>
#include <string_view>

namespace tobarin {

// The answer check (答え合わせ): a pupil's answer to a problem, written as
// one number (the command line's ANSWER) or typed into four fields (sign,
// integer part, numerator, denominator, as a TypedOperand), against the answer
// Calculate gives for the problem. Values are compared exactly. No verdict
// but a right one tells the answer; a wrong one says 「答えがちがいます。」 and
// the hint of the known mistake its value shows (engine/check/mistakes.h),
// which tells nothing of the answer.
enum class Verdict {
    Correct,  // right, in the only form it has: a whole number, zero, a proper fraction
    CorrectMixed,  // right, as a mixed number
    CorrectImproper,  // right, as an improper fraction
    // The right value, not finished. Where more than one of these holds, the
    // verdict is the first, and what the pupil is told names each of them;
    // NotReducedAndTooLarge stands for that pair alone.
    NegativeZero,  // zero with a minus: "-0"
    ZeroWhole,  // an integer part of 0 before a fraction: "0 5/4", "-0 5/4"
    WholeAsFraction,  // a fraction where a whole number is meant
    NotReduced,  // not in lowest terms
    MixedFractionTooLarge,  // a mixed number whose fraction is 1 or more
    NotReducedAndTooLarge,  // both of these
    Decimal,  // the right value as a decimal that ends: "1.25"
    // Of a conversion: the right value in another form than the one asked
    // (the reason names the form), and a 通分 over a common denominator that
    // is not the least.
    NotAskedForm,
    NotLeastDenominator,
    Wrong,
    WrongSign,  // wrong, and the one mistake it shows is the sign
    NoAnswer,  // the problem has none: the denominator message or a run-time error
    Unreadable,  // the typed answer lacks a number or holds something else
    UnendingDecimal,  // a decimal that does not end ("0.333..."), which has no exact value
};

// What a verdict comes to, for how it is shown: right, the right value not
// finished, wrong, no answer to check against, nothing to check.
enum class VerdictCategory { Correct, Close, Wrong, NoAnswer, Unreadable };
[[nodiscard]] VerdictCategory categoryOf(Verdict verdict);

struct AnswerCheck {
    Verdict verdict;
    std::string text;  // what the pupil is told, in Japanese
    // Of a wrong answer, the known mistake it shows (engine/check/mistakes.h),
    // or empty where it shows none for sure.
    std::string_view mistake = {};
};

// An answer as typed: one number as readNumber reads it, a leading "=" (or
// "＝") before it ignored, as pupils often write one.
[[nodiscard]] Parsed<WrittenNumber> readAnswer(std::string_view text);
// An answer of several numbers (通分), as readNumberList reads them.
[[nodiscard]] Parsed<std::vector<WrittenNumber>> readAnswers(std::string_view text);

// An answer as the reader read it (readNumber), to a problem solved here, or
// to one already solved (in either answer form).
[[nodiscard]] AnswerCheck checkAnswer(const Problem &problem, const WrittenNumber &answer);
[[nodiscard]] AnswerCheck checkAnswer(const Solution &solution, const WrittenNumber &answer);
// An answer of several numbers: to 通分, checked as a whole and shown back
// in the verdict as it was read; to any other problem, one number is checked
// as above, and more than one is not an answer.
[[nodiscard]] AnswerCheck checkAnswer(
    const Solution &solution, const std::vector<WrittenNumber> &answers);

// An answer typed into the fields: each field digits (ASCII or full-width), or
// blank. Where a single field is written and holds more than digits, its text
// is read as the whole answer, as the command line reads one ("1.25", "5/4"),
// with the sign box as a minus in front of it.
[[nodiscard]] AnswerCheck checkAnswer(const Problem &problem, const TypedOperand &answer);
[[nodiscard]] AnswerCheck checkAnswer(const Solution &solution, const TypedOperand &answer);

// The command line's exit status: 0 right, 3 the right value not finished
// (a decimal that ends among them), 4 wrong, 1 the problem has no answer, 2
// the typed answer cannot be read (a decimal that does not end among them).
[[nodiscard]] int exitStatus(Verdict verdict);

}  // namespace tobarin
