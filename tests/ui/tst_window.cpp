// The window as built: its controls, fonts, starting state, menu bar, tab
// order and the calculations driven through it, at 96 dpi.

#include "tests/ui/window_driver.h"
#include "ui/form1.h"

#include <cmath>
#include <optional>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFontInfo>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

using namespace tobarin;  // the controls' names: Text1[0], Command1...

namespace {

// The widget class of each kind of control.
const char *classOf(Kind kind)
{
    switch (kind) {
    case Kind::Frame:
        return "QGroupBox";
    case Kind::OptionButton:
        return "QRadioButton";
    case Kind::CheckBox:
        return "QCheckBox";
    case Kind::Label:
        return "QLabel";
    case Kind::TextBox:
        return "QLineEdit";
    case Kind::CommandButton:
        return "QPushButton";
    case Kind::Line:
        break;
    }
    return "QWidget";
}

QString captionOf(const QWidget *w)
{
    if (const auto *label = qobject_cast<const QLabel *>(w)) {
        return label->text();
    }
    if (const auto *button = qobject_cast<const QAbstractButton *>(w)) {
        return button->text();
    }
    if (const auto *frame = qobject_cast<const QGroupBox *>(w)) {
        return frame->title();
    }
    if (const auto *field = qobject_cast<const QLineEdit *>(w)) {
        return field->text();
    }
    return {};
}

// An operand as typed: integer part, numerator, denominator, sign box.
struct Operand {
    QString whole;
    QString num;
    QString den;
    bool negative = false;
};

}  // namespace

Q_DECLARE_METATYPE(Operand)

class WindowTest : public tobarin::testing::WindowTestCase {
    Q_OBJECT

private:
    void enter(const Operand &first, int operation, const Operand &second)
    {
        w().click(Option1[operation]);
        const ControlArray fields[] = {Text1, Text2};
        const Operand *operands[] = {&first, &second};
        for (int k = 0; k < 2; ++k) {
            const Operand &op = *operands[k];
            const QString texts[] = {op.den, op.num, op.whole};
            for (int i = 0; i < 3; ++i) {
                if (!texts[i].isEmpty()) {
                    w().type(fields[k][i], texts[i]);
                }
            }
            if (op.negative) {
                w().click(Check1[k]);
            }
        }
    }

private slots:
    // Opening and drawing the window reads no image through Qt's image format
    // plugins, which would load every one installed; the menu bar's overflow
    // button still has its icon once it is drawn. First, while no plugin is in.
    void openingTheWindowLoadsNoImagePlugin()
    {
        const auto pluginsLoaded = [] {
            QFile maps(QStringLiteral("/proc/self/maps"));
            return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/imageformats/");
        };
        QVERIFY(!w().form().grab().isNull());
        QVERIFY(!w().form().windowIcon().isNull());
        QVERIFY(!pluginsLoaded());
        const auto *overflow = w().form().menuBar()->findChild<QToolButton *>(
            QStringLiteral("qt_menubar_ext_button"));
        QVERIFY(overflow);
        QVERIFY(!overflow->icon().pixmap(16).isNull());
    }

    // The window's font stands as the application's only while the window is
    // built: message boxes and other windows keep the application's own.
    void buildingTheWindowLeavesTheApplicationFont()
    {
        const QFont before = QApplication::font();
        const Form1 another;
        QCOMPARE(QApplication::font(), before);
        QVERIFY(before != another.font());
    }

    // Every control as the definition places it, at 96 dpi (15 twips a
    // pixel, to the nearest), with its kind, container, font and caption.
    void controlsMatchTheirDefinition()
    {
        for (const ControlDefinition &row : Controls) {
            const QWidget *c = w().form().control(idOf(row));
            const QString id = QString::fromStdString(idOf(row).objectName());
            QVERIFY2(c->inherits(classOf(row.kind)), qPrintable(id));
            QCOMPARE(c->parentWidget()->objectName(),
                row.container.empty() ? QStringLiteral("ClientArea")
                                      : QString::fromUtf8(row.container.data(),
                                          static_cast<qsizetype>(row.container.size())));
            const PixelBox box = placeOf(
                row, [](int twips) { return static_cast<int>(std::lround(twips / 15.0)); });
            QCOMPARE(c->geometry(), QRect(box.left, box.top, box.width, box.height));
            QVERIFY2(c->isVisible(), qPrintable(id));
            if (row.kind == Kind::Line) {
                continue;
            }
            const FontDefinition &font = fontDefinition(row.font);
            const QString face
                = QString::fromUtf8(font.face.data(), static_cast<qsizetype>(font.face.size()));
            QCOMPARE(c->font().family(), face);
            QCOMPARE(c->font().pointSizeF(), font.points);
            QCOMPARE(c->font().bold(), font.weight == 700);
            QCOMPARE(captionOf(c),
                row.kind == Kind::TextBox ? QString()
                                          : QString::fromUtf8(row.caption.data(),
                                              static_cast<qsizetype>(row.caption.size())));
            // The faces asked for, or their Japanese stand-ins, are really used.
            const QString used = QFontInfo(c->font()).family();
            QVERIFY2(used.contains(QLatin1String("IPA")) || used == face, qPrintable(used));
        }
    }

    void startingStateAndSettings()
    {
        QVERIFY(w().control<QRadioButton>(Option1[0])->isChecked());
        QVERIFY(w().control<QRadioButton>(Option2[0])->isChecked());
        for (int i = 1; i < 4; ++i) {
            QVERIFY(!w().control<QRadioButton>(Option1[i])->isChecked());
        }
        QVERIFY(!w().control<QRadioButton>(Option2[1])->isChecked());
        QVERIFY(!w().control<QCheckBox>(Check1[0])->isChecked());
        QVERIFY(!w().control<QCheckBox>(Check1[1])->isChecked());
        QCOMPARE(w().focusName(), QStringLiteral("Option1(0)"));

        QCOMPARE(w().control<QLineEdit>(Text1[0])->alignment() & Qt::AlignHorizontal_Mask,
            Qt::AlignHCenter);
        QCOMPARE(w().control<QLineEdit>(Text2[2])->alignment() & Qt::AlignHorizontal_Mask,
            Qt::AlignRight);
        QCOMPARE(
            w().control<QLabel>(Label1[2])->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        QCOMPARE(w().control<QLabel>(Label1[0])->alignment() & Qt::AlignHorizontal_Mask,
            Qt::AlignHCenter);
        QCOMPARE(w().control(Label7)->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        for (const ControlId command : {Command1, Command2, Command3}) {
            const auto *button = w().control<QPushButton>(command);
            QVERIFY(!button->isDefault() && !button->autoDefault());
        }

        const tobarin::Form1 &form = w().form();
        QCOMPARE(form.windowTitle(), QStringLiteral("Tobarin"));
        QCOMPARE(form.windowIcon().availableSizes(), QList<QSize> {QSize(32, 32)});
        QCOMPARE(form.centralWidget()->size(), QSize(472, 303));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QCOMPARE(form.height(), form.menuBar()->height() + 303);
        // Opened in the middle of the screen, give or take the window frame.
        const QPoint offCentre
            = form.frameGeometry().center() - form.screen()->availableGeometry().center();
        QVERIFY(qAbs(offCentre.x()) <= 10 && qAbs(offCentre.y()) <= 10);
    }

    void menuBarHoldsTwoCommandsThatActAtOnce()
    {
        const QList<QAction *> actions = w().form().menuBar()->actions();
        QCOMPARE(actions.size(), 2);
        QCOMPARE(actions[0]->objectName(), QStringLiteral("FileExit"));
        QCOMPARE(actions[0]->text(), QStringLiteral("終了"));
        QCOMPARE(actions[1]->objectName(), QStringLiteral("FileBer"));
        QCOMPARE(actions[1]->text(), QStringLiteral("バージョン情報"));
        for (const QAction *action : actions) {
            QVERIFY(!action->menu());
            QVERIFY(action->shortcut().isEmpty());
        }
        // A click on 終了 in the menu bar closes the window at once.
        w().clickMenu(0);
        QTRY_VERIFY(!w().form().isVisible());
    }

    void tabVisitsThirteenStopsInOrder()
    {
        const QStringList stops {"Option1(0)", "Option2(0)", "Text1(0)", "Text1(1)", "Text1(2)",
            "Check1(0)", "Text2(0)", "Text2(1)", "Text2(2)", "Check1(1)", "Command1", "Command2",
            "Command3"};
        QStringList forwards;
        for (int i = 0; i < stops.size(); ++i) {
            forwards << w().focusName();
            w().key(Qt::Key_Tab);
        }
        QCOMPARE(forwards, stops);
        QCOMPARE(w().focusName(), stops.first());  // round to the first again

        QStringList backwards;
        for (int i = 0; i < stops.size(); ++i) {
            w().key(Qt::Key_Backtab, Qt::ShiftModifier);
            backwards.prepend(w().focusName());
        }
        QCOMPARE(backwards, stops);
    }

    void onlyTheSelectedOptionIsATabStop()
    {
        w().click(Option1[2]);
        w().click(Option2[1]);
        w().click(Text1[0]);
        w().key(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(w().focusName(), QStringLiteral("Option2(1)"));
        w().key(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(w().focusName(), QStringLiteral("Option1(2)"));
    }

    void enterAndEscapeDoNothing()
    {
        w().type(Text1[1], QStringLiteral("1"));
        w().type(Text1[0], QStringLiteral("2"));
        w().key(Qt::Key_Return);
        w().key(Qt::Key_Enter);
        w().key(Qt::Key_Escape);
        QCOMPARE(w().answer(), QStringLiteral("||/|bar"));
        QVERIFY(w().form().isVisible());
    }

    void checkBoxTakesClicksOnTheFrameEdge()
    {
        // A point of Check1(0) that lies over Frame3's top edge, right of its box and text.
        auto *check = w().control<QCheckBox>(Check1[0]);
        const QWidget *frame = w().control(Frame3);
        const QPoint onEdge(check->width() - 3, 3);
        QVERIFY(frame->rect().contains(frame->mapFromGlobal(check->mapToGlobal(onEdge))));
        w().click(check, onEdge);
        QVERIFY(check->isChecked());
    }

    void calculate_data()
    {
        QTest::addColumn<Operand>("first");
        QTest::addColumn<int>("operation");
        QTest::addColumn<Operand>("second");
        QTest::addColumn<QString>("expected");

        // The rows the browser page's tests use too (tests/calculations.json):
        // an operand is [integer part, numerator, denominator, negative].
        QFile file(QStringLiteral(TOBARIN_CALCULATIONS));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonArray rows = QJsonDocument::fromJson(file.readAll()).array();
        QVERIFY(!rows.isEmpty());
        const auto operand = [](const QJsonValue &value) {
            const QJsonArray parts = value.toArray();
            return Operand {parts[0].toString(), parts[1].toString(), parts[2].toString(),
                parts[3].toBool(false)};
        };
        for (const auto &value : rows) {
            const QJsonObject row = value.toObject();
            QTest::newRow(qPrintable(row[QStringLiteral("name")].toString()))
                << operand(row[QStringLiteral("first")]) << row[QStringLiteral("operation")].toInt()
                << operand(row[QStringLiteral("second")])
                << row[QStringLiteral("expected")].toString();
        }
    }

    void calculate()
    {
        QFETCH(Operand, first);
        QFETCH(int, operation);
        QFETCH(Operand, second);
        QFETCH(QString, expected);

        enter(first, operation, second);
        w().click(Command1);
        QCOMPARE(w().answer(), expected);
    }

    void longAnswerIsDrawnSmallerWithItsFullText()
    {
        enter({"999", "9998", "9999"}, 2, {"999", "9998", "9999"});
        w().click(Command1);
        auto *den = w().control<QLabel>(Label1[0]);
        const QRect before = den->geometry();
        QCOMPARE(den->text(), QStringLiteral("99980001"));
        QVERIFY(den->font().pointSizeF() < 14.25);
        QVERIFY(QFontMetrics(den->font()).horizontalAdvance(den->text())
            <= den->contentsRect().width());
        QCOMPARE(den->toolTip(), den->text());
        QVERIFY(den->accessibleName().contains(den->text()));
        QCOMPARE(den->geometry(), before);

        // A short answer is drawn at full size again, with no tool tip.
        w().click(Option1[0]);
        w().click(Command1);
        QCOMPARE(den->font().pointSizeF(), 14.25);
        QVERIFY(den->toolTip().isEmpty());
    }

    void missingDenominatorShowsTheErrorBox()
    {
        enter({"", "5", "0"}, 0, {"", "1", "2"});
        w().click(Command1);
        const auto seen = boxes().take();
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].text, QStringLiteral("分母を１以上の整数にしてください。"));
        QCOMPARE(seen[0].title, QStringLiteral("エラーメッセージ"));
        QCOMPARE(seen[0].icon, QMessageBox::Critical);
        QCOMPARE(seen[0].buttons.size(), 1);
        QCOMPARE(w().answer(), QStringLiteral("||/|bar"));
    }

    void runTimeErrorIsReportedAndTheWindowGoesOn_data()
    {
        QTest::addColumn<Operand>("first");
        QTest::addColumn<int>("operation");
        QTest::addColumn<Operand>("second");
        QTest::addColumn<QString>("report");

        QTest::newRow("1/2 / nothing") << Operand {"", "1", "2"} << 3 << Operand {}
                                       << "実行時エラー 11\n0 でわることはできません。";
        QTest::newRow("1/4e7 + 3/4e7") << Operand {"", "1", "4e7"} << 0 << Operand {"", "3", "4e7"}
                                       << "実行時エラー 6\n桁あふれが発生しました。";
    }

    void runTimeErrorIsReportedAndTheWindowGoesOn()
    {
        QFETCH(Operand, first);
        QFETCH(int, operation);
        QFETCH(Operand, second);
        QFETCH(QString, report);

        enter(first, operation, second);
        w().click(Command1);
        const auto seen = boxes().take();
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].text, report);
        QCOMPARE(seen[0].title, QStringLiteral("Tobarin"));
        QCOMPARE(seen[0].icon, QMessageBox::Critical);
        QCOMPARE(seen[0].buttons.size(), 1);
        QCOMPARE(w().answer(), QStringLiteral("||/|bar"));

        // The program goes on: the next calculation works.
        for (const ControlArray fields : {Text1, Text2}) {
            for (int i = 0; i < 3; ++i) {
                w().control<QLineEdit>(fields[i])->clear();
            }
        }
        w().click(Option1[0]);
        w().type(Text2[1], QStringLiteral("1"));
        w().type(Text2[0], QStringLiteral("2"));
        w().click(Command1);
        QCOMPARE(w().answer(), QStringLiteral("||1/2|bar"));
    }

    void selectedImproperFormRunsAgainOnClick()
    {
        w().click(Option2[1]);
        enter({"", "7", "3"}, 0, {});
        w().click(Command1);
        QCOMPARE(w().answer(), QStringLiteral("|2|1/3|bar"));  // Calculate leaves the mixed form
        QVERIFY(w().control<QRadioButton>(Option2[1])->isChecked());

        w().click(Option2[1]);
        QCOMPARE(w().answer(), QStringLiteral("||7/3|bar"));
        w().click(Option2[1]);
        QCOMPARE(w().answer(), QStringLiteral("||7/3|bar"));
        w().click(Option2[0]);
        QCOMPARE(w().answer(), QStringLiteral("|2|1/3|bar"));
        w().click(Option2[0]);
        QCOMPARE(w().answer(), QStringLiteral("|2|1/3|bar"));
    }

    void quitButtonClosesTheWindow()
    {
        w().click(Command3);
        QTRY_VERIFY(!w().form().isVisible());
    }
};

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
