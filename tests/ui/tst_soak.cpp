// A long run of random user actions on the real window: clicks anywhere,
// typed and pasted characters, Tab, arrows, Space, the menu commands. After
// every Calculate the answer must equal the exact result for the fields as
// they then stand, or the right message must have appeared; no message box may
// stay open; memory must not grow.
//
// TOBARIN_SOAK_SEED picks the random sequence (it is printed on failure) and
// TOBARIN_SOAK_ACTIONS the number of actions (20,000 by default).

#include "tests/ui/window_driver.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QTest>

#include "form/definition.h"

// moc reads this file too and stumbles over the C++20 library headers
// (<compare>, <concepts>).
#ifndef Q_MOC_RUN
#include "tests/oracle/calculation_oracle.h"

#include <fstream>
#include <limits>
#include <optional>
#include <random>
#endif

using namespace tobarin;  // the controls' names: Text1[0], Command1...

using tobarin::testing::MessageBoxWatch;
using tobarin::testing::WindowDriver;
namespace oracle = tobarin::oracle;

namespace {

const QString Overflow = QStringLiteral("実行時エラー 6\n桁あふれが発生しました。");
const QString DivisionByZero = QStringLiteral("実行時エラー 11\n0 でわることはできません。");
const QString DenominatorMessage = QStringLiteral("分母を１以上の整数にしてください。");

long residentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return 0;
}

std::uint64_t environmentNumber(const char *name, std::uint64_t fallback)
{
    const QByteArray value = qgetenv(name);
    return value.isEmpty() ? fallback : value.toULongLong();
}

}  // namespace

class SoakTest : public QObject {
    Q_OBJECT

private:
    std::optional<MessageBoxWatch> m_boxes;
    std::optional<WindowDriver> m_window;
    std::mt19937_64 m_random;
    QStringList m_expectedBoxes;  // what the current action must show
    QString m_problem;  // the first fault seen inside a handler's signal
    int m_calculations = 0;
    int m_answers = 0;

    WindowDriver &w() { return *m_window; }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    void openWindow()
    {
        m_window.emplace();
        // Runs after the window's own handler: Calculate has finished.
        connect(qobject_cast<QAbstractButton *>(w().control(Command1)), &QAbstractButton::clicked,
            this, &SoakTest::checkCalculation);
    }

    void checkCalculation()
    {
        ++m_calculations;
        oracle::Fields fields;
        const ControlArray arrays[] = {Text1, Text1, Text1, Text2, Text2, Text2};
        for (std::size_t i = 0; i < 6; ++i) {
            fields[i] = w().text(arrays[i][2 - static_cast<int>(i % 3)]).toStdString();
        }
        int operation = 4;
        for (int i = 3; i >= 0; --i) {
            if (w().control<QRadioButton>(Option1[i])->isChecked()) {
                operation = i;
            }
        }
        const bool negativeA = w().control<QCheckBox>(Check1[0])->isChecked();
        const bool negativeB = w().control<QCheckBox>(Check1[1])->isChecked();
        const oracle::Outcome expected
            = oracle::predictCalculation(fields, negativeA, negativeB, operation);

        const bool bar = !w().form().control(Line3)->isHidden();
        const auto label = [this](int i) { return w().label(Label1[i]).toStdString(); };
        std::string problem;
        switch (expected.kind) {
        case oracle::Outcome::Answer:
            ++m_answers;
            problem
                = oracle::checkAnswer(label(3), label(2), label(1), label(0), bar, expected.value);
            break;
        case oracle::Outcome::Message:
            m_expectedBoxes << DenominatorMessage;
            break;
        case oracle::Outcome::Error:
            m_expectedBoxes << (expected.error == 6 ? Overflow : DivisionByZero);
            break;
        }
        if (expected.kind != oracle::Outcome::Answer
            && (!label(0).empty() || !label(1).empty() || !label(2).empty() || !label(3).empty()
                || !bar)) {
            problem = "the answer must stay cleared after a message or an error";
        }
        if (!problem.empty() && m_problem.isEmpty()) {
            m_problem = QString::fromStdString(problem) + QStringLiteral(" for the fields [")
                + QString::fromStdString(fields[0] + " " + fields[1] + "/" + fields[2] + "] op "
                    + std::to_string(operation) + " [" + fields[3] + " " + fields[4] + "/"
                    + fields[5] + "] signs " + std::to_string(negativeA)
                    + std::to_string(negativeB));
        }
    }

    QString randomText(int length)
    {
        static const QStringList pieces {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "1",
            "2", "3", "5", "7", "9", "-", "+", ".", "e", "E", "d", "&", "H", "O", " ", "a", "x",
            "１", "２", "－", "＋", "あ", "分"};
        QString text;
        for (int i = 0; i < length; ++i) {
            text += pieces.at(pick(0, static_cast<int>(pieces.size()) - 1));
        }
        return text;
    }

    // A field that had the focus and is left now normalises the text it had
    // before the action (a click on 消す empties it only after the focus has
    // moved); an overflow there is reported after the move. The focus is
    // followed inside the window: the menu bar, a message box or another
    // window taking it (「途中式と答え合わせ」, opened by a click on the
    // answer) leave the window's own focus where it was.
    void expectLeavingReport(QWidget *before, const QString &textBefore)
    {
        auto *field = qobject_cast<QLineEdit *>(before);
        if (!field || w().form().focusWidget() == field || !w().form().isVisible()) {
            return;
        }
        const std::string text = textBefore.toStdString();
        if (text == "-") {
            return;
        }
        try {
            const std::int32_t v = tobarin::ToLong(tobarin::TextValue(text));
            if (!text.empty() && v == std::numeric_limits<std::int32_t>::min()) {
                m_expectedBoxes.prepend(Overflow);
            }
        } catch (const tobarin::RuntimeError &) {
            m_expectedBoxes.prepend(Overflow);
        }
    }

    // One random action; returns what it was, for the report of a failure.
    QString act()
    {
        const int kind = pick(0, 99);
        if (kind < 30) {  // a click anywhere on a control, 終了 seldom
            auto row = Controls.at(static_cast<std::size_t>(pick(0, 32)));
            if (idOf(row) == Command3 && pick(0, 9) != 0) {
                row = Controls.at(static_cast<std::size_t>(pick(0, 32)));
            }
            QWidget *target = w().form().control(idOf(row));
            const QPoint at(pick(0, std::max(0, target->width() - 1)),
                pick(0, std::max(0, target->height() - 1)));
            w().click(target, at);
            return QStringLiteral("click %1 at %2,%3")
                .arg(target->objectName())
                .arg(at.x())
                .arg(at.y());
        }
        if (kind < 40) {
            w().click(Command1);
            return QStringLiteral("click Command1");
        }
        if (kind < 62) {
            const QString text = randomText(pick(1, 3));
            w().activate();
            w().typeText(text);
            return QStringLiteral("type '%1'").arg(text);
        }
        if (kind < 76) {
            const bool back = pick(0, 2) == 0;
            w().key(
                back ? Qt::Key_Backtab : Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
            return back ? QStringLiteral("Shift+Tab") : QStringLiteral("Tab");
        }
        if (kind < 81) {
            const Qt::Key keys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right};
            const Qt::Key key = keys[pick(0, 3)];
            w().key(key);
            return QStringLiteral("arrow %1").arg(key);
        }
        if (kind < 86) {
            w().key(Qt::Key_Space);
            return QStringLiteral("Space");
        }
        if (kind < 91) {
            const Qt::Key key = pick(0, 1) ? Qt::Key_Backspace : Qt::Key_Delete;
            w().key(key);
            return QStringLiteral("Backspace or Delete");
        }
        if (kind < 93) {
            const Qt::Key key = pick(0, 1) ? Qt::Key_Return : Qt::Key_Escape;
            w().key(key);
            return QStringLiteral("Return or Escape");
        }
        if (kind < 96) {
            const QString text = randomText(pick(1, 6));
            QGuiApplication::clipboard()->setText(text);
            w().key(Qt::Key_V, Qt::ControlModifier);
            return QStringLiteral("paste '%1'").arg(text);
        }
        if (kind < 99 || pick(0, 4) != 0) {
            m_expectedBoxes << QStringLiteral(
                "Tobarinver2.3.0\nCopyright (C) 2026 Tobarin contributors\ntobarin@example.org");
            w().clickMenu(1);
            return QStringLiteral("menu バージョン情報");
        }
        w().clickMenu(0);
        return QStringLiteral("menu 終了");
    }

private slots:
    void randomActions()
    {
        const std::uint64_t seed = environmentNumber("TOBARIN_SOAK_SEED", 20261207);
        const auto actions = static_cast<int>(environmentNumber("TOBARIN_SOAK_ACTIONS", 20000));
        m_random.seed(seed);
        QGuiApplication::setQuitOnLastWindowClosed(false);
        m_boxes.emplace();
        openWindow();

        long rssAtStart = 0;
        int closings = 0;
        const int warmUp = std::min(1000, actions / 10);
        for (int i = 0; i < actions; ++i) {
            if (i == warmUp) {
                rssAtStart = residentKilobytes();
            }
            m_expectedBoxes.clear();
            QWidget *focusBefore = w().form().focusWidget();
            const auto *fieldBefore = qobject_cast<QLineEdit *>(focusBefore);
            const QString textBefore = fieldBefore ? fieldBefore->text() : QString();
            const QString action = act();
            expectLeavingReport(focusBefore, textBefore);
            QCoreApplication::processEvents();  // a report waiting for the focus move shows now

            const QString where
                = QStringLiteral("seed %1, action %2: %3").arg(seed).arg(i).arg(action);
            QVERIFY2(m_problem.isEmpty(), qPrintable(m_problem + QStringLiteral("\n  ") + where));
            QStringList seen;
            for (const auto &box : m_boxes->take()) {
                seen << box.text;
            }
            QVERIFY2(seen == m_expectedBoxes,
                qPrintable(where + QStringLiteral("\n  message boxes seen: [")
                    + seen.join(QStringLiteral("] [")) + QStringLiteral("]\n  expected: [")
                    + m_expectedBoxes.join(QStringLiteral("] [")) + QLatin1Char(']')));
            QVERIFY2(!QApplication::activeModalWidget(), qPrintable(where));

            if (!w().form().isVisible()) {  // 終了 closed the window: open a new one
                ++closings;
                m_window.reset();
                openWindow();
            }
        }
        const long growth = residentKilobytes() - rssAtStart;
        qInfo("%d actions (seed %llu): %d calculations, %d answers checked, %d windows closed, "
              "resident memory grew %ld kB",
            actions, static_cast<unsigned long long>(seed), m_calculations, m_answers, closings,
            growth);
        QVERIFY(m_calculations > actions / 20);
        QVERIFY(m_answers > m_calculations / 10);
        // Under AddressSanitizer freed memory waits in quarantine, so resident
        // memory grows anyway; LeakSanitizer checks for leaks at exit instead.
#ifndef __SANITIZE_ADDRESS__
        QVERIFY2(growth < 5L * 1024, qPrintable(QStringLiteral("grew %1 kB").arg(growth)));
#endif
    }
};

QTEST_MAIN(SoakTest)
#include "tst_soak.moc"
