// What desktop users expect of any small program: a click held down as long as
// a person holds it is still carried out, Ctrl+Q quits, and the answer is
// announced to assistive technology.

#include "tests/ui/window_driver.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

using namespace tobarin;  // the controls' names: Text1[0], Command1...

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
        QWidget *widget = w().form().findChild<QWidget *>(target);
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
};

QTEST_MAIN(ConveniencesTest)
#include "tst_conveniences.moc"
