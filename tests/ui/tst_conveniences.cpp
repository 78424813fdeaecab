// What desktop users expect of any small program: a click held down as long as
// a person holds it is still carried out, Ctrl+Q quits, the answer is
// announced to assistive technology, and it can be copied and pasted.

#include "tests/ui/window_driver.h"

#include <private/qguiapplication_p.h>

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

using namespace tobarin;  // the controls' names: Text1[0], Command1...

namespace {

// Description-changed events, as a screen reader's bridge would receive them.
QList<QObject *> descriptionChanges;

// Events reach an update handler only while the platform's accessibility is
// active, as it is when a screen reader runs; the offscreen platform leaves it
// off.
void setAccessibilityActive(bool active)
{
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(active);
}

void recordUpdate(QAccessibleEvent *event)
{
    if (event->type() == QAccessible::DescriptionChanged) {
        descriptionChanges << event->object();
    }
}

}  // namespace

class ConveniencesTest : public tobarin::testing::WindowTestCase {
    Q_OBJECT

private slots:
    // The click that moves the focus out of a field whose LostFocus fails is
    // carried out in full, however long the button is held; the report follows.
    void heldClickOutOfAFailingField_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("reports");
        QTest::addColumn<QString>("after");  // what the click did

        QTest::newRow("計算") << "Command1" << 2 << "calculated";  // Calculate fails on 9e9 too
        QTest::newRow("消す") << "Command2" << 1 << "cleared";
        QTest::newRow("終了") << "Command3" << 0 << "closed";
        QTest::newRow("sign box") << "Check1(1)" << 1 << "ticked";
        QTest::newRow("operation") << "Option1(2)" << 1 << "selected";
        QTest::newRow("answer form") << "Option2(1)" << 1 << "selected";
        QTest::newRow("another field") << "Text2(0)" << 1 << "focused";
    }

    void heldClickOutOfAFailingField()
    {
        QFETCH(QString, target);
        QFETCH(int, reports);
        QFETCH(QString, after);

        w().type(Text1[1], QStringLiteral("9e9"));
        w().control<QLabel>(Label1[2])->setText(QStringLiteral("7"));  // an earlier answer
        auto *widget = w().form().findChild<QWidget *>(target);
        QVERIFY(widget);
        for (const int held : {5, 250}) {
            w().heldClick(widget, held);
            if (after == QLatin1String("closed")) {
                QTRY_VERIFY(!w().form().isVisible());
            } else {
                QList<tobarin::testing::SeenBox> seen;
                QTRY_VERIFY((seen += boxes().take(), seen.size() >= reports));
                QTest::qWait(20);
                QCOMPARE(seen.size() + boxes().take().size(), reports);
            }
            if (after == QLatin1String("calculated")) {
                QCOMPARE(w().label(Label1[2]), QString());  // Calculate cleared the answer first
            } else if (after == QLatin1String("cleared")) {
                QCOMPARE(w().text(Text1[1]), QString());
            } else if (after == QLatin1String("ticked")) {
                QVERIFY(qobject_cast<QCheckBox *>(widget)->isChecked());
                QCOMPARE(w().label(Label5[1]), QStringLiteral("-"));
            } else if (after == QLatin1String("selected")) {
                QVERIFY(qobject_cast<QRadioButton *>(widget)->isChecked());
            } else if (after == QLatin1String("focused")) {
                w().activate();  // the message box had the keyboard
                QCOMPARE(w().focusName(), target);
                QCOMPARE(w().label(Label7), QStringLiteral("分母"));
            }
            if (after == QLatin1String("closed")) {
                break;
            }
            // The same again, held a quarter of a second.
            if (auto *box = qobject_cast<QCheckBox *>(widget)) {
                box->setChecked(false);
            }
            if (auto *option = qobject_cast<QRadioButton *>(widget)) {
                w().click(option == w().control(Option2[1]) ? Option2[0] : Option1[0]);
            }
            w().type(Text1[1], QString());
            w().control<QLineEdit>(Text1[1])->setText(QStringLiteral("9e9"));
            w().control<QLabel>(Label1[2])->setText(QStringLiteral("7"));
        }
    }

    void ctrlQQuits()
    {
        w().type(Text2[1], QStringLiteral("5"));  // from an entry field too
        w().key(Qt::Key_Q, Qt::ControlModifier);
        QTRY_VERIFY(!w().form().isVisible());
        QCOMPARE(w().text(Text2[1]), QStringLiteral("5"));  // nothing else ran
    }

    // After Calculate and after a change of answer form, the focused control
    // carries the answer in its accessible description, with an event each time.
    void answerIsAnnouncedOnTheFocusedControl()
    {
        QAccessible::installUpdateHandler(&recordUpdate);
        setAccessibilityActive(true);
        descriptionChanges.clear();

        w().type(Text1[1], QStringLiteral("7"));
        w().type(Text1[0], QStringLiteral("3"));
        for (int round = 0; round < 2; ++round) {  // the same answer again is announced again
            descriptionChanges.clear();
            w().click(Command1);
            QCOMPARE(
                w().control(Command1)->accessibleDescription(), QStringLiteral("答え 2 と 3分の1"));
            QCOMPARE(descriptionChanges.count(w().control(Command1)), 1);
        }

        w().click(Option2[1]);
        QCOMPARE(w().control(Option2[1])->accessibleDescription(), QStringLiteral("答え 3分の7"));
        QVERIFY(descriptionChanges.contains(w().control(Option2[1])));
        // Only the focused control carries it.
        QCOMPARE(w().control(Command1)->accessibleDescription(), QString());

        // Keyboard only: Space on 計算 announces without moving the focus.
        w().click(Text1[0]);
        for (int tab = 0; tab < 8; ++tab) {
            w().key(Qt::Key_Tab);
        }
        QCOMPARE(w().focusName(), QStringLiteral("Command1"));
        w().key(Qt::Key_Space);
        QCOMPARE(w().focusName(), QStringLiteral("Command1"));
        QCOMPARE(
            w().control(Command1)->accessibleDescription(), QStringLiteral("答え 2 と 3分の1"));

        // Clear takes the answer away, and its announcement with it.
        w().click(Command2);
        QCOMPARE(w().control(Command1)->accessibleDescription(), QString());

        setAccessibilityActive(false);
        QAccessible::installUpdateHandler(nullptr);
    }

    void copiesTheAnswer_data()
    {
        QTest::addColumn<QString>("problem");
        QTest::addColumn<QString>("how");  // Ctrl+C, or the object name of a menu item
        QTest::addColumn<QString>("copied");
        // clang-format off
        QTest::newRow("Ctrl+C") << "1 2/3 + 3/4" << "Ctrl+C" << "2 5/12";
        QTest::newRow("as shown") << "1 2/3 + 3/4" << "CopyAnswer" << "2 5/12";
        QTest::newRow("improper") << "1 2/3 + 3/4" << "CopyImproper" << "29/12";
        QTest::newRow("decimal") << "1 2/3 + 3/4" << "CopyDecimal" << "2.41(6)";
        QTest::newRow("negative, decimal") << "1/3 - 1/2" << "CopyDecimal" << "-0.1(6)";
        QTest::newRow("whole, improper") << "1/2 × 6" << "CopyImproper" << "3";
        // clang-format on
    }

    void copiesTheAnswer()
    {
        QFETCH(QString, problem);
        QFETCH(QString, how);
        QFETCH(QString, copied);
        w().enter(problem.toUtf8().constData());
        w().click(Command1);
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        if (how == QLatin1String("Ctrl+C")) {
            w().key(Qt::Key_C, Qt::ControlModifier);
        } else {
            w().choose(w().openContextMenu(w().control(Label1[1])), how);
        }
        QTRY_COMPARE(QGuiApplication::clipboard()->text(), copied);
    }

    // Ctrl+C in an entry field copies its selected text as usual; with
    // nothing selected it copies the answer; with no answer, nothing.
    void ctrlCInAField()
    {
        w().enter("1 2/3 + 3/4");
        w().click(Command1);
        w().click(Text1[1]);
        w().key(Qt::Key_A, Qt::ControlModifier);
        w().key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("2"));
        w().key(Qt::Key_End);
        w().key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("2 5/12"));

        w().click(Command2);
        w().click(Text1[1]);
        w().key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("2 5/12"));
        QMenu *menu = w().openContextMenu(w().control(Label1[2]));
        for (const char *copy : {"CopyAnswer", "CopyImproper", "CopyDecimal"}) {
            QVERIFY(!w().item(menu, QLatin1String(copy))->isEnabled());
        }
        QVERIFY(w().item(menu, QStringLiteral("ShowWorking"))->isEnabled());
        menu->close();
        // Elsewhere the menu offers the working, and no other form of the answer.
        menu = w().openContextMenu(w().control(Frame1));
        QVERIFY(w().item(menu, QStringLiteral("ShowWorking")));
        QVERIFY(!w().item(menu, QStringLiteral("CopyDecimal")));
        menu->close();
    }

    // Pasting an operand with a fraction or a sign fills its three fields and
    // its sign box; any other text is pasted as usual.
    void pastesAnOperand_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("how");  // Ctrl+V, Shift+Insert, menu
        QTest::addColumn<bool>("tickedBefore");
        QTest::addColumn<QString>("after");  // the operand's integer part|numerator|denominator
        QTest::addColumn<bool>("ticked");

        // clang-format off
        QTest::newRow("mixed") << "2 3/4" << "Text1(1)" << "Ctrl+V" << false << "2|3|4" << false;
        QTest::newRow("negative improper, menu") << "-11/4" << "Text2(0)" << "menu" << false << "|11|4" << true;
        QTest::newRow("full-width, unticks") << "２と３/４" << "Text2(2)" << "Shift+Insert" << true << "2|3|4" << false;
        QTest::newRow("negative whole") << "-5" << "Text1(2)" << "Ctrl+V" << false << "5||" << true;
        QTest::newRow("full-width, in parentheses") << "（－５／４）" << "Text1(2)" << "Ctrl+V" << false << "|5|4" << true;
        QTest::newRow("line break after it") << "3/4\n" << "Text1(0)" << "menu" << false << "|3|4" << false;
        QTest::newRow("bare number, as usual") << "12" << "Text1(1)" << "Ctrl+V" << false << "9|912|9" << false;
        QTest::newRow("beyond the typing limit") << "12345" << "Text1(1)" << "Ctrl+V" << false << "9|9|9" << false;
        QTest::newRow("other text, as usual") << "a" << "Text2(1)" << "menu" << true << "9|9a|9" << true;
        // clang-format on
    }

    void pastesAnOperand()
    {
        QFETCH(QString, clipboard);
        QFETCH(QString, field);
        QFETCH(QString, how);
        QFETCH(bool, tickedBefore);
        QFETCH(QString, after);
        QFETCH(bool, ticked);

        const bool first = field.startsWith(QLatin1String("Text1"));
        const ControlArray fields = first ? Text1 : Text2;
        const ControlId sign = Check1[first ? 0 : 1];
        for (int index = 0; index < fields.size(); ++index) {
            w().type(fields[index], QStringLiteral("9"));
        }
        if (tickedBefore) {
            w().click(sign);
        }
        QGuiApplication::clipboard()->setText(clipboard);
        auto *target = w().form().findChild<QWidget *>(field);
        if (how == QLatin1String("menu")) {
            w().choose(w().openContextMenu(target), QStringLiteral("Paste"));
        } else {
            w().click(target);
            w().key(Qt::Key_End);
            w().key(how == QLatin1String("Ctrl+V") ? Qt::Key_V : Qt::Key_Insert,
                how == QLatin1String("Ctrl+V") ? Qt::ControlModifier : Qt::ShiftModifier);
        }
        QTRY_COMPARE(QStringList({w().text(fields[2]), w().text(fields[1]), w().text(fields[0])})
                         .join(QLatin1Char('|')),
            after);
        QCOMPARE(w().control<QCheckBox>(sign)->isChecked(), ticked);
        QCOMPARE(w().label(Label5[first ? 0 : 1]), ticked ? QStringLiteral("-") : QString());
        QCOMPARE(w().focusName(), field);  // the focus stays where it was
    }
};

QTEST_MAIN(ConveniencesTest)
#include "tst_conveniences.moc"
