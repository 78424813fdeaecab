#include "engine/number/runtime_error.h"
#include "engine/window/events.h"
#include "engine/window/handlers.h"
#include "tests/engine/fake_form.h"
#include "tests/engine/test_support.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace tobarin {
namespace {

using testing::FakeForm;

// --- Leaving an entry field ---------------------------------------------------

struct LostFocusCase {
    const char *name;
    std::string before;
    std::string after;  // the field keeps `before` when there is an error
    int error = 0;

    friend void PrintTo(const LostFocusCase &row, std::ostream *os) { *os << row.name; }
};

class LeavingAField : public ::testing::TestWithParam<LostFocusCase> { };

TEST_P(LeavingAField, NormalisesItsTextAndEmptiesTheHint)
{
    const LostFocusCase &c = GetParam();
    // Both arrays and every index behave alike; the hint stays on an error.
    for (const ControlArray fields : {Text1, Text2}) {
        for (int index = 0; index < 3; ++index) {
            FakeForm form;
            const ControlId field = fields[index];
            form.setText(field, c.before);
            ASSERT_EQ(raiseEvent(form, field, Event::GotFocus), std::nullopt);
            const std::string hint = form.caption(Label7);

            const auto report = raiseEvent(form, field, Event::LostFocus);

            EXPECT_EQ(report ? report->number : 0, c.error) << field.objectName();
            if (report) {
                EXPECT_EQ(report->when, Report::AfterFocusMove);
            }
            EXPECT_EQ(form.text(field), c.error ? c.before : c.after) << field.objectName();
            EXPECT_EQ(form.caption(Label7), c.error ? hint : "") << field.objectName();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Table, LeavingAField,
    ::testing::Values(LostFocusCase {"Empty", "", ""}, LostFocusCase {"LoneMinus", "-", ""},
        LostFocusCase {"TwoMinuses", "--", "0"}, LostFocusCase {"Plus", "+", "0"},
        LostFocusCase {"TrailingLetter", "12a", "12"}, LostFocusCase {"Letters", "abc", "0"},
        LostFocusCase {"MinusZero", "-0", "0"}, LostFocusCase {"HalfUp", "1.5", "2"},
        LostFocusCase {"HalfDown", "2.5", "2"}, LostFocusCase {"NegativeHalf", "-2.5", "2"},
        LostFocusCase {"SignDropped", "-7", "7"}, LostFocusCase {"Exponent", "3e2", "300"},
        LostFocusCase {"LongerThanTheLimit", "1e9", "1000000000"},
        LostFocusCase {"Largest32Bit", "2147483647", "2147483647"},
        LostFocusCase {"LowestPlusOne", "-2147483647", "2147483647"},
        LostFocusCase {"TieNearTheLowest", "-2147483646.5", "2147483646"},
        // −2^31 is a 32-bit value, but its absolute value is not.
        LostFocusCase {"Lowest32Bit", "-2147483648", "", RuntimeError::Overflow},
        LostFocusCase {"TieToTheLowest", "-2147483647.5", "", RuntimeError::Overflow},
        LostFocusCase {"RoundsToLowest", "-2147483648.5", "", RuntimeError::Overflow},
        LostFocusCase {"RoundsBeyondTop", "2147483647.5", "", RuntimeError::Overflow},
        LostFocusCase {"Beyond32Bits", "9e9", "", RuntimeError::Overflow}),
    testing::ByName());

// --- Every bound event, through the definition's bindings ----------------------

TEST(Events, RunTheBoundHandler)
{
    FakeForm form;
    const std::string hints[] = {"分母", "分子", "整数"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(raiseEvent(form, Text2[i], Event::GotFocus), std::nullopt);
        EXPECT_EQ(form.caption(Label7), hints[i]);
    }

    const std::string signs[] = {"＋", "－", "×", "÷"};
    for (const int i : {2, 1, 3, 0}) {
        EXPECT_EQ(raiseEvent(form, Option1[i], Event::Click), std::nullopt);
        EXPECT_EQ(form.caption(Label3), signs[i]);
    }

    form.tick(1);
    EXPECT_EQ(raiseEvent(form, Check1[1], Event::Click), std::nullopt);
    EXPECT_EQ(form.caption(Label5[1]), "-");
    EXPECT_EQ(form.caption(Label5[0]), "");
    form.tick(1, false);
    EXPECT_EQ(raiseEvent(form, Check1[1], Event::Click), std::nullopt);
    EXPECT_EQ(form.caption(Label5[1]), "");

    // 7/3 + nothing, then the improper form, then Clear.
    form.first("", "7", "3");
    EXPECT_EQ(raiseEvent(form, Command1, Event::Click), std::nullopt);
    EXPECT_EQ(form.label1(2) + " " + form.label1(1) + "/" + form.label1(0), "2 1/3");
    EXPECT_EQ(raiseEvent(form, Option2[1], Event::Click), std::nullopt);
    EXPECT_EQ(form.label1(2) + " " + form.label1(1) + "/" + form.label1(0), " 7/3");
    form.setCaption(Label1[3], "-");
    EXPECT_EQ(raiseEvent(form, Command2, Event::Click), std::nullopt);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(form.text(Text1[i]), "");
        EXPECT_EQ(form.label1(i), "");
    }
    EXPECT_EQ(form.label1(3), "");
    EXPECT_EQ(form.caption(Label5[0]), "") << "Clear leaves the sign labels";
    EXPECT_EQ(form.caption(Label3), "＋") << "and the operation";

    // Events without a handler do nothing.
    EXPECT_EQ(raiseEvent(form, Label4, Event::Click), std::nullopt);
    EXPECT_EQ(raiseEvent(form, Command1, Event::GotFocus), std::nullopt);
    EXPECT_TRUE(form.messages().empty());
    EXPECT_FALSE(form.unloaded());
}

TEST(Events, ReportACalculationErrorAtOnce)
{
    FakeForm form;
    form.first("", "1", "2");
    form.selectOperation(3);  // ÷ an empty operand
    const auto report = raiseEvent(form, Command1, Event::Click);
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->number, RuntimeError::DivisionByZero);
    EXPECT_EQ(report->when, Report::AtOnce);

    reportRuntimeError(form, report->number);
    ASSERT_EQ(form.messages().size(), 1U);
    EXPECT_EQ(form.messages()[0].text, "実行時エラー 11\r0 でわることはできません。");
    EXPECT_EQ(form.messages()[0].style, MsgBoxCritical);
    EXPECT_EQ(form.messages()[0].title, "Tobarin");
}

TEST(Events, AboutBoxAndQuit)
{
    EXPECT_EQ(AboutText(10, 0, 12),
        "Tobarinver10.0.12\rCopyright (C) 2026 Tobarin contributors\rtobarin@example.org");

    FakeForm form;
    EXPECT_EQ(raiseEvent(form, FileBer, Event::Click), std::nullopt);
    ASSERT_EQ(form.messages().size(), 1U);
    EXPECT_EQ(form.messages()[0].text.substr(0, 17), "Tobarinver2.3.0\rC");
    EXPECT_EQ(form.messages()[0].style, MsgBoxInformation);
    EXPECT_EQ(form.messages()[0].title, "バージョン情報");
    EXPECT_FALSE(form.unloaded());

    for (const ControlId quit : {Command3, FileExit}) {
        FakeForm quitting;
        EXPECT_EQ(raiseEvent(quitting, quit, Event::Click), std::nullopt);
        EXPECT_TRUE(quitting.unloaded()) << quit.objectName();
    }
}

}  // namespace
}  // namespace tobarin
