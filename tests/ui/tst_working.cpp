// The window 「途中式と答え合わせ」: how it opens, that it follows the
// calculator's fields without touching its answer, the answer check, copying
// the working, and that the calculator's tab order stays as it is.

#include "tests/ui/window_driver.h"

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolTip>

#ifndef Q_MOC_RUN
#include "engine/check/answer_check.h"
#include "engine/solve.h"
#include "ui/working/working_window.h"
#endif

using namespace tobarin;  // the controls' names: Text1[0], Command1...

namespace {

QWidget *workingWindow()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String("WorkingWindow") && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

template <typename Widget = QWidget> Widget *part(const char *name)
{
    QWidget *window = workingWindow();
    return window ? window->findChild<Widget *>(QLatin1String(name)) : nullptr;
}

// The working of a problem, in its text form.
QString workingOf(const Problem &problem)
{
    return QString::fromStdString(workingText(solve(problem, AnswerForm::Mixed).working));
}

QString workingOf(const char *expression)
{
    return workingOf(readProblem(expression).value.value());
}

// What the drawing tells a screen reader: the working, or the problem alone
// while the working is hidden.
QString shownWorking()
{
    return part("Working")->accessibleDescription();
}

}  // namespace

class WorkingTest : public tobarin::testing::WindowTestCase {
    Q_OBJECT

private slots:
    void opens_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("F2") << "F2";
        QTest::newRow("click on the answer") << "click";
        QTest::newRow("context menu of the window") << "menu";
        QTest::newRow("context menu of the answer") << "answer menu";
        QTest::newRow("context menu of a field") << "field menu";
    }

    void opens()
    {
        QFETCH(QString, how);
        w().enter("1 2/3 + 3/4");
        QWidget *opened = nullptr;
        for (int time = 0; time < 2; ++time) {  // opened again, the same window comes forward
            if (how == QLatin1String("F2")) {
                w().key(Qt::Key_F2);
            } else if (how == QLatin1String("click")) {
                w().click(Label1[1]);
            } else {
                QWidget *under = how == QLatin1String("menu") ? w().control(Label4)
                    : how == QLatin1String("answer menu")     ? w().control(Label1[2])
                                                              : w().control(Text2[1]);
                w().choose(w().openContextMenu(under), QStringLiteral("ShowWorking"));
            }
            QTRY_VERIFY(workingWindow() && workingWindow()->isActiveWindow());
            QVERIFY(!opened || workingWindow() == opened);
            opened = workingWindow();
            w().activate();
        }
        QCOMPARE(opened->windowTitle(), QStringLiteral("途中式と答え合わせ"));
        // The working is hidden until asked for: the problem alone is drawn.
        QCOMPARE(shownWorking(), workingOf("1 2/3 + 3/4").section(QLatin1Char('\n'), 0, 0) + "\n");
        part<QPushButton>("ShowWorking")->click();
        QCOMPARE(shownWorking(), workingOf("1 2/3 + 3/4"));
        // The calculator's own answer is left as it was: empty.
        QCOMPARE(w().answer(), QStringLiteral("||/|bar"));
    }

    void answerAreaSaysAClickOpensTheWorking()
    {
        for (const ControlId id : {Label1[0], Label1[1], Label1[2], Label1[3], Line3}) {
            QWidget *widget = w().control(id);
            QCOMPARE(widget->cursor().shape(), Qt::PointingHandCursor);
            QHelpEvent help(QEvent::ToolTip, widget->rect().center(),
                widget->mapToGlobal(widget->rect().center()));
            QApplication::sendEvent(widget, &help);
            QTRY_VERIFY(QToolTip::text().contains(QStringLiteral("途中式と答え合わせ")));
            QToolTip::hideText();
        }
    }

    // Each change in the calculator is followed; the working hides again and
    // the verdict goes, for they belonged to the problem before.
    void followsTheFields_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("problem");  // "" for the empty fields
        // clang-format off
        QTest::newRow("operation") << "Option1(2)" << "1 2/3 × 3/4";
        QTest::newRow("sign box") << "Check1(1)" << "1 2/3 + -3/4";
        QTest::newRow("typed") << "Text2(2)" << "1 2/3 + 1 3/4";
        QTest::newRow("計算") << "Command1" << "1 2/3 + 3/4";
        QTest::newRow("消す") << "Command2" << "";
        // clang-format on
    }

    void followsTheFields()
    {
        QFETCH(QString, change);
        QFETCH(QString, problem);
        w().enter("1 2/3 + 3/4");
        w().key(Qt::Key_F2);
        QTRY_VERIFY(workingWindow());
        part<QPushButton>("ShowWorking")->click();
        QTest::keyClicks(part<QLineEdit>("AnswerWhole"), QStringLiteral("7"));
        part<QPushButton>("CheckAnswer")->click();

        auto *target = w().form().findChild<QWidget *>(change);
        if (qobject_cast<QLineEdit *>(target)) {
            w().type(Text2[2], QStringLiteral("1"));
        } else {
            w().click(target);
        }
        const QString expected = problem.isEmpty() ? workingOf(problemOfFields(TypedProblem {}))
                                                   : workingOf(problem.toUtf8().constData());
        part<QPushButton>("CopyWorking")->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);
        const bool same = change == QLatin1String("Command1");
        QCOMPARE(part<QPushButton>("ShowWorking")->isChecked(), same);
        QCOMPARE(part<QLabel>("Verdict")->text().isEmpty(), !same);
        if (same) {  // Calculate writes the answer in the calculator only
            QCOMPARE(w().answer(), QStringLiteral("|2|5/12|bar"));
        } else {
            QCOMPARE(w().answer(), QStringLiteral("||/|bar"));
        }
    }

    void checksTheTypedAnswer_data()
    {
        QTest::addColumn<QStringList>("typed");  // sign, integer part, numerator, denominator
        QTest::addColumn<int>("verdict");
        QTest::newRow("right, mixed")
            << QStringList {"", "2", "5", "12"} << static_cast<int>(Verdict::CorrectMixed);
        QTest::newRow("right, improper")
            << QStringList {"", "", "29", "12"} << static_cast<int>(Verdict::CorrectImproper);
        QTest::newRow("not reduced")
            << QStringList {"", "2", "10", "24"} << static_cast<int>(Verdict::NotReduced);
        QTest::newRow("wrong sign")
            << QStringList {"-", "2", "5", "12"} << static_cast<int>(Verdict::WrongSign);
        QTest::newRow("full-width digits")
            << QStringList {"", "２", "５", "１２"} << static_cast<int>(Verdict::CorrectMixed);
        QTest::newRow("the denominators added too: its hint")
            << QStringList {"", "1", "5", "7"} << static_cast<int>(Verdict::Wrong);
        QTest::newRow("a decimal in one field")
            << QStringList {"", "２．４", "", ""} << static_cast<int>(Verdict::Wrong);
    }

    void checksTheTypedAnswer()
    {
        QFETCH(QStringList, typed);
        QFETCH(int, verdict);
        w().enter("1 2/3 + 3/4");
        w().key(Qt::Key_F2);
        QTRY_VERIFY(workingWindow());
        // The focus starts on the denominator; the fields follow in the
        // calculator's order, then the sign box.
        QTRY_COMPARE(QApplication::focusWidget(), part("AnswerDenominator"));
        const QWidget *window = workingWindow();
        for (const int index : {3, 2, 1}) {
            // Unlike the calculator's fields, these take what an input method composes.
            QVERIFY(QApplication::focusWidget()->testAttribute(Qt::WA_InputMethodEnabled));
            const QString &text = typed[index];
            if (std::all_of(
                    text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; })) {
                QTest::keyClicks(QApplication::focusWidget(), text);
            } else {  // as an input method commits what it composed
                QInputMethodEvent commit;
                commit.setCommitString(text);
                QApplication::sendEvent(QApplication::focusWidget(), &commit);
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(QApplication::focusWidget(), part("AnswerNegative"));
        if (typed[0] == QLatin1String("-")) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        }
        QTest::mouseClick(part("CheckAnswer"), Qt::LeftButton);

        const AnswerCheck expected = checkAnswer(readProblem("1 2/3 + 3/4").value.value(),
            TypedOperand {typed[3].toStdString(), typed[2].toStdString(), typed[1].toStdString(),
                typed[0] == QLatin1String("-")});
        QCOMPARE(static_cast<int>(expected.verdict), verdict);  // the row means what it says
        QCOMPARE(part<QLabel>("Verdict")->text(), QString::fromStdString(expected.text));
        QCOMPARE(
            window->focusWidget()->accessibleDescription(), QString::fromStdString(expected.text));
        // Checked without the answer being shown.
        QVERIFY(!part<QPushButton>("ShowWorking")->isChecked());
        QVERIFY(!shownWorking().contains(QStringLiteral("=")));
    }

    // State: the working window follows the calculator's 1 2/3 + 3/4.
    // Action: a problem typed (full width, by the keyboard or committed by an
    // input method) and entered in the 式 field; an unreadable one; emptied.
    // Expected: the typed problem worked and checked; what cannot be read said
    // and the problem kept; the calculator's problem again once emptied.
    void expressionFieldWorksItsOwnProblem_data()
    {
        QTest::addColumn<bool>("inputMethod");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<QString>("unreadable");
        QTest::newRow("typed") << false << "(-2/3)^2 * 9/4 - 1/2"
                               << "2/3^2 + 1";
        QTest::newRow("input method, full width") << true << "（－２／３）² × ９／４ － １／２"
                                                  << "２／３² ＋ １";
    }

    void expressionFieldWorksItsOwnProblem()
    {
        QFETCH(bool, inputMethod);
        QFETCH(QString, problem);
        QFETCH(QString, unreadable);
        w().enter("1 2/3 + 3/4");
        w().key(Qt::Key_F2);
        QTRY_VERIFY(workingWindow());
        auto *entry = part<QLineEdit>("ExpressionEntry");
        const auto enter = [&](const QString &text) {
            entry->setFocus();
            entry->selectAll();
            if (inputMethod) {
                QInputMethodEvent commit;
                commit.setCommitString(text);
                QApplication::sendEvent(entry, &commit);
            } else {
                QTest::keyClicks(entry, text);
            }
            QTest::keyClick(entry, Qt::Key_Return);
        };
        enter(problem);
        part<QPushButton>("ShowWorking")->click();
        QCOMPARE(shownWorking(), workingOf("(-2/3)^2 × 9/4 - 1/2"));
        QTest::keyClicks(part("AnswerDenominator"), QStringLiteral("2"));
        QTest::keyClicks(part("AnswerNumerator"), QStringLiteral("1"));
        QTest::mouseClick(part("CheckAnswer"), Qt::LeftButton);
        const Problem typed = readProblem("(-2/3)^2 × 9/4 - 1/2").value.value();
        QCOMPARE(part<QLabel>("Verdict")->text(),
            QString::fromStdString(checkAnswer(typed, TypedOperand {"2", "1", "", false}).text));
        QCOMPARE(checkAnswer(typed, TypedOperand {"2", "1", "", false}).verdict, Verdict::Correct);

        enter(unreadable);
        QCOMPARE(part<QLabel>("ExpressionMessage")->text(),
            QString::fromStdString(readProblem(unreadable.toStdString()).error));
        // It names what it cannot read, as typed.
        QVERIFY(part<QLabel>("ExpressionMessage")
                    ->text()
                    .startsWith("「" + unreadable.section(QLatin1Char(' '), 0, 0) + "」"));
        QCOMPARE(shownWorking(), workingOf("(-2/3)^2 × 9/4 - 1/2"));

        entry->selectAll();
        QTest::keyClick(entry, Qt::Key_Delete);
        QCOMPARE(shownWorking(), workingOf("1 2/3 + 3/4").section(QLatin1Char('\n'), 0, 0) + "\n");
        QVERIFY(part<QLabel>("ExpressionMessage")->text().isEmpty());
    }

    void copiesTheTextForm_data()
    {
        QTest::addColumn<QString>("problem");
        QTest::newRow("an answer") << "-1/2 - -3/4";
        QTest::newRow("a run-time error") << "5 ÷ 0";
        QTest::newRow("no denominator") << "1/0 + 1";
    }

    void copiesTheTextForm()
    {
        QFETCH(QString, problem);
        w().enter(problem.toUtf8().constData());
        w().key(Qt::Key_F2);
        QTRY_VERIFY(workingWindow());
        QTest::mouseClick(part("CopyWorking"), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), workingOf(problem.toUtf8().constData()));
        part<QPushButton>("ShowWorking")->click();
        QCOMPARE(shownWorking(), QGuiApplication::clipboard()->text());
    }

    // Fields that cannot be read (before leaving them normalises them) leave
    // no problem to draw: the report says why, hidden working or not.
    void unreadableFieldsShowTheReport()
    {
        w().enter("1 2/3 + 3/4");
        w().key(Qt::Key_F2);
        QTRY_VERIFY(workingWindow());
        w().activate();
        w().click(Text1[1]);
        w().key(Qt::Key_End);
        w().typeText(QStringLiteral("e10"));  // 2e10, beyond 32 bits
        const QString report = workingOf(
            problemOfFields(TypedProblem {{"3", "2e10", "1"}, {"4", "3", ""}, Operation::Add}));
        QVERIFY(report.startsWith(QStringLiteral("実行時エラー 6")));
        QCOMPARE(shownWorking(), report);
    }

    void everyControlHasAJapaneseName()
    {
        w().key(Qt::Key_F2);
        QTRY_VERIFY(workingWindow());
        const auto widgets = workingWindow()->findChildren<QWidget *>();
        int named = 0;
        for (const QWidget *widget : widgets) {
            if (widget->focusPolicy() == Qt::NoFocus && !qobject_cast<const QLabel *>(widget)
                && widget->objectName() != QLatin1String("Working")) {
                continue;
            }
            const QString name = widget->accessibleName();
            QVERIFY2(std::any_of(
                         name.cbegin(), name.cend(), [](QChar c) { return c.unicode() > 0x3000; }),
                qPrintable(widget->objectName() + QStringLiteral(": ") + name));
            ++named;
        }
        QVERIFY(named >= 9);
        // The drawing is text to a screen reader.
        QCOMPARE(QAccessible::queryAccessibleInterface(part("Working"))->role(),
            QAccessible::StaticText);
    }

    // 帯分数のまま works the same problem another way, and is what the window
    // opens with the next time.
    void keepsTheChosenMethod()
    {
        w().enter("1 2/3 + 3/4");
        w().key(Qt::Key_F2);
        QTRY_VERIFY(workingWindow());
        part<QPushButton>("ShowWorking")->click();
        part<QRadioButton>("MethodMixed")->click();
        const Problem problem = readProblem("1 2/3 + 3/4").value.value();
        QCOMPARE(shownWorking(),
            QString::fromStdString(
                workingText(solve(problem, AnswerForm::Mixed, Method::KeepMixed).working)));
        for (const char *method : {"MethodMixed", "MethodImproper"}) {
            WorkingWindow another;
            QVERIFY(another.findChild<QRadioButton *>(QLatin1String(method))->isChecked());
            another.findChild<QRadioButton *>(QStringLiteral("MethodImproper"))->click();
        }
    }

    void calculatorTabOrderIsUnchanged()
    {
        w().key(Qt::Key_F2);
        QTRY_VERIFY(workingWindow());
        w().activate();
        const QStringList stops {"Option1(0)", "Option2(0)", "Text1(0)", "Text1(1)", "Text1(2)",
            "Check1(0)", "Text2(0)", "Text2(1)", "Text2(2)", "Check1(1)", "Command1", "Command2",
            "Command3"};
        QStringList visited;
        for (int i = 0; i <= stops.size(); ++i) {
            visited << w().focusName();
            w().key(Qt::Key_Tab);
        }
        QCOMPARE(visited, stops + QStringList {stops.first()});
    }
};

QTEST_MAIN(WorkingTest)
#include "tst_working.moc"
