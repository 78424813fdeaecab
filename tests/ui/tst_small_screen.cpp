// The window 「練習」 on a screen of 1366 × 768 pixels, as many school laptops
// have: opened beside the calculator wherever that stands, and through a
// round to its end, it lies whole on the screen, its buttons included.

#include "tests/ui/window_driver.h"

#include <QLineEdit>
#include <QScreen>
#include <QTest>

using namespace tobarin;

class SmallScreenTest : public tobarin::testing::WindowTestCase {
    Q_OBJECT

private slots:
    void practiceLiesOnTheScreen_data()
    {
        QTest::addColumn<double>("across");  // where the calculator stands, 0 left to 1 right
        QTest::newRow("calculator at the left") << 0.0;
        QTest::newRow("calculator in the middle") << 0.5;
        QTest::newRow("calculator at the right") << 1.0;
    }

    void practiceLiesOnTheScreen()
    {
        QFETCH(double, across);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(screen.size(), QSize(1366, 768));
        Form1 &form = w().form();
        form.move(screen.left() + qRound(across * (screen.width() - form.frameGeometry().width())),
            screen.top());

        w().key(Qt::Key_F3);
        QWidget *practice = nullptr;
        QTRY_VERIFY((practice = QApplication::activeWindow()) != &form && practice);
        const auto onScreen = [&] {
            return screen.contains(practice->frameGeometry())
                ? QString()
                : QStringLiteral("%1,%2 %3×%4")
                      .arg(practice->x())
                      .arg(practice->y())
                      .arg(practice->frameGeometry().width())
                      .arg(practice->frameGeometry().height());
        };
        QCOMPARE(onScreen(), QString());

        // A set of the widest problems, each missed twice: its working shown.
        auto *code = practice->findChild<QLineEdit *>(QStringLiteral("CodeEntry"));
        code->setText(QStringLiteral("p1:5-mixed:3:2:9"));
        QTest::keyClick(code, Qt::Key_Return);
        for (int miss = 0; miss < 4; ++miss) {
            auto *whole = practice->findChild<QLineEdit *>(QStringLiteral("AnswerWhole"));
            whole->setText(QStringLiteral("999"));
            QTest::keyClick(whole, Qt::Key_Return);
            QCOMPARE(onScreen(), QString());
            if (miss % 2 == 1) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // 次の問題へ
            }
        }
        QTRY_VERIFY(practice->findChild<QWidget *>(QStringLiteral("Result"))->isVisible());
        QCOMPARE(onScreen(), QString());
    }
};

QTEST_MAIN(SmallScreenTest)
#include "tst_small_screen.moc"
