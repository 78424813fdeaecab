// Sign boxes, operation buttons, Clear, About and Quit, through clicks, keys
// and the menu bar.

#include "engine/window/handlers.h"
#include "tests/ui/window_driver.h"

#include <optional>

#include <QCheckBox>
#include <QMenuBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

using namespace tobarin;  // the controls' names: Text1[0], Command1...

class CommandsTest : public tobarin::testing::WindowTestCase {
    Q_OBJECT

private:
private slots:
    void signBoxesShowTheSign()
    {
        w().click(Check1[1]);
        QCOMPARE(w().label(Label5[1]), QStringLiteral("-"));
        QCOMPARE(w().label(Label5[0]), QString());
        w().click(Check1[1]);
        QCOMPARE(w().label(Label5[1]), QString());

        // The Space bar on the focused box: Tab from Text1(2) reaches Check1(0).
        w().click(Text1[2]);
        w().key(Qt::Key_Tab);
        QCOMPARE(w().focusName(), QStringLiteral("Check1(0)"));
        w().key(Qt::Key_Space);
        QVERIFY(w().control<QCheckBox>(Check1[0])->isChecked());
        QCOMPARE(w().label(Label5[0]), QStringLiteral("-"));
        w().key(Qt::Key_Space);
        QCOMPARE(w().label(Label5[0]), QString());
    }

    void operationLabelFollowsTheSelection()
    {
        const QString signs[] = {"＋", "－", "×", "÷"};
        for (const int i : {2, 1, 3, 0}) {
            w().click(Option1[i]);
            QCOMPARE(w().label(Label3), signs[i]);
        }
        QCOMPARE(w().label(Label3).at(0).unicode(), 0xFF0B);
        w().click(Option1[1]);
        QCOMPARE(w().label(Label3).at(0).unicode(), 0xFF0D);  // not the ASCII hyphen

        // The arrow keys move the selection round the group, in index order.
        w().click(Option1[0]);
        const struct {
            Qt::Key key;
            int selected;
        } moves[] = {{Qt::Key_Down, 1}, {Qt::Key_Right, 2}, {Qt::Key_Down, 3}, {Qt::Key_Down, 0},
            {Qt::Key_Up, 3}, {Qt::Key_Left, 2}};
        for (const auto &move : moves) {
            w().key(move.key);
            QCOMPARE(w().focusName(), QStringLiteral("Option1(%1)").arg(move.selected));
            QVERIFY(w().control<QRadioButton>(Option1[move.selected])->isChecked());
            QCOMPARE(w().label(Label3), signs[move.selected]);
        }
    }

    void arrowKeysInTheAnswerFormGroupConvertTheAnswer()
    {
        w().type(Text1[1], QStringLiteral("7"));
        w().type(Text1[0], QStringLiteral("3"));
        w().click(Command1);
        w().click(Option2[0]);
        w().key(Qt::Key_Down);
        QCOMPARE(w().answer(), QStringLiteral("||7/3|bar"));
        w().key(Qt::Key_Up);
        QCOMPARE(w().answer(), QStringLiteral("|2|1/3|bar"));
    }

    void clearEmptiesFieldsAndAnswerOnly_data()
    {
        QTest::addColumn<QString>("secondWhole");
        QTest::addColumn<QString>("secondNumerator");
        QTest::addColumn<QString>("secondDenominator");
        QTest::addColumn<bool>("barAfter");
        // -1/2 × the second operand, with a sign box ticked and × selected.
        QTest::newRow("-1/2 x 2: whole, bar hidden") << "2"
                                                     << ""
                                                     << "" << false;
        QTest::newRow("-1/2 x 1 1/3: fraction, bar shown") << "1"
                                                           << "1"
                                                           << "3" << true;
    }

    void clearEmptiesFieldsAndAnswerOnly()
    {
        QFETCH(QString, secondWhole);
        QFETCH(QString, secondNumerator);
        QFETCH(QString, secondDenominator);
        QFETCH(bool, barAfter);

        w().click(Option1[2]);
        w().type(Text1[1], QStringLiteral("1"));
        w().type(Text1[0], QStringLiteral("2"));
        w().click(Check1[0]);
        w().type(Text2[2], secondWhole);
        w().type(Text2[1], secondNumerator);
        w().type(Text2[0], secondDenominator);
        w().click(Command1);
        QCOMPARE(
            w().answer(), barAfter ? QStringLiteral("-||2/3|bar") : QStringLiteral("-|1|/|no bar"));
        QCOMPARE(w().label(Label1[3]), QStringLiteral("-"));

        // Clear from the keyboard, so that nothing else moves the focus.
        w().key(Qt::Key_Tab);
        QCOMPARE(w().focusName(), QStringLiteral("Command2"));
        w().key(Qt::Key_Space);

        for (const ControlArray fields : {Text1, Text2}) {
            for (int i = 0; i < 3; ++i) {
                QCOMPARE(w().text(fields[i]), QString());
            }
        }
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(w().label(Label1[i]), QString());
        }
        QCOMPARE(!w().form().control(Line3)->isHidden(), barAfter);
        QVERIFY(w().control<QCheckBox>(Check1[0])->isChecked());
        QCOMPARE(w().label(Label5[0]), QStringLiteral("-"));
        QVERIFY(w().control<QRadioButton>(Option1[2])->isChecked());
        QCOMPARE(w().label(Label3), QStringLiteral("×"));
        QVERIFY(w().control<QRadioButton>(Option2[0])->isChecked());
        QCOMPARE(w().label(Label7), QString());
        QCOMPARE(w().focusName(), QStringLiteral("Command2"));

        // Clearing again changes nothing.
        w().key(Qt::Key_Space);
        QCOMPARE(w().answer(), barAfter ? QStringLiteral("||/|bar") : QStringLiteral("||/|no bar"));
    }

    void aboutBoxShowsTheVersion()
    {
        w().clickMenu(1);
        const auto seen = boxes().take();
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].title, QStringLiteral("バージョン情報"));
        QCOMPARE(seen[0].icon, QMessageBox::Information);
        QCOMPARE(seen[0].buttons.size(), 1);
        QCOMPARE(seen[0].text.split(QLatin1Char('\n')),
            (QStringList {"Tobarinver2.3.0", "Copyright (C) 2026 Tobarin contributors",
                "tobarin@example.org"}));
        QVERIFY(w().form().isVisible());
    }

    void aboutTextWritesTheNumbersWithoutLeadingZeros()
    {
        const std::string text = tobarin::AboutText(10, 0, 12);
        QCOMPARE(QString::fromStdString(text.substr(0, text.find('\r'))),
            QStringLiteral("Tobarinver10.0.12"));
    }

    void quitEndsTheProgram_data()
    {
        QTest::addColumn<bool>("fromMenu");
        QTest::newRow("終了 button") << false;
        QTest::newRow("終了 in the menu bar") << true;
    }

    void quitEndsTheProgram()
    {
        QFETCH(bool, fromMenu);
        QSignalSpy lastWindowClosed(qApp, &QGuiApplication::lastWindowClosed);
        QTimer::singleShot(0, this, [this, fromMenu] {
            if (fromMenu) {
                w().clickMenu(0);
            } else {
                w().click(Command3);
            }
        });
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(99); });  // a watchdog
        QCOMPARE(QApplication::exec(), 0);  // the event loop returned because the window closed
        QCOMPARE(lastWindowClosed.count(), 1);
        QVERIFY(!w().form().isVisible());
    }
};

QTEST_MAIN(CommandsTest)
#include "tst_commands.moc"
