// The window 「練習」: F3 opens it, one window however often; a set typed as
// its code answered with the keyboard, one problem right, one missed twice,
// one right at the second try; the score, the problems missed with their
// working, the result code with the 出席番号 kept from the choosing page and
// コピー, the record kept where the command line keeps it, and told when it
// cannot be kept.

#include "tests/ui/window_driver.h"

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#ifndef Q_MOC_RUN
#include "engine/practice/generator.h"
#include "engine/practice/round.h"
#include "engine/results/result_code.h"
#include "engine/solve.h"
#include "ui/paper/printing.h"
#include "ui/practice/practice_window.h"
#include "ui/system/record_file.h"
#endif

using namespace tobarin;

namespace {

const QString RecordKey = QStringLiteral("practice/record");

QWidget *practiceWindow()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String("PracticeWindow") && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

template <typename Widget = QWidget> Widget *part(const char *name)
{
    QWidget *window = practiceWindow();
    return window ? window->findChild<Widget *>(QLatin1String(name)) : nullptr;
}

QString text(const char *name)
{
    return part<QLabel>(name)->text();
}

QString digits(wide::Int128 value)
{
    return QString::fromStdString(wide::decimalText(value));
}

// Types an answer as a pupil does, from the denominator that has the focus,
// Tab to the numerator and the integer part, each field's text (selected as
// the focus comes) replaced, and checks it with Enter. With an input method,
// the digits come full-width.
void answer(const WrittenNumber &number, bool inputMethod = false)
{
    QCOMPARE(QApplication::focusWidget(), part("AnswerDenominator"));
    const QString fields[] = {number.hasFraction ? digits(number.den) : QString(),
        number.hasFraction ? digits(number.num) : QString(),
        number.hasWhole ? digits(number.whole) : QString()};
    for (const QString &field : fields) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        if (!inputMethod) {
            QTest::keyClicks(QApplication::focusWidget(), field);
        } else {
            QString wide;
            for (const QChar c : field) {
                wide += QChar(c.unicode() - u'0' + u'０');
            }
            QInputMethodEvent commit;
            commit.setCommitString(wide);
            QApplication::sendEvent(QApplication::focusWidget(), &commit);
        }
        if (&field != &fields[2]) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

}  // namespace

class PracticeTest : public tobarin::testing::WindowTestCase {
    Q_OBJECT

private slots:
    void aRoundFromItsCode()
    {
        QSettings(QStringLiteral("Tobarin"), QStringLiteral("Tobarin")).remove(RecordKey);
        const QString record = QFile::decodeName(QByteArray::fromStdString(RecordFile().path()));
        QFile::remove(record);
        QDir().rmdir(record);
        QWidget *opened = nullptr;
        for (int time = 0; time < 2; ++time) {
            w().key(Qt::Key_F3);
            QTRY_VERIFY(practiceWindow() && practiceWindow()->isActiveWindow());
            QVERIFY(!opened || practiceWindow() == opened);
            opened = practiceWindow();
            w().activate();
        }
        opened->activateWindow();
        QTRY_VERIFY(opened->isActiveWindow());

        // The 出席番号, given once on the choosing page.
        part<QSpinBox>("PupilNumber")->setValue(12);
        // From the unit past the level, the count and はじめる to the code.
        QTRY_COMPARE(QApplication::focusWidget(), part("Unit"));
        for (int stop = 0; stop < 4; ++stop) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        const char *code = "p1:5-unlike:2:3:7";
        QTest::keyClicks(part("CodeEntry"), QLatin1String(code));
        QTest::keyClick(part("CodeEntry"), Qt::Key_Return);
        const practice::PracticeSet set
            = practice::practiceSet(practice::parseSetCode(code).value.value());
        QCOMPARE(part<QLineEdit>("SetCode")->text(), QLatin1String(code));

        const auto right = [&set](std::size_t i) {
            return solve(set.problems.at(i).problem, AnswerForm::Mixed).answer.value();
        };
        const auto wrong = [&right](std::size_t i) {  // the right value and 1 more
            WrittenNumber number = right(i);
            number.whole += 1;
            number.hasWhole = true;
            return number;
        };
        const auto told = [](std::size_t i, const AnswerCheck &check) {
            return QStringLiteral("(%1) ").arg(i + 1) + QString::fromStdString(check.text);
        };
        const auto checked = [&set](std::size_t i, const WrittenNumber &number) {
            return checkAnswer(set.problems.at(i).problem, number);
        };

        // (1) Right: on to (2) at once, which is drawn and counted.
        answer(right(0));
        QCOMPARE(text("Verdict"), told(0, checked(0, right(0))));
        QCOMPARE(text("Progress"), QStringLiteral("2 / 3"));
        QCOMPARE(part("Problem")->accessibleDescription(),
            QString::fromStdString(set.problems[1].expression + " ="));

        // (2) Wrong, typed through an input method: its hint, told on the
        // field that keeps the focus, and a second try.
        answer(wrong(1), true);
        const AnswerCheck hint = checked(1, wrong(1));
        QVERIFY(categoryOf(hint.verdict) == VerdictCategory::Wrong);
        const QString again = told(1, hint) + u'\n' + QString::fromUtf8(practice::TryOnceMore);
        QCOMPARE(text("Verdict"), again);
        QCOMPARE(part("AnswerDenominator")->accessibleDescription(), again);
        QVERIFY(part("WorkingArea")->isHidden());
        // Wrong again: the working, and 次の問題へ with the focus.
        answer(wrong(1));
        const QString working = QString::fromStdString(
            workingText(solve(set.problems[1].problem, AnswerForm::Mixed).working));
        QVERIFY(part("WorkingArea")->isVisible());
        QCOMPARE(part("Working")->accessibleDescription(), working);
        QCOMPARE(QApplication::focusWidget(), part("NextProblem"));
        QVERIFY(!part("AnswerDenominator")->isEnabled());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);

        // (3) Wrong, then right: the end.
        QCOMPARE(text("Progress"), QStringLiteral("3 / 3"));
        answer(wrong(2));
        QVERIFY(part("Round")->isVisible());
        answer(right(2));
        QTRY_VERIFY(part("Result")->isVisible());
        QVERIFY(!part("Round")->isVisible());
        QCOMPARE(text("Score"), QStringLiteral("3問中2問正解（1回目で1問）"));
        QVERIFY(text("Time").startsWith(QStringLiteral("かかった時間: ")));
        // The one problem missed, with its working.
        const auto missed
            = part("Missed")->findChildren<QWidget *>(QStringLiteral("MissedWorking"));
        QCOMPARE(missed.size(), 1);
        QCOMPARE(missed[0]->accessibleDescription(), working);

        // The result code: the marks as they went and the 出席番号, its QR
        // code beside it, and コピー puts it on the clipboard.
        const QString resultCode = part<QLineEdit>("ResultCode")->text();
        const results::ReadResult read = results::readResultCode(resultCode.toStdString());
        QVERIFY2(read.code, read.message.c_str());
        QCOMPARE(read.code->number, 12);
        const results::Mark marks[]
            = {results::Mark::First, results::Mark::Missed, results::Mark::Second};
        for (std::size_t i = 0; i < 3; ++i) {
            QVERIFY(read.code->problems.at(i).mark == marks[i]);
        }
        QVERIFY(!part<QLabel>("ResultQr")->pixmap().isNull());
        QApplication::clipboard()->clear();
        QTest::mouseClick(part<QPushButton>("CopyResult"), Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->text(), resultCode);
        QCOMPARE(text("Copied"), QStringLiteral("コピーしました。"));
        // The number is kept for every window after.
        const PracticeWindow another;
        QCOMPARE(another.findChild<QSpinBox *>(QStringLiteral("PupilNumber"))->value(), 12);

        // The record: each problem's tags, right at the first try or not.
        practice::Record expected;
        const practice::Round::Result results[] = {practice::Round::Result::First,
            practice::Round::Result::Missed, practice::Round::Result::Second};
        for (std::size_t i = 0; i < 3; ++i) {
            expected.note(set.code.unit, set.problems[i].tags, results[i]);
        }
        QVERIFY(RecordFile().read().record == expected);

        // PDFに保存… and 解答をPDFに保存…: the file chosen in the dialog holds
        // the sheet or its key, a file each; a folder that does not exist is
        // told in a message box, and no file is left.
        const QTemporaryDir folder;
        const struct {
            const char *button;
            QString path;
            bool written;
        } saves[] = {{"SaveSheet", folder.filePath(QStringLiteral("sheet.pdf")), true},
            {"SaveSheet", folder.filePath(QStringLiteral("none/sheet.pdf")), false},
            {"SaveKey", folder.filePath(QStringLiteral("key.pdf")), true},
            {"SaveKey", folder.filePath(QStringLiteral("none/key.pdf")), false}};
        for (const auto &save : saves) {
            QTimer::singleShot(0, [&save] {
                auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                dialog->selectFile(save.path);
                QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
            });
            QTest::mouseClick(part<QPushButton>(save.button), Qt::LeftButton);
            QFile file(save.path);
            QCOMPARE(file.open(QIODevice::ReadOnly) && file.read(5) == "%PDF-", save.written);
            const auto seen = boxes().take();
            QCOMPARE(seen.size(), save.written ? 0 : 1);
            QVERIFY(save.written
                || (seen[0].text.contains(save.path)
                    && seen[0].text.contains(QStringLiteral("そのフォルダーがありません。"))));
        }

        // 印刷…: the print dialog comes from a module of its own, and Qt Print
        // Support is loaded only then; cancelled, nothing is said. A module
        // that cannot be loaded is told in a message box.
        const auto printSupportIn = [] {
            QFile maps(QStringLiteral("/proc/self/maps"));
            return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6PrintSupport");
        };
        QVERIFY(!printSupportIn());
        const QString missing = folder.filePath(QStringLiteral("none.so"));
        for (const QString &module : {missing, QStringLiteral(TOBARIN_PRINT_MODULE)}) {
            setPrintModule(module);
            bool dialogSeen = false;
            QTimer::singleShot(0, [&dialogSeen] {
                auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
                dialogSeen = dialog && dialog->inherits("QPrintDialog");
                if (dialogSeen) {
                    dialog->reject();
                }
            });
            QTest::mouseClick(part<QPushButton>("PrintSheet"), Qt::LeftButton);
            const auto seen = boxes().take();
            QCOMPARE(dialogSeen, module != missing);
            QCOMPARE(printSupportIn(), module != missing);
            QCOMPARE(seen.size(), module == missing ? 1 : 0);
            QVERIFY(module != missing || seen[0].text.contains(missing));
        }

        // A record that cannot be kept (a folder in its place) is told once a round.
        QVERIFY(QFile::remove(record) && QDir().mkdir(record));
        QTest::mouseClick(part<QPushButton>("Again"), Qt::LeftButton);
        practiceWindow()->activateWindow();
        QTRY_COMPARE(QApplication::focusWidget(), part("AnswerDenominator"));
        answer(right(0));
        QTRY_VERIFY(!boxes().empty());
        practiceWindow()->activateWindow();
        QTRY_COMPARE(QApplication::focusWidget(), part("AnswerDenominator"));
        answer(right(1));
        const auto seen = boxes().take();
        QDir().rmdir(record);
        QCOMPARE(seen.size(), 1);
        QVERIFY(seen[0].text.startsWith(QString::fromUtf8(practice::RecordNotSaved)));
        QVERIFY(seen[0].text.contains(record));
        QVERIFY(seen[0].text.contains(QStringLiteral("ファイルではなく、フォルダーです。")));
    }

    // A 通分 is typed on the line that stands in the fields' place, its
    // fractions joined by 、 through an input method, under the problem's own
    // instruction; the window lists the conversion units among the others.
    void aConversionIsTypedOnALine()
    {
        QSettings(QStringLiteral("Tobarin"), QStringLiteral("Tobarin")).remove(RecordKey);
        w().key(Qt::Key_F3);
        QTRY_VERIFY(practiceWindow() && practiceWindow()->isActiveWindow());
        QCOMPARE(part<QComboBox>("Unit")->count(), static_cast<int>(practice::units().size()));
        const char *code = "p2:5-common:2:2:2026";
        QTest::keyClicks(part("CodeEntry"), QLatin1String(code));
        QTest::keyClick(part("CodeEntry"), Qt::Key_Return);
        const practice::PracticeSet set
            = practice::practiceSet(practice::parseSetCode(code).value.value());
        for (const practice::PracticeProblem &problem : set.problems) {
            QCOMPARE(text("FormWanted"), QStringLiteral("通分しましょう。"));
            QTRY_COMPARE(QApplication::focusWidget(), part("AnswerLine"));
            QVERIFY(
                !part("AnswerDenominator")->isVisible() && !part("AnswerNegative")->isVisible());
            QInputMethodEvent commit;
            commit.setCommitString(
                QString::fromStdString(answerText(solve(problem.problem, AnswerForm::Mixed)))
                    .replace(QStringLiteral(", "), QStringLiteral("、")));
            QApplication::sendEvent(QApplication::focusWidget(), &commit);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        QTRY_VERIFY(part("Result")->isVisible());
        QCOMPARE(text("Score"), QStringLiteral("2問中2問正解（1回目で2問）"));
    }
};

QTEST_MAIN(PracticeTest)
#include "tst_practice.moc"
