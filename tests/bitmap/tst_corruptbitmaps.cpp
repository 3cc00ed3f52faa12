#include "bitmap/BmpCodec.h"

#include <QBuffer>
#include <QImageWriter>
#include <QtEndian>
#include <QtTest>

// Every bitmap read from disk is treated as hostile: a file that breaks the
// format or ends early is refused, never shown as a board made up of guesses.

namespace {

constexpr int kHeight = 22; // offset of the height in the headers
constexpr int kWidth = 18;
constexpr int kPlanes = 26;
constexpr int kBits = 28;
constexpr int kCompression = 30;
constexpr int kOffset = 10;

QByteArray with32(QByteArray bmp, int at, quint32 value)
{
    qToLittleEndian<quint32>(value, bmp.data() + at);
    return bmp;
}

QByteArray with16(QByteArray bmp, int at, quint16 value)
{
    qToLittleEndian<quint16>(value, bmp.data() + at);
    return bmp;
}

// An 8-bit bitmap with a palette of two colours, white and black.
QByteArray paletted(int width, int height, const QByteArray &pixels, quint32 compression = 0)
{
    QByteArray bmp(54 + 8, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    bmp = with32(bmp, kOffset, 62);
    bmp = with32(bmp, 14, 40);
    bmp = with32(bmp, kWidth, quint32(width));
    bmp = with32(bmp, kHeight, quint32(height));
    bmp = with16(bmp, kPlanes, 1);
    bmp = with16(bmp, kBits, 8);
    bmp = with32(bmp, kCompression, compression);
    bmp = with32(bmp, 46, 2);
    bmp[54] = bmp[55] = bmp[56] = char(0xff);
    bmp += pixels;
    return with32(bmp, 2, quint32(bmp.size()));
}

QByteArray qtBitmap24(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "BMP").write(image);
    return bytes;
}

} // namespace

class TestCorruptBitmaps : public QObject
{
    Q_OBJECT

private slots:
    void refusesBrokenBitmaps_data();
    void refusesBrokenBitmaps();
    void opensSoundEdgeCases_data();
    void opensSoundEdgeCases();
    void refusesDimensionsBeyondTheAllocationLimit();
    void fewBytesPromisingMillionsOfPixelsWereAllocatedAndFilled();
};

void TestCorruptBitmaps::refusesBrokenBitmaps_data()
{
    QTest::addColumn<QByteArray>("bytes");

    const QByteArray good24 = qtBitmap24(13, 7);
    const QByteArray own = BmpCodec::encode(QImage(5, 4, QImage::Format_RGB32));
    // Two rows of four pixels, each row ended, then the end of the bitmap.
    const QByteArray rle = paletted(4, 2, QByteArray::fromHex("0401000004000001"), 1);

    QTest::newRow("24 bits cut in the last row") << good24.left(good24.size() - 20);
    QTest::newRow("24 bits cut to its headers") << good24.left(54);
    QTest::newRow("own layout cut short") << own.left(own.size() - 1);
    QTest::newRow("RLE8 cut in a row") << rle.left(rle.size() - 6);
    QTest::newRow("unknown header size") << with32(good24, 14, 41);
    QTest::newRow("zero width") << with32(good24, kWidth, 0);
    QTest::newRow("negative width") << with32(good24, kWidth, quint32(-13));
    QTest::newRow("zero height") << with32(good24, kHeight, 0);
    QTest::newRow("most negative height") << with32(good24, kHeight, 0x80000000u);
    QTest::newRow("two planes") << with16(good24, kPlanes, 2);
    QTest::newRow("2 bits a pixel") << with16(good24, kBits, 2);
    QTest::newRow("JPEG inside") << with32(good24, kCompression, 4);
    QTest::newRow("RLE8 on 24 bits") << with32(good24, kCompression, 1);
    QTest::newRow("RLE top-down") << with32(rle, kHeight, quint32(-2));
    QTest::newRow("pixels beyond the file") << with32(good24, kOffset, quint32(good24.size()));
    QTest::newRow("pixels inside the header") << with32(good24, kOffset, 20);
    QTest::newRow("index beyond the palette") << paletted(2, 1, QByteArray::fromHex("00050000"));
    QTest::newRow("RLE index beyond the palette")
        << paletted(2, 1, QByteArray::fromHex("02070001"), 1);
    QTest::newRow("RLE run above the top row")
        << paletted(4, 1, QByteArray::fromHex("0401000004010001"), 1);
    QTest::newRow("RLE absolute run cut short")
        << paletted(4, 1, QByteArray::fromHex("00040001"), 1);
    QTest::newRow("RLE delta above the top row")
        << paletted(4, 1, QByteArray::fromHex("000200050001"), 1);

    QByteArray fields
        = with32(BmpCodec::encode(QImage(2, 2, QImage::Format_RGB32)), kCompression, 3);
    fields = with32(fields, kOffset, 54 + 12);
    fields.insert(54, QByteArray(12, '\0'));
    QTest::newRow("bit fields with a gap in a mask")
        << with32(with32(with32(fields, 54, 0xf0f000), 58, 0xff00), 62, 0xff);
    QTest::newRow("bit fields overlapping")
        << with32(with32(with32(fields, 54, 0xff0000), 58, 0xffff00), 62, 0xff);
    QTest::newRow("bit fields with a zero mask")
        << with32(with32(with32(fields, 54, 0xff0000), 58, 0), 62, 0xff);
    QTest::newRow("bit fields without their masks") << fields.left(60);

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not a bitmap") << QByteArray("GIF89a and what follows");
    QTest::newRow("the mark, then text") << QByteArray("BM not a bitmap at all");
}

void TestCorruptBitmaps::refusesBrokenBitmaps()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(BmpCodec::decode(bytes).isNull());
}

void TestCorruptBitmaps::opensSoundEdgeCases_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRgb>("topLeft");

    const QRgb white = qRgb(255, 255, 255);
    const QByteArray good24 = qtBitmap24(13, 7);
    // 13 pixels of 3 bytes take 39 bytes, padded to 40.
    QTest::newRow("last row without its padding")
        << good24.left(good24.size() - 1) << QSize(13, 7) << qRgb(10, 20, 30);
    QTest::newRow("RLE8 without its final mark")
        << paletted(4, 2, QByteArray::fromHex("0401000004000000"), 1) << QSize(4, 2) << white;
    QTest::newRow("RLE8 runs padding the row beyond its end")
        << paletted(3, 1, QByteArray::fromHex("030101000001"), 1) << QSize(3, 1) << qRgb(0, 0, 0);
}

void TestCorruptBitmaps::opensSoundEdgeCases()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);
    QFETCH(QRgb, topLeft);
    const QImage image = BmpCodec::decode(bytes);
    QCOMPARE(image.size(), size);
    QCOMPARE(image.pixel(0, 0), topLeft);
}

void TestCorruptBitmaps::refusesDimensionsBeyondTheAllocationLimit()
{
    // A few bytes that claim more pixels than an image may hold.
    QVERIFY(BmpCodec::decode(paletted(60000, 60000, QByteArray::fromHex("0001"), 1)).isNull());
    QVERIFY(BmpCodec::decode(
                with32(with32(BmpCodec::encode(QImage(1, 1, QImage::Format_RGB32)), kWidth, 30000),
                       kHeight, 30000))
                .isNull());
}

void TestCorruptBitmaps::fewBytesPromisingMillionsOfPixelsWereAllocatedAndFilled()
{
    // 5000 x 5000 pixels within the allocation limit: a run-length image made
    // of one end mark was allocated, filled and opened; an uncompressed one
    // was allocated before its missing pixels were noticed. Both are now
    // refused from their headers.
    const QByteArray endMark = QByteArray::fromHex("0001");
    const QByteArray runs = paletted(5000, 5000, endMark, 1);
    QVERIFY(!BmpCodec::pictureSize(runs).isValid());
    QVERIFY(BmpCodec::decode(runs).isNull());
    QVERIFY(!BmpCodec::pictureSize(with32(with32(qtBitmap24(2, 2), kWidth, 5000), kHeight, 5000))
                 .isValid());
    // A writer may still leave a picture of up to 2048 x 2048 pixels to the
    // first colour, and a larger one when it spends a byte per 128 pixels.
    QCOMPARE(BmpCodec::pictureSize(paletted(2048, 2048, endMark, 1)), QSize(2048, 2048));
    QByteArray bands;
    for (int row = 0; row < 2100; ++row)
        bands += QByteArray::fromHex("ff00ff00ff00ff00ff00ff00ff00ff000000");
    QCOMPARE(BmpCodec::pictureSize(paletted(2040, 2100, bands, 1)), QSize(2040, 2100));
}

QTEST_MAIN(TestCorruptBitmaps)
#include "tst_corruptbitmaps.moc"
