#include "PngWriter.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

const QStringList pictureNames
    = {"select.png",  "erase.png",    "erase16.png", "move.png",    "undo.png",
       "banner.png",  "icon.png",     "icon-16.png", "icon-32.png", "icon-48.png",
       "icon-64.png", "icon-128.png", "icon-256.png"};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int runGenerator(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(UIART_GENERATOR), arguments);
    if (!process.waitForFinished(60000))
        return -1;
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

int countPixels(const QImage &image, const QRect &area, const std::function<bool(QRgb)> &test)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += test(image.pixel(x, y)) ? 1 : 0;
    }
    return count;
}

int lightness(QRgb c) { return (qRed(c) * 299 + qGreen(c) * 587 + qBlue(c) * 114) / 1000; }

bool isBlack(QRgb c) { return qAlpha(c) == 255 && qMax(qRed(c), qMax(qGreen(c), qBlue(c))) < 60; }

bool isDark(QRgb c) { return qAlpha(c) > 150 && qMax(qRed(c), qMax(qGreen(c), qBlue(c))) < 80; }

bool isPink(QRgb c)
{
    return qAlpha(c) > 200 && qRed(c) > 200 && qGreen(c) < 170 && qBlue(c) > 110;
}

bool isYellow(QRgb c) { return qRed(c) > 200 && qGreen(c) > 170 && qBlue(c) < 90; }

} // namespace

class TestUiArt : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void committedPicturesAreWhatTheGeneratorPaints_data();
    void committedPicturesAreWhatTheGeneratorPaints();
    void generatorWritesNothingElse();
    void generatorFailsLoudly_data();
    void generatorFailsLoudly();
    void bannerLeavesTheCreditCornerBlack();
    void bannerShowsSilverNameOnBrownAndYellowWord();
    void buttonPicturesShowBlackDrawingOnButtonGrey_data();
    void buttonPicturesShowBlackDrawingOnButtonGrey();
    void eraserPicturesShowPinkEraserAndBlackScribble_data();
    void eraserPicturesShowPinkEraserAndBlackScribble();
    void iconsShowALightVOnARoundedTile_data();
    void iconsShowALightVOnARoundedTile();
    void pngEncoderRoundTripsThroughQtsDecoder_data();
    void pngEncoderRoundTripsThroughQtsDecoder();

private:
    QImage generated(const QString &name) const { return QImage(m_out.filePath(name)); }

    QTemporaryDir m_out;
};

void TestUiArt::initTestCase()
{
    QVERIFY(m_out.isValid());
    QCOMPARE(runGenerator({m_out.path()}), 0);
}

void TestUiArt::committedPicturesAreWhatTheGeneratorPaints_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    for (const char *name : {"select.png", "erase.png", "move.png", "undo.png", "icon-32.png"})
        QTest::newRow(name) << QString::fromLatin1(name) << QSize(32, 32);
    QTest::newRow("erase16.png") << "erase16.png" << QSize(16, 16);
    QTest::newRow("banner.png") << "banner.png" << QSize(283, 85);
    QTest::newRow("icon.png") << "icon.png" << QSize(256, 256);
    for (int size : {16, 48, 64, 128, 256}) {
        const QString name = QStringLiteral("icon-%1.png").arg(size);
        QTest::newRow(qPrintable(name)) << name << QSize(size, size);
    }
}

void TestUiArt::committedPicturesAreWhatTheGeneratorPaints()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    const QByteArray painted = readAll(m_out.filePath(name));
    QVERIFY2(!painted.isEmpty(), "not written");
    const QByteArray committed = readAll(QStringLiteral(UIART_ASSETS "/") + name);
    QVERIFY2(!committed.isEmpty(), "not committed");
    QVERIFY2(painted == committed, "differs from the committed file: run vantorel-update-uiart");
    QCOMPARE(QImage::fromData(committed, "PNG").size(), size);
}

void TestUiArt::generatorWritesNothingElse()
{
    QStringList expected = pictureNames;
    expected.sort();
    QCOMPARE(QDir(m_out.path()).entryList(QDir::Files, QDir::Name), expected);
}

void TestUiArt::generatorFailsLoudly_data()
{
    QTest::addColumn<bool>("withFolder");
    QTest::newRow("no output folder given") << false;
    QTest::newRow("output folder is a file") << true;
}

void TestUiArt::generatorFailsLoudly()
{
    QFETCH(bool, withFolder);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("déjà là.png"));
    QFile blocker(file);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const int code = runGenerator(withFolder ? QStringList {file} : QStringList {});
    QVERIFY2(code > 0, qPrintable(QStringLiteral("exit code %1").arg(code)));
}

void TestUiArt::bannerLeavesTheCreditCornerBlack()
{
    // The credit line lies at (7, 72) and 193 x 25 in the 315 x 93 window rectangle the banner
    // is stretched into; in the picture's own pixels that is this area, clipped to it.
    const QImage banner = generated("banner.png");
    const QRect credit(6, 65, 174, 20);
    const int lit = countPixels(banner, credit, [](QRgb c) { return lightness(c) > 40; });
    QCOMPARE(lit, 0);
}

void TestUiArt::bannerShowsSilverNameOnBrownAndYellowWord()
{
    const QImage banner = generated("banner.png");
    const QRgb margin = banner.pixel(2, 28);
    QVERIFY2(qRed(margin) > qGreen(margin) && qGreen(margin) > qBlue(margin)
                 && lightness(margin) < 110,
             "the band is not dark brown");
    const int silver = countPixels(banner, QRect(0, 0, 283, 57), [](QRgb c) {
        return lightness(c) > 190 && qMax(qRed(c), qBlue(c)) - qMin(qRed(c), qBlue(c)) < 30;
    });
    QVERIFY2(silver > 1500, qPrintable(QString::number(silver)));
    const int yellow = countPixels(banner, QRect(180, 57, 103, 28), isYellow);
    QVERIFY2(yellow > 200, qPrintable(QString::number(yellow)));
    QCOMPARE(countPixels(banner, QRect(0, 57, 180, 28), isYellow), 0);
}

void TestUiArt::buttonPicturesShowBlackDrawingOnButtonGrey_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("select") << "select.png";
    QTest::newRow("move") << "move.png";
    QTest::newRow("undo") << "undo.png";
}

void TestUiArt::buttonPicturesShowBlackDrawingOnButtonGrey()
{
    QFETCH(QString, name);
    const QImage picture = generated(name);
    const QRgb grey = picture.pixel(0, 0);
    QCOMPARE(qAlpha(grey), 255);
    QVERIFY(qRed(grey) == qGreen(grey) && qGreen(grey) == qBlue(grey) && qRed(grey) > 160);
    const int face = countPixels(picture, picture.rect(), [grey](QRgb c) { return c == grey; });
    const int black = countPixels(picture, picture.rect(), isBlack);
    QVERIFY2(face > 32 * 32 / 2, qPrintable(QString::number(face)));
    QVERIFY2(black > 40 && black < 32 * 32 / 3, qPrintable(QString::number(black)));
}

void TestUiArt::eraserPicturesShowPinkEraserAndBlackScribble_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("32") << "erase.png";
    QTest::newRow("16") << "erase16.png";
}

void TestUiArt::eraserPicturesShowPinkEraserAndBlackScribble()
{
    QFETCH(QString, name);
    const QImage picture = generated(name);
    const QRect all = picture.rect();
    const int side = picture.width();
    QCOMPARE(qAlpha(picture.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(picture.pixel(side - 1, side - 1)), 0);
    QVERIFY(countPixels(picture, all, isPink) >= side / 4);
    QVERIFY(countPixels(picture, all, isYellow) >= side / 4);
    // The scribble runs along the bottom, right of the eraser; antialiased, it is dark rather
    // than black.
    QVERIFY(countPixels(picture, QRect(side / 2, side * 2 / 3, side / 2, side / 3), isDark)
            >= side / 4);
}

void TestUiArt::iconsShowALightVOnARoundedTile_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 32, 48, 64, 128, 256})
        QTest::newRow(qPrintable(QString::number(size))) << size;
}

void TestUiArt::iconsShowALightVOnARoundedTile()
{
    QFETCH(int, size);
    const QImage icon = generated(QStringLiteral("icon-%1.png").arg(size));
    QCOMPARE(icon.size(), QSize(size, size));
    QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(icon.pixel(size - 1, size - 1)), 0);
    // The notch between the arms of the V shows the tile, the foot of the V is light.
    const QRgb notch = icon.pixel(size / 2, size / 4);
    const QRgb foot = icon.pixel(size / 2, size * 3 / 4);
    QCOMPARE(qAlpha(notch), 255);
    QVERIFY2(lightness(notch) < 110, qPrintable(QString::number(lightness(notch))));
    QVERIFY2(lightness(foot) > 170, qPrintable(QString::number(lightness(foot))));
}

void TestUiArt::pngEncoderRoundTripsThroughQtsDecoder_data()
{
    QTest::addColumn<QImage>("image");
    QRandomGenerator random(4711);
    auto noise = [&](QSize size, bool withAlpha) {
        QImage image(size, QImage::Format_ARGB32);
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                const int a = withAlpha ? int(random.bounded(256)) : 255;
                image.setPixel(
                    x, y, qRgba(random.bounded(256), random.bounded(256), random.bounded(256), a));
            }
        }
        return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    };
    QTest::newRow("opaque noise, odd size") << noise(QSize(37, 5), false);
    QTest::newRow("translucent noise") << noise(QSize(19, 23), true);
    QImage flat(300, 300, QImage::Format_ARGB32_Premultiplied);
    flat.fill(QColor(10, 200, 30));
    QTest::newRow("one colour, longest matches") << flat;
    // A block of noise repeated far below: matches at distances near the 32 KiB window.
    QImage repeated(64, 260, QImage::Format_ARGB32_Premultiplied);
    repeated.fill(Qt::transparent);
    const QImage tile = noise(QSize(64, 8), true);
    for (int y : {0, 120, 250})
        for (int row = 0; row < tile.height() && y + row < repeated.height(); ++row)
            memcpy(repeated.scanLine(y + row), tile.constScanLine(row), 64 * 4);
    QTest::newRow("repeats far apart") << repeated;
    QTest::newRow("one pixel") << noise(QSize(1, 1), true);
}

void TestUiArt::pngEncoderRoundTripsThroughQtsDecoder()
{
    QFETCH(QImage, image);
    const QImage decoded = QImage::fromData(Png::encode(image), "PNG");
    QVERIFY(!decoded.isNull());
    QCOMPARE(decoded.convertToFormat(QImage::Format_ARGB32_Premultiplied), image);
}

QTEST_MAIN(TestUiArt)
#include "tst_uiart.moc"
