#include "engine/practice/units.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace tobarin::practice {

namespace {

constexpr std::array<UnitInfo, 14> Units {{
    {Unit::Like4, "4-like", "小4 分母が同じ分数のたし算・ひき算", {Tag::OverOne},
        AnswerForm::Mixed},
    {Unit::Unlike5, "5-unlike", "小5 分母がちがう分数のたし算・ひき算",
        {Tag::Multiple, Tag::Coprime, Tag::Shared, Tag::Reduce}, AnswerForm::Mixed},
    {Unit::Mixed5, "5-mixed", "小5 帯分数のたし算・ひき算",
        {Tag::Carry, Tag::Borrow, Tag::WholeMinus}, AnswerForm::Mixed},
    {Unit::TimesWhole6, "6-times-whole", "小6 分数×整数・分数÷整数", {Tag::Whole, Tag::Cancel},
        AnswerForm::Mixed},
    {Unit::Times6, "6-times", "小6 分数のかけ算", {Tag::Cancel, Tag::Mixed}, AnswerForm::Mixed},
    {Unit::Divide6, "6-divide", "小6 分数のわり算", {Tag::Cancel, Tag::Mixed, Tag::WholeAnswer},
        AnswerForm::Mixed},
    {Unit::Signed7, "7-signed", "中1 正の数・負の数", {Tag::Neg1, Tag::Neg2, Tag::Zero},
        AnswerForm::Improper},
    {Unit::Three6, "6-three", "小6 分数・小数・整数のかけ算とわり算",
        {Tag::Decimal, Tag::Whole, Tag::Mixed, Tag::Divide, Tag::Cancel}, AnswerForm::Mixed},
    {Unit::Order6, "6-order", "小6 計算の順序", {Tag::TimesFirst, Tag::Paren, Tag::Decimal},
        AnswerForm::Mixed},
    {Unit::Mixed7, "7-mixed", "中1 正負の数の四則", {Tag::Neg, Tag::Paren, Tag::Power, Tag::Order},
        AnswerForm::Improper},
    {Unit::Convert4, "4-convert", "小4 仮分数と帯分数",
        {Tag::ToMixed, Tag::ToImproper, Tag::ToWhole}, AnswerForm::Mixed},
    {Unit::Reduce5, "5-reduce", "小5 約分", {Tag::GcdSmall, Tag::GcdLarge, Tag::ToWhole},
        AnswerForm::Mixed},
    {Unit::Common5, "5-common", "小5 通分", {Tag::Multiple, Tag::Coprime, Tag::Shared},
        AnswerForm::Mixed},
    {Unit::Decimal5, "5-decimal", "小5 分数と小数", {Tag::ToDecimal, Tag::ToFraction, Tag::Reduce},
        AnswerForm::Mixed},
}};

constexpr std::array<LevelLimits, 3> Levels {{
    {1, 10, 30, 3, 3, 100},
    {2, 12, 36, 5, 3, 300},
    {3, 20, 72, 9, 5, 1000},
}};

}  // namespace

std::span<const UnitInfo> units()
{
    return Units;
}

const UnitInfo &unitInfo(Unit unit)
{
    return Units.at(static_cast<std::size_t>(unit));
}

std::optional<Unit> unitNamed(std::string_view id)
{
    for (const UnitInfo &info : Units) {
        if (info.id == id) {
            return info.unit;
        }
    }
    return std::nullopt;
}

TagSet promisedTags(Unit unit)
{
    return unitInfo(unit).named.without({Tag::Improper, Tag::Zero});
}

int LevelLimits::wholeParts(Operation operation) const
{
    return operation == Operation::Add || operation == Operation::Subtract
        ? wholePartsAddSubtract
        : wholePartsMultiplyDivide;
}

int LevelLimits::improperBelow() const
{
    return std::min(wholePartsAddSubtract, wholePartsMultiplyDivide) + 1;
}

const LevelLimits &levelLimits(int level)
{
    if (level < LowestLevel || level > HighestLevel) {
        throw std::out_of_range("a level is 1, 2 or 3");
    }
    return Levels.at(static_cast<std::size_t>(level - LowestLevel));
}

}  // namespace tobarin::practice
