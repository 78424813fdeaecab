// The entry fields through real focus moves and typed keys: the hint label,
// the normalising of a field when it is left, the typing limit.

#include "tests/ui/window_driver.h"

#include <optional>

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>

using namespace tobarin;  // the controls' names: Text1[0], Command1...

class EntryFieldsTest : public tobarin::testing::WindowTestCase {
    Q_OBJECT

private:
private slots:
    void leavingNormalises_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("byClick");

        const struct {
            const char *typed;
            const char *after;
        } rows[] = {
            {"", ""},
            {"-", ""},
            {"--", "0"},
            {"+", "0"},
            {"12a", "12"},
            {"abc", "0"},
            {"0", "0"},
            {"-0", "0"},
            {"1.5", "2"},
            {"2.5", "2"},
            {"0.5", "0"},
            {"-7", "7"},
            {"-2.5", "2"},
            {"3e2", "300"},
            {"9999", "9999"},
            {"-999", "999"},
            {"1e5", "100000"},
            {"1e9", "1000000000"},
            {" -", "0"},
            {"－", "0"},
            {"&H10", "16"},
            {"１２", "0"},
        };
        for (const auto &row : rows) {
            for (const bool byClick : {false, true}) {
                QTest::addRow("'%s' left by %s", row.typed, byClick ? "click" : "Tab")
                    << QString::fromUtf8(row.typed) << QString::fromUtf8(row.after) << byClick;
            }
        }
    }

    void leavingNormalises()
    {
        QFETCH(QString, typed);
        QFETCH(QString, after);
        QFETCH(bool, byClick);

        w().type(Text1[1], typed);
        QCOMPARE(w().text(Text1[1]), typed);  // kept as typed while the field has the focus
        if (byClick) {
            w().click(Text2[0]);
        } else {
            w().key(Qt::Key_Tab);
        }
        QCOMPARE(w().text(Text1[1]), after);
        // Then the entered field's hint: Text1(2) after Tab, Text2(0) after the click.
        QCOMPARE(w().label(Label7), byClick ? QStringLiteral("分母") : QStringLiteral("整数"));

        // Leaving the normalised text again changes nothing.
        w().click(Text1[1]);
        w().click(Command2);
        QCOMPARE(w().text(Text1[1]), QString());  // Clear emptied it after the move
    }

    void secondOperandIsNormalisedAlike()
    {
        w().type(Text2[2], QStringLiteral("-12"));
        w().key(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(w().text(Text2[2]), QStringLiteral("12"));
        QCOMPARE(w().label(Label7), QStringLiteral("分子"));
    }

    void overflowIsReportedAfterTheMoveAndTheFieldKeepsItsText()
    {
        w().type(Text1[1], QStringLiteral("9e9"));
        w().key(Qt::Key_Tab);
        QTRY_VERIFY(!boxes().empty());
        QCOMPARE(boxes().take().size(), 1);
        QCOMPARE(w().text(Text1[1]), QStringLiteral("9e9"));
        w().activate();
        QCOMPARE(w().focusName(), QStringLiteral("Text1(2)"));
        QCOMPARE(w().label(Label7), QStringLiteral("整数"));

        // The window goes on working.
        w().type(Text1[1], QString());
        w().control<QLineEdit>(Text1[1])->selectAll();
        QTest::keyClicks(w().control(Text1[1]), QStringLiteral("1"));
        w().type(Text1[0], QStringLiteral("2"));
        w().click(Command1);
        QCOMPARE(w().label(Label1[1]), QStringLiteral("1"));
        QCOMPARE(w().label(Label1[0]), QStringLiteral("2"));
    }

    void overflowReportReadsTheErrorAndItsDescription()
    {
        w().type(Text2[0], QStringLiteral("1e10"));
        w().click(Command2);
        QTRY_VERIFY(!boxes().empty());
        const auto seen = boxes().take();
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].text, QStringLiteral("実行時エラー 6\n桁あふれが発生しました。"));
        QCOMPARE(seen[0].title, QStringLiteral("Tobarin"));
        QCOMPARE(seen[0].icon, QMessageBox::Critical);
        // Clear ran after the move and emptied the field.
        QCOMPARE(w().text(Text2[0]), QString());
    }

    void hintFollowsTheFocus()
    {
        QCOMPARE(w().label(Label7), QString());
        const struct {
            Qt::Key key;
            const char *hint;
        } steps[] = {
            {Qt::Key_Tab, ""},  // Option2(0)
            {Qt::Key_Tab, "分母"},  // Text1(0)
            {Qt::Key_Tab, "分子"},  // Text1(1)
            {Qt::Key_Tab, "整数"},  // Text1(2)
            {Qt::Key_Tab, ""},  // Check1(0)
            {Qt::Key_Tab, "分母"},  // Text2(0)
            {Qt::Key_Backtab, ""},  // Check1(0)
            {Qt::Key_Backtab, "整数"},
        };
        for (const auto &step : steps) {
            w().key(step.key, step.key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
            QCOMPARE(w().label(Label7), QString::fromUtf8(step.hint));
        }
        w().click(Text2[1]);
        QCOMPARE(w().label(Label7), QStringLiteral("分子"));
        w().click(Text2[2]);
        QCOMPARE(w().label(Label7), QStringLiteral("整数"));
        w().click(Option1[2]);
        QCOMPARE(w().label(Label7), QString());
        w().click(Text1[0]);
        w().click(Command1);
        QCOMPARE(w().label(Label7), QString());
    }

    void leavingAndReturningToTheWindowRaisesNothing()
    {
        w().type(Text1[1], QStringLiteral("-5"));
        // The About box takes the activation away and gives it back.
        w().clickMenu(1);
        QCOMPARE(boxes().take().size(), 1);
        w().activate();
        QCOMPARE(w().text(Text1[1]), QStringLiteral("-5"));
        QCOMPARE(w().label(Label7), QStringLiteral("分子"));
        QCOMPARE(w().focusName(), QStringLiteral("Text1(1)"));
    }

    void typingLimitHoldsButAWrittenTextStaysWhole()
    {
        auto *field = w().control<QLineEdit>(Text1[0]);
        w().type(Text1[0], QStringLiteral("1e5"));
        w().key(Qt::Key_Tab);
        QCOMPARE(field->text(), QStringLiteral("100000"));
        // Shown whole: drawn smaller, so that every digit fits the field.
        QVERIFY(field->font().pointSizeF() < 12);
        QVERIFY(QFontMetrics(field->font()).horizontalAdvance(field->text()) < field->width() - 4);

        w().click(Text1[0]);
        field->end(false);
        QTest::keyClicks(field, QStringLiteral("7"));
        QCOMPARE(field->text(), QStringLiteral("100000"));  // no longer
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(field->text(), QStringLiteral("10000"));  // shorter is fine
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, QStringLiteral("12"));
        QCOMPARE(field->text(), QStringLiteral("1000"));
        QCOMPARE(field->font().pointSizeF(), 12.0);  // four digits fit at full size

        // Four characters at most in a numerator, three in an integer part.
        w().type(Text2[1], QStringLiteral("123456"));
        QCOMPARE(w().text(Text2[1]), QStringLiteral("1234"));
        w().type(Text2[2], QStringLiteral("98765"));
        QCOMPARE(w().text(Text2[2]), QStringLiteral("987"));

        // Pasting more than fits is refused whole.
        QGuiApplication::clipboard()->setText(QStringLiteral("55555"));
        w().click(Text1[2]);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w().text(Text1[2]), QString());
        QGuiApplication::clipboard()->setText(QStringLiteral("55"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w().text(Text1[2]), QStringLiteral("55"));
    }

    void calculateReadsTheWholeWrittenText()
    {
        w().type(Text1[2], QStringLiteral("1e5"));
        w().click(Command1);
        QCOMPARE(w().text(Text1[2]), QStringLiteral("100000"));
        QCOMPARE(w().label(Label1[2]), QStringLiteral("100000"));
    }

    void inputMethodIsOff()
    {
        for (const ControlArray fields : {Text1, Text2}) {
            for (int i = 0; i < 3; ++i) {
                QVERIFY(!w().control(fields[i])->testAttribute(Qt::WA_InputMethodEnabled));
            }
        }
    }
};

QTEST_MAIN(EntryFieldsTest)
#include "tst_entry_fields.moc"
