// The window on a 144 dpi screen: every length scales to 10 twips a pixel.

#include "tests/ui/window_driver.h"
#include "ui/form1.h"

#include <QScreen>
#include <QTest>

using namespace tobarin;  // the controls' names: Text1[0], Command1...

class HighDpiTest : public QObject {
    Q_OBJECT

private slots:
    void geometryScalesToTenTwipsAPixel_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::addColumn<QRect>("twips");

        QTest::newRow("Frame1") << "Frame1" << -1 << QRect(120, 120, 3615, 1095);
        QTest::newRow("Option1(3)") << "Option1" << 3 << QRect(1800, 720, 975, 255);
        QTest::newRow("Text1(2)") << "Text1" << 2 << QRect(360, 660, 520, 375);
        QTest::newRow("Check1(1)") << "Check1" << 1 << QRect(2760, 2040, 1095, 255);
        QTest::newRow("Label1(3)") << "Label1" << 3 << QRect(4920, 2685, 255, 375);
        QTest::newRow("Command2") << "Command2" << -1 << QRect(5160, 3720, 1455, 615);
    }

    void geometryScalesToTenTwipsAPixel()
    {
        QFETCH(QString, name);
        QFETCH(int, index);
        QFETCH(QRect, twips);

        tobarin::Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const qreal dotsPerInch = form.screen()->logicalDotsPerInch() * form.devicePixelRatioF();
        QCOMPARE(dotsPerInch, 144.0);

        // In device pixels, within the half pixel that rounding may move an edge.
        const QRect logical = form.control(name.toStdString(), index)->geometry();
        const qreal ratio = form.devicePixelRatioF();
        QVERIFY2(qAbs(logical.x() * ratio - twips.x() / 10.0) <= 1.0, qPrintable(name));
        QVERIFY2(qAbs(logical.y() * ratio - twips.y() / 10.0) <= 1.0, qPrintable(name));
        QVERIFY2(qAbs(logical.width() * ratio - twips.width() / 10.0) <= 1.0, qPrintable(name));
        QVERIFY2(qAbs(logical.height() * ratio - twips.height() / 10.0) <= 1.0, qPrintable(name));

        const QSize client = form.centralWidget()->size() * ratio;
        QVERIFY(qAbs(client.width() - 708) <= 1 && qAbs(client.height() - 455) <= 1);
    }

    void fontsScaleWithTheScreen()
    {
        tobarin::Form1 form;
        // 12 points at 144 dpi are 24 device pixels: the bold entry-field font.
        const QFont font = form.control(Text1[0])->font();
        QCOMPARE(QFontInfo(font).pixelSize() * form.devicePixelRatioF(), 24.0);
    }
};

QTEST_MAIN(HighDpiTest)
#include "tst_high_dpi.moc"
