#include "engine/working/working.h"

#include <algorithm>

namespace tobarin {

namespace {

// The width of a text in columns: every character one column wide (the
// working's texts hold ASCII, ×, ÷ and nothing wider), so the count of UTF-8
// sequences.
std::size_t columns(std::string_view text)
{
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(),
        [](char c) { return (static_cast<unsigned char>(c) & 0xC0U) != 0x80U; }));
}

}  // namespace

std::string_view noteText(Note note)
{
    switch (note) {
    case Note::Problem:
        return "";
    case Note::ChangeSubtractedSign:
        return "ひく数の符号を変えてたす";
    case Note::RemoveParentheses:
        return "かっこをはずす";
    case Note::MakeImproper:
        return "帯分数を仮分数に直す";
    case Note::Reduce:
        return "約分する";
    case Note::CommonDenominator:
        return "通分する";
    case Note::WholeAsFraction:
        return "整数を分数に直す";
    case Note::DecideSign:
        return "符号を決める";
    case Note::Borrow:
        return "くり下げる";
    case Note::Carry:
        return "くり上げる";
    case Note::QuotientAsFraction:
        return "商を分数で表す";
    case Note::Reciprocal:
        return "わる数の逆数をかける";
    case Note::MultiplyAcross:
        return "分子どうし、分母どうしをかける";
    case Note::MultiplyNumeratorByWhole:
        return "分母はそのままにして、分子に整数をかける";
    case Note::MultiplyDenominatorByWhole:
        return "分子はそのままにして、分母に整数をかける";
    case Note::CancelAcross:
        return "途中で約分する";
    case Note::Calculate:
        return "計算する";
    case Note::MakeMixed:
        return "帯分数に直す";
    case Note::MakeImproperAnswer:
        return "仮分数に直す";
    case Note::DecimalsAsFractions:
        return "小数を分数に直す";
    case Note::Powers:
        return "累乗を計算する";
    case Note::MultiplyFirst:
        return "かけ算を先に計算する";
    case Note::DivideFirst:
        return "わり算を先に計算する";
    case Note::MultiplyDivideFirst:
        return "かけ算・わり算を先に計算する";
    case Note::Reorder:
        return "項を並べかえる";
    case Note::GatherTerms:
        return "正の項どうし、負の項どうしをまとめる";
    case Note::MakeWhole:
        return "整数に直す";
    case Note::ImproperNumerator:
        return "分母×整数＋分子";
    case Note::NumeratorByDenominator:
        return "分子を分母でわる";
    case Note::DivideWithRemainder:
    case Note::DivideByGcd:
    case Note::LcmAsDenominator:
    case Note::DecimalUnits:
        break;  // the step's words
    }
    return "";
}

std::string stepNote(const Step &step)
{
    if (!step.words.empty()) {
        return step.words;
    }
    const std::string_view note = noteText(step.note);
    if (!step.inParentheses || note.empty()) {
        return std::string(note);
    }
    const bool wholeStep = step.note == Note::CommonDenominator || step.note == Note::Calculate
        || step.note == Note::Reduce || step.note == Note::MakeWhole;
    return (wholeStep ? "かっこの中を" : "かっこの中の") + std::string(note);
}

std::string stepText(const Step &step)
{
    // Each note stands two blanks or more after its line, and never before
    // column 20, so that short lines put their notes in one column.
    constexpr std::size_t NarrowestWidth = 19;
    std::string text = (step.note == Note::Problem ? "" : "= ") + expressionText(step.expression);
    if (const std::string note = stepNote(step); !note.empty()) {
        text += std::string(std::max(NarrowestWidth, columns(text) + 2) - columns(text), ' ');
        text += note;
    }
    return text;
}

std::string workingText(const Working &working, bool withReport)
{
    std::string text;
    for (const Step &step : working.steps) {
        text += stepText(step) + "\n";
    }
    if (withReport && !working.report.empty()) {
        text += working.report + "\n";
    }
    return text;
}

}  // namespace tobarin
