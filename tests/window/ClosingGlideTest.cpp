#include "ClosingGlide.h"
#include "FakeSeams.h"

#include <QTest>

class ClosingGlideTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void passes_data();
    void passes();
    void contractsAboutItsCentreThenDrifts();
};

void ClosingGlideTest::passes_data()
{
    QTest::addColumn<float>("top");
    QTest::addColumn<QString>("windowSystem");
    QTest::addColumn<int>("passes");
    QTest::addColumn<float>("finalTop");

    // A window 15,360 twips wide is 1,024 pixels at 15 twips a pixel.
    QTest::newRow("centred on 1024 wide") << 4350.0F << "" << 368 << 15390.0F;
    QTest::newRow("already beyond the width") << 15400.0F << "" << 1 << 15430.0F;
    QTest::newRow("exactly at the width") << 15360.0F << "" << 1 << 15390.0F;
    QTest::newRow("moves ignored") << 4350.0F << "ignores moves" << 368 << 15390.0F;
    QTest::newRow("moves refused") << 4350.0F << "refuses moves" << 368 << 15390.0F;
    QTest::newRow("left cannot be read") << 4350.0F << "left unreadable" << 368 << 15390.0F;
    QTest::newRow("screen width cannot be read") << 4350.0F << "screen unreadable" << 1 << 4380.0F;
}

void ClosingGlideTest::passes()
{
    QFETCH(float, top);
    QFETCH(QString, windowSystem);
    FakeGeometry window;
    window.x = 5000;
    window.y = top;
    window.w = 3495;
    window.h = 2820;
    window.ignoresMoves = windowSystem == "ignores moves";
    window.refusesMoves = windowSystem == "refuses moves";
    window.failReadLeft = windowSystem == "left unreadable";
    window.failScreenWidth = windowSystem == "screen unreadable";

    QTEST(ClosingGlide::run(window), "passes");
    QCOMPARE(window.passes, static_cast<int>(window.tops.size()));
    QTEST(window.tops.back(), "finalTop");
    if (window.failReadLeft)
        QCOMPARE(window.x, 5000.0F); // never written, never guessed
}

void ClosingGlideTest::contractsAboutItsCentreThenDrifts()
{
    FakeGeometry window;
    window.x = 4000;
    window.y = 4350;
    window.w = 3495;
    window.h = 2820;
    window.minimumSize = 1800; // the smallest a window manager might allow
    const float centreX = window.x + window.w / 2;
    const float centreY = window.y + window.h / 2;
    QCOMPARE(ClosingGlide::run(window), 368);

    // Height shrinks for 17 passes (2820 to 1800), width for 28 (3495 to
    // 1815); the centre holds still on each axis until its size stops.
    for (int pass = 1; pass <= 368; ++pass) {
        const auto [x, y] = window.centres[static_cast<std::size_t>(pass - 1)];
        QCOMPARE(x, centreX + 30.0F * static_cast<float>(std::max(0, pass - 28)));
        QCOMPARE(y, centreY + 30.0F * static_cast<float>(std::max(0, pass - 17)));
    }
    QCOMPARE(window.w, 1815.0F);
    QCOMPARE(window.h, 1800.0F);
}

QTEST_GUILESS_MAIN(ClosingGlideTest)
#include "ClosingGlideTest.moc"
