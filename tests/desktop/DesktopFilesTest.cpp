#include "Startup.h"
#include "Version.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTest>

// The generated metainfo and icon files, and the version Qt reports, against
// the one version the build was configured with. (The Windows version
// record is read back from the compiled resource by windres.)
class DesktopFilesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void versionIsTheSameEverywhere();
    void iconIsBlackOnOpaqueWhite();
    void renderingsAreTheSamePicture_data();
    void renderingsAreTheSamePicture();
    void windowsIconHasSixteenColours();

private:
    static QString read(const char* path)
    {
        QFile file(QString::fromUtf8(path));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", path);
        return QString::fromUtf8(file.readAll());
    }
    static QImage sourceIcon() { return QImage(QStringLiteral(MARROWVALE_ICON_SOURCE)); }
};

void DesktopFilesTest::versionIsTheSameEverywhere()
{
    const QString version = QStringLiteral(MARROWVALE_VERSION);
    QVERIFY(read(MARROWVALE_METAINFO).contains(QStringLiteral("<release version=\"%1\"").arg(version)));
    Startup::describeApplication();
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Marrowvale"));
    QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral(MARROWVALE_VERSION_TEXT));
    QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral(MARROWVALE_APP_ID));
    QVERIFY(read(MARROWVALE_DESKTOP).contains(QStringLiteral("Icon=%1\n").arg(MARROWVALE_APP_ID)));
}

void DesktopFilesTest::iconIsBlackOnOpaqueWhite()
{
    const QImage icon = sourceIcon();
    QCOMPARE(icon.size(), QSize(32, 32));
    QCOMPARE(icon.colorCount(), 16);
    int black = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb pixel = icon.pixel(x, y);
            QVERIFY2(pixel == qRgb(0, 0, 0) || pixel == qRgb(255, 255, 255), "only black and opaque white");
            black += pixel == qRgb(0, 0, 0);
        }
    }
    QVERIFY(black > 100 && black < 500); // a sign, not a blank or a block
    // The two strokes above the B: black over the stem, white between them.
    QCOMPARE(icon.pixel(10, 4), qRgb(0, 0, 0));
    QCOMPARE(icon.pixel(13, 4), qRgb(255, 255, 255));
    QCOMPARE(icon.pixel(14, 27), qRgb(0, 0, 0));
}

void DesktopFilesTest::renderingsAreTheSamePicture_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("size");
    for (int size : {32, 64, 128, 256})
        QTest::newRow(qPrintable(QStringLiteral("%1.png").arg(size))) << QStringLiteral("%1.png").arg(size) << size;
    QTest::newRow("windows icon") << "marrowvale.ico" << 32;
}

void DesktopFilesTest::renderingsAreTheSamePicture()
{
    QFETCH(QString, file);
    QFETCH(int, size);
    const QImage source = sourceIcon();
    const QImage rendering(QStringLiteral(MARROWVALE_ICON_DIR "/") + file);
    QCOMPARE(rendering.size(), QSize(size, size));
    const int scale = size / 32;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (rendering.pixel(x, y) != source.pixel(x / scale, y / scale))
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2 differs").arg(x).arg(y)));
}

void DesktopFilesTest::windowsIconHasSixteenColours()
{
    QFile file(QStringLiteral(MARROWVALE_ICON_DIR "/marrowvale.ico"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray ico = file.readAll();
    QVERIFY(ico.size() > 22);
    QCOMPARE(static_cast<int>(ico[4]), 1);  // one image
    QCOMPARE(static_cast<int>(ico[6]), 32); // 32 wide
    QCOMPARE(static_cast<int>(ico[7]), 32); // 32 high
    QCOMPARE(static_cast<int>(ico[8]), 16); // 16 colours
    QCOMPARE(static_cast<int>(ico[12]), 4); // 4 bits a pixel
}

QTEST_GUILESS_MAIN(DesktopFilesTest)
#include "DesktopFilesTest.moc"
