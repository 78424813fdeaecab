#include "engine/practice/sheet.h"

#include "engine/practice/conversion_sets.h"
#include "engine/working/rewrite.h"

namespace tobarin::practice {

namespace {

// One margin for every front-end: the desktop's PDF and the page's print.
constexpr int MarginMillimetres = 12;
constexpr int QrMillimetres = 24;

constexpr SheetWords Words {"　月　日", "　年　組　番", "名前", "点数", "／",
    "タブレットで練習・答え合わせ", "解答", "途中式", "見直し"};

}  // namespace

SheetLayout sheetLayout(Unit unit)
{
    switch (unit) {
    case Unit::Like4:
    case Unit::Unlike5:
    case Unit::Mixed5:
        return {MarginMillimetres, 2, 10, 16, 35, QrMillimetres};
    default:
        break;
    }
    return {MarginMillimetres, 2, 20, 14, 0, QrMillimetres};
}

SheetLayout sheetLayout(Unit unit, double widestProblemMillimetres)
{
    SheetLayout layout = sheetLayout(unit);
    if (2 * widestProblemMillimetres > PaperWidthMillimetres - 2 * layout.marginMillimetres) {
        layout.columns = 1;
        layout.problemsAPage = SheetOneColumnProblems;
    }
    return layout;
}

std::string sheetInstruction(Unit unit)
{
    // A conversion unit's problems ask for a form, not a calculation: a 通分
    // answer in particular is not to be reduced.
    switch (unit) {
    case Unit::Convert4:
        return "仮分数は帯分数か整数に、帯分数は仮分数に直しましょう。";
    case Unit::Reduce5:
        return "約分しましょう。";
    case Unit::Common5:
        return "通分しましょう。";
    case Unit::Decimal5:
        return "分数は小数で、小数は分数で表しましょう。";
    default:
        break;
    }
    std::string line = "つぎの計算をしましょう。約分できるときは約分しましょう。";
    if (unitInfo(unit).answerForm == AnswerForm::Improper) {
        line += "仮分数で答えましょう。";
    }
    return line;
}

const SheetWords &sheetWords()
{
    return Words;
}

bool keyShowsBothForms(Unit unit, const WrittenNumber &answer)
{
    // A conversion's key writes the form it asks for alone.
    return unitInfo(unit).answerForm == AnswerForm::Mixed && answer.isMixed()
        && !isConversionUnit(unit);
}

std::string keyText(Unit unit, const WrittenNumber &answer)
{
    std::string text = numberText(answer);
    if (keyShowsBothForms(unit, answer)) {
        text += " (" + numberText(rewrite::improperOf(answer)) + ")";
    }
    return text;
}

}  // namespace tobarin::practice
