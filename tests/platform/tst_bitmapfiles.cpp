#include "ProgramFolderFixture.h"
#include "platform/BmpCodec.h"
#include "platform/QtFileSystem.h"
#include "platform/QtPictureFiles.h"

#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QtTest>

namespace {

QImage noise(int width, int height, quint32 seed)
{
    QRandomGenerator random(seed);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, 0xff000000u | (random.generate() & 0xffffffu));
    return image;
}

} // namespace

class TestBitmapFiles : public QObject
{
    Q_OBJECT

private slots:
    void encodedLayoutIsAStandardBitmap();
    void roundTripKeepsEveryPixel();
    void readsBitmapsWrittenByOthers();
    void rejectsBytesThatAreNoPicture();
    void writeReplacesWholeFileInBothModes();
    void writeFailsWhenAFolderHoldsTheName();
    void resolveMatchesLetterCaseInsensitively();
    void copyOntoItselfLeavesFileIntact();
};

void TestBitmapFiles::encodedLayoutIsAStandardBitmap()
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(1, 2, 3)); // top row
    image.setPixel(0, 1, qRgb(10, 20, 30)); // bottom row
    const QByteArray bytes = BmpCodec::encode(image);
    QCOMPARE(bytes.size(), 54 + 3 * 2 * 4);
    QCOMPARE(bytes.left(2), QByteArray("BM"));
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData());
    QCOMPARE(qFromLittleEndian<quint32>(p + 2), quint32(bytes.size()));
    QCOMPARE(qFromLittleEndian<quint32>(p + 10), 54u);
    QCOMPARE(qFromLittleEndian<qint32>(p + 22), 2); // bottom-up
    QCOMPARE(qFromLittleEndian<quint16>(p + 28), quint16(32));
    // The first stored row is the bottom one, in blue, green, red order.
    QCOMPARE(int(p[54]), 30);
    QCOMPARE(int(p[55]), 20);
    QCOMPARE(int(p[56]), 10);
    // Qt's own reader agrees.
    QCOMPARE(QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB32), image);
}

void TestBitmapFiles::roundTripKeepsEveryPixel()
{
    const QImage board = noise(773, 546, 7);
    QCOMPARE(BmpCodec::decode(BmpCodec::encode(board)), board);
    const QImage odd = noise(5, 3, 9);
    QCOMPARE(BmpCodec::decode(BmpCodec::encode(odd)), odd);
}

void TestBitmapFiles::readsBitmapsWrittenByOthers()
{
    // Qt writes 24-bit bitmaps with padded rows: the general path reads them.
    const QImage image = noise(773, 546, 3);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(QImageWriter(&buffer, "BMP").write(image));
    QCOMPARE(BmpCodec::decode(bytes), image);

    // A 32-bit file whose unused byte is zero still gives opaque pixels.
    QByteArray zeroed = BmpCodec::encode(image);
    for (qsizetype i = 54 + 3; i < zeroed.size(); i += 4)
        zeroed[i] = 0;
    QCOMPARE(BmpCodec::decode(zeroed), image);
}

void TestBitmapFiles::rejectsBytesThatAreNoPicture()
{
    QVERIFY(BmpCodec::decode(QByteArray()).isNull());
    QVERIFY(BmpCodec::decode(QByteArray("BM not a bitmap at all")).isNull());
}

void TestBitmapFiles::writeReplacesWholeFileInBothModes()
{
    ProgramFolderFixture folder(false);
    QtPictureFiles files;
    QString error;
    for (auto mode : {PictureFiles::Durability::Mirror, PictureFiles::Durability::Durable}) {
        const QString path = folder.file("board.bmp");
        QVERIFY(files.writeBitmap(path, noise(773, 546, 1), mode, &error));
        const QImage second = noise(773, 546, 2);
        QVERIFY2(files.writeBitmap(path, second, mode, &error), qPrintable(error));
        QCOMPARE(files.readPicture(path, &error), second);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
        QFile::remove(path);
    }
}

void TestBitmapFiles::writeFailsWhenAFolderHoldsTheName()
{
    ProgramFolderFixture folder(false);
    QVERIFY(QDir(folder.path()).mkdir("taken.bmp"));
    QtPictureFiles files;
    for (auto mode : {PictureFiles::Durability::Mirror, PictureFiles::Durability::Durable}) {
        QString error;
        QVERIFY(!files.writeBitmap(folder.file("taken.bmp"), noise(4, 4, 1), mode, &error));
        QVERIFY(!error.isEmpty());
    }
    QString error;
    QVERIFY(files.readPicture(folder.file("taken.bmp"), &error).isNull());
    QVERIFY(files.readPicture(folder.file("missing.bmp"), &error).isNull());
    QCOMPARE(error, QStringLiteral("fichier introuvable"));
    // Nothing was left behind by the failed writes.
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
}

void TestBitmapFiles::resolveMatchesLetterCaseInsensitively()
{
    ProgramFolderFixture folder(false);
    folder.write("New.DOC", "x");
    QtFileSystem fs;
    QCOMPARE(fs.resolve(folder.path(), "new.doc"), folder.file("New.DOC"));
    QVERIFY(fs.exists(folder.path(), "NEW.doc"));
    QCOMPARE(fs.resolve(folder.path(), "other.doc"), folder.file("other.doc"));
    QVERIFY(!fs.exists(folder.path(), "other.doc"));
}

void TestBitmapFiles::copyOntoItselfLeavesFileIntact()
{
    ProgramFolderFixture folder(false);
    folder.write("a.doc", "scenario text");
    QtFileSystem fs;
    QString error;
    QVERIFY(fs.copyFile(folder.file("a.doc"), folder.file("a.doc"), &error));
    QCOMPARE(folder.read("a.doc"), QByteArray("scenario text"));
    QVERIFY(fs.copyFile(folder.file("a.doc"), folder.file("b.doc"), &error));
    QCOMPARE(folder.read("b.doc"), QByteArray("scenario text"));
    QVERIFY(!fs.copyFile(folder.file("none.doc"), folder.file("c.doc"), &error));
    QCOMPARE(error, QStringLiteral("fichier ou dossier introuvable"));
    QVERIFY(!folder.exists("c.doc"));
}

QTEST_MAIN(TestBitmapFiles)
#include "tst_bitmapfiles.moc"
