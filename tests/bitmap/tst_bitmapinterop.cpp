#include "ProgramFolderFixture.h"
#include "TestPictures.h"
#include "bitmap/BmpCodec.h"
#include "project/ProjectFiles.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

// Bitmaps written by a program no one here wrote, ImageMagick, open with the
// pixels ImageMagick itself reads from them, and the bitmaps the editor writes
// read back in ImageMagick pixel for pixel.

namespace {

QByteArray toPpm(const QImage &image)
{
    QByteArray bytes
        = QStringLiteral("P6\n%1 %2\n255\n").arg(image.width()).arg(image.height()).toLatin1();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            bytes.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
        }
    return bytes;
}

// A binary PPM as ImageMagick prints it with "ppm:-" (8 bits a sample).
QImage fromPpm(const QByteArray &bytes)
{
    QList<QByteArray> fields;
    qsizetype pos = 0;
    while (fields.size() < 4 && pos < bytes.size()) {
        while (pos < bytes.size() && QChar(bytes[pos]).isSpace())
            ++pos;
        const qsizetype start = pos;
        while (pos < bytes.size() && !QChar(bytes[pos]).isSpace())
            ++pos;
        fields.append(bytes.mid(start, pos - start));
    }
    if (fields.size() < 4 || fields[0] != "P6" || fields[3] != "255")
        return {};
    const int width = fields[1].toInt();
    const int height = fields[2].toInt();
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData()) + pos + 1;
    if (bytes.size() < pos + 1 + qsizetype(width) * height * 3)
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x, p += 3)
            image.setPixel(x, y, qRgb(p[0], p[1], p[2]));
    return image;
}

// A little-endian header field, read byte by byte.
quint32 field(const QByteArray &bmp, int offset, int bytes)
{
    quint32 value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | quint8(bmp.at(offset + i));
    return value;
}

quint32 field32(const QByteArray &bmp, int offset) { return field(bmp, offset, 4); }

// The file and pixel sizes in the headers, as strict readers want them.
QByteArray sealed(QByteArray bmp)
{
    qToLittleEndian<quint32>(quint32(bmp.size()), bmp.data() + 2);
    qToLittleEndian<quint32>(quint32(bmp.size()) - field32(bmp, 10), bmp.data() + 34);
    return bmp;
}

// A hand-made 4-bit bitmap of 6 x 4 pixels, run-length encoded with every
// kind of command: runs, an absolute run, ends of line, a delta.
QByteArray rle4Bitmap()
{
    QByteArray palette;
    const QRgb colours[] = {qRgb(255, 255, 255), qRgb(200, 0, 0), qRgb(0, 150, 0), qRgb(0, 0, 250),
                            qRgb(90, 80, 70)};
    for (QRgb c : colours)
        palette.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append('\0');
    const QByteArray pixels = QByteArray::fromHex("0612" // bottom row: 1 2 1 2 1 2
                                                  "0000" // end of line
                                                  "00043421" // absolute run: 3 4 2 1
                                                  "0243" // run of two: 4 3
                                                  "0000" //
                                                  "0311" // three of 1, then an
                                                  "00020101" // delta: right 1, up 1
                                                  "0244" // two of 4 at the right
                                                  "0001"); // end of bitmap
    const int offset = 14 + 40 + int(palette.size());
    QByteArray bmp(offset, '\0');
    auto *p = reinterpret_cast<uchar *>(bmp.data());
    p[0] = 'B';
    p[1] = 'M';
    qToLittleEndian<quint32>(quint32(offset + pixels.size()), p + 2);
    qToLittleEndian<quint32>(quint32(offset), p + 10);
    qToLittleEndian<quint32>(40, p + 14);
    qToLittleEndian<qint32>(6, p + 18);
    qToLittleEndian<qint32>(4, p + 22);
    qToLittleEndian<quint16>(1, p + 26);
    qToLittleEndian<quint16>(4, p + 28);
    qToLittleEndian<quint32>(2, p + 30); // RLE4
    qToLittleEndian<quint32>(quint32(pixels.size()), p + 34);
    qToLittleEndian<quint32>(5, p + 46);
    std::memcpy(p + 54, palette.constData(), size_t(palette.size()));
    return bmp + pixels;
}

// A plain 24-bit bitmap, bottom-up, rows padded to four bytes.
QByteArray bitmap24(const QImage &image)
{
    QByteArray bmp = BmpCodec::encode(QImage(1, 1, QImage::Format_RGB32)).left(54);
    qToLittleEndian<qint32>(image.width(), bmp.data() + 18);
    qToLittleEndian<qint32>(image.height(), bmp.data() + 22);
    qToLittleEndian<quint16>(24, bmp.data() + 28);
    for (int y = image.height() - 1; y >= 0; --y) {
        QByteArray row;
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            row.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c)));
        }
        bmp.append(row.leftJustified((row.size() + 3) / 4 * 4, '\0'));
    }
    return bmp;
}

// The same picture stored top to bottom: negative height, rows reversed.
QByteArray topDown(const QByteArray &bmp)
{
    const qint32 height = qint32(field32(bmp, 22));
    const qint32 width = qint32(field32(bmp, 18));
    const int bits = field(bmp, 28, 2);
    const qsizetype offset = field32(bmp, 10);
    const qsizetype rowBytes = (qsizetype(width) * bits + 31) / 32 * 4;
    QByteArray out = bmp.left(offset);
    qToLittleEndian<qint32>(-height, out.data() + 22);
    for (qint32 row = height - 1; row >= 0; --row)
        out.append(bmp.mid(offset + row * rowBytes, rowBytes));
    return out;
}

} // namespace

class TestBitmapInterop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void opensWhatImageMagickWrites_data();
    void opensWhatImageMagickWrites();
    void opensHandMadeVariantsAsImageMagickReadsThem_data();
    void opensHandMadeVariantsAsImageMagickReadsThem();
    void imageMagickReadsEditorBitmapPixelForPixel();

private:
    // Runs convert; false when it failed.
    bool convert(const QStringList &arguments, QByteArray *output = nullptr);
    QImage imageMagickReads(const QString &path);
    QString path(const QString &name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
    QString convert_;
    QImage source_;
};

void TestBitmapInterop::initTestCase()
{
    convert_ = QStandardPaths::findExecutable(QStringLiteral("convert"));
    if (convert_.isEmpty())
        QSKIP("ImageMagick's convert is not installed");
    QVERIFY(dir_.isValid());
    // Odd sizes, so that every row needs padding in every depth.
    source_ = noise(37, 23, 11);
    QFile ppm(path("source.ppm"));
    QVERIFY(ppm.open(QIODevice::WriteOnly));
    ppm.write(toPpm(source_));
}

bool TestBitmapInterop::convert(const QStringList &arguments, QByteArray *output)
{
    QProcess process;
    process.start(convert_, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        qWarning() << "convert" << arguments << process.readAllStandardError();
        return false;
    }
    if (output)
        *output = process.readAllStandardOutput();
    return true;
}

QImage TestBitmapInterop::imageMagickReads(const QString &file)
{
    QByteArray ppm;
    if (!convert({file, QStringLiteral("-depth"), QStringLiteral("8"), QStringLiteral("ppm:-")},
                 &ppm))
        return {};
    return fromPpm(ppm);
}

void TestBitmapInterop::opensWhatImageMagickWrites_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("headerSize");
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("compression");

    QTest::newRow("1 bit") << QStringList {"-colors", "2", "-type", "Palette", "-compress", "None"}
                           << "BMP3" << 40 << 1 << 0;
    QTest::newRow("4 bits") << QStringList {"-colors", "12",        "-type",
                                            "Palette", "-compress", "None"}
                            << "BMP3" << 40 << 4 << 0;
    QTest::newRow("8 bits") << QStringList {"-colors", "200",       "-type",
                                            "Palette", "-compress", "None"}
                            << "BMP3" << 40 << 8 << 0;
    QTest::newRow("8 bits RLE") << QStringList {"-colors", "200",       "-type",
                                                "Palette", "-compress", "RLE"}
                                << "BMP3" << 40 << 8 << 1;
    QTest::newRow("16 bits 5-6-5")
        << QStringList {"-define", "bmp:subtype=RGB565"} << "BMP" << 124 << 16 << 3;
    QTest::newRow("16 bits 5-5-5")
        << QStringList {"-define", "bmp:subtype=RGB555"} << "BMP" << 124 << 16 << 3;
    QTest::newRow("24 bits") << QStringList {"-type", "TrueColor"} << "BMP3" << 40 << 24 << 0;
    QTest::newRow("24 bits, fifth header")
        << QStringList {"-type", "TrueColor"} << "BMP" << 124 << 24 << 0;
    QTest::newRow("32 bits") << QStringList {"-alpha", "on", "-define", "bmp3:alpha=true"} << "BMP3"
                             << 40 << 32 << 0;
    QTest::newRow("32 bits, bit fields") << QStringList {"-alpha", "on"} << "BMP" << 124 << 32 << 3;
    QTest::newRow("oldest header, 24 bits")
        << QStringList {"-type", "TrueColor"} << "BMP2" << 12 << 24 << 0;
    QTest::newRow("oldest header, 8 bits")
        << QStringList {"-colors", "100", "-type", "Palette"} << "BMP2" << 12 << 8 << 0;
}

void TestBitmapInterop::opensWhatImageMagickWrites()
{
    QFETCH(QStringList, options);
    QFETCH(QString, format);
    QFETCH(int, headerSize);
    QFETCH(int, bits);
    QFETCH(int, compression);

    const QString file = path(QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_')
                              + ProjectFiles::BitmapSuffix);
    QVERIFY(
        convert(QStringList {path("source.ppm")} + options + QStringList {format + ':' + file}));
    const QByteArray bmp = ProgramFolderFixture::readFile(file);
    // The row really is the variant it claims to be.
    QCOMPARE(int(field32(bmp, 14)), headerSize);
    if (headerSize == 12) {
        QCOMPARE(int(field(bmp, 24, 2)), bits);
    } else {
        QCOMPARE(int(field(bmp, 28, 2)), bits);
        QCOMPARE(int(field32(bmp, 30)), compression);
    }

    const QImage expected = imageMagickReads(file);
    QVERIFY(!expected.isNull());
    QCOMPARE(BmpCodec::decode(bmp), expected);
    if (bits >= 24)
        QCOMPARE(BmpCodec::decode(bmp), source_);
    // The same rows stored top to bottom, as other Windows programs may
    // write them; run-length encoded and oldest-header bitmaps are bottom-up
    // only.
    if (compression != 1 && headerSize >= 40)
        QCOMPARE(BmpCodec::decode(topDown(bmp)), expected);
}

void TestBitmapInterop::opensHandMadeVariantsAsImageMagickReadsThem_data()
{
    QTest::addColumn<QByteArray>("bmp");

    QTest::newRow("RLE4 with runs, absolute run, end of line and delta") << rle4Bitmap();
    QTest::newRow("24 bits top-down") << topDown(bitmap24(noise(37, 23, 5)));
    QTest::newRow("32 bits top-down") << topDown(BmpCodec::encode(noise(9, 7, 6)));
    QByteArray rgb555 = [] {
        // 16 bits without bit fields: 5-5-5, the top bit unused.
        QByteArray bmp = BmpCodec::encode(QImage(3, 2, QImage::Format_RGB32)).left(54);
        qToLittleEndian<quint16>(16, bmp.data() + 28);
        const quint16 pixels[] = {0x7c00, 0x03e0, 0x001f, 0, 0xffff, 0x4210, 0x1234, 0};
        bmp.append(reinterpret_cast<const char *>(pixels), sizeof pixels);
        return bmp;
    }();
    QTest::newRow("16 bits 5-5-5 without bit fields") << rgb555;
}

void TestBitmapInterop::opensHandMadeVariantsAsImageMagickReadsThem()
{
    QFETCH(QByteArray, bmp);
    bmp = sealed(bmp);
    const QString file = path(QStringLiteral("handmade.bmp"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(bmp);
    out.close();

    const QImage expected = imageMagickReads(file);
    QVERIFY(!expected.isNull());
    QCOMPARE(BmpCodec::decode(bmp), expected);
}

void TestBitmapInterop::imageMagickReadsEditorBitmapPixelForPixel()
{
    const QImage board = noise(773, 546, 21);
    const QString file = path(QStringLiteral("saved.bmp"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(BmpCodec::encode(board));
    out.close();
    QCOMPARE(imageMagickReads(file), board);
}

QTEST_MAIN(TestBitmapInterop)
#include "tst_bitmapinterop.moc"
