// What desktop users expect of any small program: a click held down as long as
// a person holds it is still carried out, Ctrl+Q quits, and the answer is
// announced to assistive technology.

#include "tests/ui/window_driver.h"

#include <private/qguiapplication_p.h>

#include <QAccessible>
#include <QCheckBox>
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
};

QTEST_MAIN(ConveniencesTest)
#include "tst_conveniences.moc"
