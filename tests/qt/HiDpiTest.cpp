#include "FakeForm.h"
#include "LayoutTable.h"

#include <QTest>
#include <QWindow>

// Run with QT_SCALE_FACTOR=2: the whole window doubles, to the pixel.
class HiDpiTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void controlsDoubleExactly_data();
    void controlsDoubleExactly();
    void windowDoublesExactly();

private:
    FakeForm fake_;
};

void HiDpiTest::initTestCase()
{
    if (qEnvironmentVariable("QT_SCALE_FACTOR") != "2")
        QSKIP("needs QT_SCALE_FACTOR=2");
    fake_.form.load();
    fake_.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fake_.form));
    QCOMPARE(fake_.form.devicePixelRatio(), 2.0);
}

void HiDpiTest::controlsDoubleExactly_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("devicePixels");
    // Twips / 15 * 2: the layout table at 96 dots per inch, doubled.
    for (const LayoutTable::Control& control : LayoutTable::Controls)
        QTest::newRow(control.name) << QString::fromLatin1(control.name)
                                 << QRect(control.left * 2 / 15, control.top * 2 / 15, control.width * 2 / 15, control.height * 2 / 15);
}

void HiDpiTest::controlsDoubleExactly()
{
    QFETCH(QString, name);
    QFETCH(QRect, devicePixels);
    QWidget* widget = fake_.form.findChild<QWidget*>(name);
    QVERIFY(widget);
    const qreal ratio = widget->devicePixelRatio();
    QCOMPARE(QRect(widget->pos() * ratio, widget->size() * ratio), devicePixels);
    const QPixmap drawn = widget->grab();
    QCOMPARE(drawn.size(), devicePixels.size());
}

void HiDpiTest::windowDoublesExactly()
{
    QCOMPARE(fake_.form.grab().size(), QSize(450, 326));
    QCOMPARE(fake_.form.windowHandle()->size() * fake_.form.windowHandle()->devicePixelRatio(), QSize(450, 326));
    // Text is drawn at twice the pixels, not scaled up afterwards.
    QCOMPARE(fake_.form.findChild<QWidget*>("Text1")->font().pointSizeF(), 9.75);
}

QTEST_MAIN(HiDpiTest)
#include "HiDpiTest.moc"
