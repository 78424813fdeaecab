// The worksheet's page for each unit, its instruction line, and how the key
// writes an answer.

#include "engine/practice/conversion_sets.h"
#include "engine/practice/sheet.h"

#include <gtest/gtest.h>
#include <string>

namespace tobarin::practice {
namespace {

// The younger pupils' units get big digits, room to write and fewer problems
// a page; every unit keeps one margin clear of the printer's edge.
TEST(Sheet, LayoutBySchoolYear)
{
    const int margin = sheetLayout(Unit::Like4).marginMillimetres;
    EXPECT_GE(margin, 10);
    for (const UnitInfo &unit : units()) {
        SCOPED_TRACE(std::string(unit.id));
        const SheetLayout sheet = sheetLayout(unit.unit);
        const bool younger
            = unit.unit == Unit::Like4 || unit.unit == Unit::Unlike5 || unit.unit == Unit::Mixed5;
        EXPECT_EQ(sheet.marginMillimetres, margin);
        EXPECT_EQ(sheet.columns, 2);
        EXPECT_EQ(sheet.problemsAPage % sheet.columns, 0);
        EXPECT_LE(sheet.problemsAPage, younger ? 12 : 20);
        EXPECT_GE(sheet.digitPoints, younger ? 16 : 14);
        EXPECT_GE(sheet.writeMillimetres, younger ? 35 : 0);
    }
}

// A problem wider than half the width within the margins: one column of 10.
TEST(Sheet, WideProblemsStandInOneColumn)
{
    for (const UnitInfo &unit : units()) {
        const SheetLayout usual = sheetLayout(unit.unit);
        const double half = (PaperWidthMillimetres - 2 * usual.marginMillimetres) / 2.0;
        EXPECT_EQ(sheetLayout(unit.unit, half).columns, usual.columns) << unit.id;
        const SheetLayout wide = sheetLayout(unit.unit, half + 0.5);
        EXPECT_EQ(wide.columns, 1) << unit.id;
        EXPECT_EQ(wide.problemsAPage, 10) << unit.id;
    }
}

TEST(Sheet, InstructionAsksForImproperFractionsWhereTheUnitDoes)
{
    const std::string common = "つぎの計算をしましょう。約分できるときは約分しましょう。";
    for (const UnitInfo &unit : units()) {
        if (isConversionUnit(unit.unit)) {
            // A form is asked for, not a calculation; a 通分 answer is never reduced.
            EXPECT_EQ(sheetInstruction(unit.unit).find("計算"), std::string::npos) << unit.id;
            if (unit.unit == Unit::Common5) {
                EXPECT_EQ(sheetInstruction(unit.unit).find("約分"), std::string::npos);
            }
            continue;
        }
        EXPECT_EQ(sheetInstruction(unit.unit),
            unit.answerForm == AnswerForm::Improper ? common + "仮分数で答えましょう。" : common)
            << unit.id;
    }
}

TEST(Sheet, KeyWritesBothFormsOfAMixedAnswerWhereTheUnitTakesEither)
{
    const struct {
        Unit unit;
        WrittenNumber answer;
        std::string key;
    } cases[] = {
        {Unit::Mixed5, mixedNumber(false, 1, 1, 6), "1 1/6 (7/6)"},
        {Unit::Divide6, mixedNumber(false, 12, 3, 4), "12 3/4 (51/4)"},
        {Unit::Unlike5, fractionNumber(5, 6), "5/6"}, {Unit::Like4, wholeNumber(3), "3"},
        {Unit::Signed7, fractionNumber(7, 6, true), "-7/6"},
        {Unit::Signed7, mixedNumber(true, 1, 1, 6), "-1 1/6"},  // one form: as given
    };
    for (const auto &c : cases) {
        EXPECT_EQ(keyText(c.unit, c.answer), c.key);
    }
}

}  // namespace
}  // namespace tobarin::practice
