// What assistive technology finds in the window: every control with the role
// of its kind and a name that says what it is, and the answer read whole.

#include "tests/ui/window_driver.h"

#include <optional>

#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

#ifndef Q_MOC_RUN
#include "engine/window/answer.h"
#endif

using namespace tobarin;  // the controls' names: Text1[0], Command1...

namespace {

QAccessible::Role roleOfKind(const QWidget *w)
{
    if (qobject_cast<const QLineEdit *>(w)) {
        return QAccessible::EditableText;
    }
    if (qobject_cast<const QLabel *>(w)) {
        return QAccessible::StaticText;
    }
    if (qobject_cast<const QCheckBox *>(w)) {
        return QAccessible::CheckBox;
    }
    if (qobject_cast<const QRadioButton *>(w)) {
        return QAccessible::RadioButton;
    }
    if (qobject_cast<const QPushButton *>(w)) {
        return QAccessible::Button;
    }
    if (qobject_cast<const QGroupBox *>(w)) {
        return QAccessible::Grouping;
    }
    return QAccessible::Separator;  // the three bars
}

// Every accessible object under the window, depth first.
void collect(QAccessibleInterface *node, QList<QAccessibleInterface *> &found)
{
    for (int i = 0; i < node->childCount(); ++i) {
        if (QAccessibleInterface *child = node->child(i)) {
            found.append(child);
            collect(child, found);
        }
    }
}

}  // namespace

class AccessibilityTest : public tobarin::testing::WindowTestCase {
    Q_OBJECT

private slots:
    void everyControlHasItsRoleAndAName()
    {
        QList<QAccessibleInterface *> found;
        collect(QAccessible::queryAccessibleInterface(&w().form()), found);

        QMap<QString, QString> names;  // control → accessible name
        for (QAccessibleInterface *node : found) {
            auto *widget = qobject_cast<QWidget *>(node->object());
            if (!widget
                || !QRegularExpression(QStringLiteral("^(Text|Check|Option|Label|Frame|"
                                                      "Line|Command)\\d"))
                        .match(widget->objectName())
                        .hasMatch()) {
                continue;
            }
            const QString id = widget->objectName();
            QCOMPARE(node->role(), roleOfKind(widget));
            const QString name = node->text(QAccessible::Name);
            QVERIFY2(!name.trimmed().isEmpty(), qPrintable(id));
            names.insert(id, name);
        }
        QCOMPARE(names.size(), 33);  // all of them are reachable

        // Names tell like controls apart.
        QCOMPARE(QSet<QString>(names.cbegin(), names.cend()).size(), names.size());
        QCOMPARE(names.value(QStringLiteral("Text1(0)")), QStringLiteral("1つ目の数の分母"));
        QCOMPARE(
            names.value(QStringLiteral("Check1(1)")), QStringLiteral("2つ目の数をマイナスにする"));

        // The menu bar's two commands are named by their captions.
        QStringList menuItems;
        for (QAccessibleInterface *node : found) {
            if (node->role() == QAccessible::MenuItem) {
                menuItems << node->text(QAccessible::Name);
            }
        }
        QCOMPARE(menuItems, (QStringList {"終了", "バージョン情報"}));
    }

    void labelsReadWhatTheyShow()
    {
        w().click(Option1[2]);
        QAccessibleInterface *sign = QAccessible::queryAccessibleInterface(w().control(Label3));
        QCOMPARE(sign->text(QAccessible::Name), QStringLiteral("計算の記号 ×"));
    }

    void answerIsReadWhole_data()
    {
        QTest::addColumn<QString>("num1");
        QTest::addColumn<QString>("den1");
        QTest::addColumn<bool>("negative");
        QTest::addColumn<QString>("spoken");

        QTest::newRow("-(3/2)") << "3"
                                << "2" << true << "答え マイナス 1 と 2分の1";
        QTest::newRow("5/6") << "5"
                             << "6" << false << "答え 6分の5";
        QTest::newRow("4/2") << "4"
                             << "2" << false << "答え 2";
        QTest::newRow("0") << ""
                           << "" << false << "答え 0";
    }

    void answerIsReadWhole()
    {
        QFETCH(QString, num1);
        QFETCH(QString, den1);
        QFETCH(bool, negative);
        QFETCH(QString, spoken);

        w().type(Text1[1], num1);
        w().type(Text1[0], den1);
        if (negative) {
            w().click(Check1[0]);
        }
        w().click(Command1);
        for (int i = 0; i < 4; ++i) {
            QAccessibleInterface *label
                = QAccessible::queryAccessibleInterface(w().control(Label1[i]));
            QCOMPARE(label->text(QAccessible::Description), spoken);
        }

        w().click(Command2);  // Clear: no answer, nothing to read
        QCOMPARE(QAccessible::queryAccessibleInterface(w().control(Label1[2]))
                     ->text(QAccessible::Description),
            QString());
    }

    void spokenAnswerWording()
    {
        QCOMPARE(
            tobarin::spokenAnswer(fractionNumber(1, 4, true)), std::string("答え マイナス 4分の1"));
        QCOMPARE(tobarin::spokenAnswer(wholeNumber(12)), std::string("答え 12"));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
