// The window 「クラスの結果」: opened from the window 「練習」 by its button,
// the fixed file of codes pasted (a mistyped code, a 出席番号 twice, a later
// version, two sets): the notes name the lines, each set gets its table with
// the marks, scores, times and rates, and its ranked mistakes; the printed
// page draws the tables.

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_MOC_RUN
#include "ui/practice/practice_window.h"
#include "ui/results/results_window.h"
#endif

using namespace tobarin;

class ResultsTest : public QObject {
    Q_OBJECT

private slots:
    void pastedCodes();
};

void ResultsTest::pastedCodes()
{
    PracticeWindow practice;
    practice.show();
    auto *open = practice.findChild<QPushButton *>(QStringLiteral("ClassResults"));
    QVERIFY(open);
    QCOMPARE(open->text(), QStringLiteral("クラスの結果"));
    open->click();
    auto *window = practice.findChild<ResultsWindow *>(QStringLiteral("ResultsWindow"));
    QVERIFY(window && window->isVisible());

    QFile codes(QStringLiteral(TOBARIN_RESULTS_CODES));
    QVERIFY(codes.open(QIODevice::ReadOnly));
    window->findChild<QPlainTextEdit *>(QStringLiteral("Codes"))
        ->setPlainText(QString::fromUtf8(codes.readAll()));

    const auto *notes = window->findChild<QListWidget *>(QStringLiteral("Notes"));
    QCOMPARE(notes->count(), 3);
    QVERIFY(notes->item(0)->text().startsWith(
        QStringLiteral("5行目: 結果コードの確かめの文字が合いません")));
    QVERIFY(notes->item(1)->text().startsWith(
        QStringLiteral("8行目: p1:5-unlike:2:4:12 の出席番号3は、4行目")));
    QVERIFY(notes->item(2)->text().startsWith(QStringLiteral("10行目: 「r2」")));

    const auto *unlike = window->findChild<QWidget *>(QStringLiteral("p1:5-unlike:2:4:12"))
                             ->findChild<QTableWidget *>();
    const auto *divide = window->findChild<QWidget *>(QStringLiteral("p1:6-divide:1:3:9"))
                             ->findChild<QTableWidget *>();
    QVERIFY(unlike && divide);
    QCOMPARE(unlike->rowCount(), 6);  // five pupils and the rates
    QCOMPARE(unlike->columnCount(), 8);
    QCOMPARE(divide->rowCount(), 2);
    struct Row {
        const QTableWidget *table;
        int row;
        QStringList cells;
    };
    const Row rows[] {
        {unlike, 0, {"1", "3/4", "1", "5分11秒", "△", "○", "△", "×"}},
        {unlike, 2, {"3", "4/4", "4", "10分46秒", "○", "○", "○", "○"}},
        {unlike, 4, {"", "3/4", "1", "5分11秒", "△", "○", "△", "×"}},
        {unlike, 5, {"1回目で正解の割合", "", "", "", "60%", "80%", "20%", "40%"}},
        {divide, 0, {"7", "3/3", "3", "5分38秒", "○", "○", "○"}},
    };
    for (const Row &row : rows) {
        for (int column = 0; column < row.cells.size(); ++column) {
            const QTableWidgetItem *item = row.table->item(row.row, column);
            QCOMPARE(item ? item->text() : QString(), row.cells[column]);
        }
    }
    const QString mistakes = window->findChild<QWidget *>(QStringLiteral("p1:5-unlike:2:4:12"))
                                 ->findChild<QLabel *>(QStringLiteral("Mistakes"))
                                 ->text();
    QVERIFY(
        mistakes.contains(QStringLiteral("通分するとき、分子にも分母と同じ数をかけましたか。 3人 "
                                         "(1)(3)(4)\n分母どうしもひいていませんか。 2人 (3)")));

    // The print draws on A4 paper (a PDF stands in for the printer).
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("results.pdf"));
    {
        QPdfWriter paper(pdf);
        paper.setPageSize(QPageSize(QPageSize::A4));
        QVERIFY(window->drawOnPaper(paper));
    }
    QVERIFY(QFileInfo(pdf).size() > 1000);
}

QTEST_MAIN(ResultsTest)
#include "tst_results.moc"
