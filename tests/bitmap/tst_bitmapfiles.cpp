#include "EditorHarness.h"
#include "ProgramFolderFixture.h"
#include "TestPictures.h"
#include "bitmap/BitmapFiles.h"
#include "bitmap/BmpCodec.h"
#include "bitmap/FileReplace.h"
#include "bitmap/ImageBuffers.h"
#include "board/Board.h"
#include "document/OpenCommand.h"
#include "platform/Files.h"

#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <QtTest>

#include <cerrno>

#include <unistd.h>

Q_DECLARE_METATYPE(FileRole)

class TestBitmapFiles : public QObject
{
    Q_OBJECT

private slots:
    void encodedLayoutIsAStandardBitmap();
    void roundTripKeepsEveryPixel();
    void readsBitmapsWrittenByOthers();
    void largeBitmapsOpenAsTheirTopLeftCorner_data();
    void largeBitmapsOpenAsTheirTopLeftCorner();
    void fileReaderAgreesWithDecoder_data();
    void fileReaderAgreesWithDecoder();
    void recycledImagesNeverShareMemory();
    void writeReplacesWholeFileInBothModes();
    void workingFileNeverWritesIntoASpareNotItsOwn_data();
    void workingFileNeverWritesIntoASpareNotItsOwn();
    void writeFailsWhenAFolderHoldsTheName();
    void resolveMatchesLetterCaseInsensitively();
    void writeFailuresAreToldInFrench_data();
    void writeFailuresAreToldInFrench();
    void copyOntoItselfLeavesFileIntact_data();
    void copyOntoItselfLeavesFileIntact();
    void workingCopyKeepsPermissionsOfFileReplaced();
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

// The editor's own bitmaps are read from disk straight into the image; any
// file must come out as the decoder makes it of the same bytes.
void TestBitmapFiles::fileReaderAgreesWithDecoder_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray board = BmpCodec::encode(noise(773, 546, 5));
    QTest::newRow("a board") << board;
    QByteArray zeroed = board;
    for (qsizetype i = 54 + 3; i < zeroed.size(); i += 4)
        zeroed[i] = 0;
    QTest::newRow("unused bytes zero") << zeroed;
    QTest::newRow("last row cut short") << board.left(board.size() - 1);
    QTest::newRow("headers alone") << board.left(54);
    QByteArray qtWritten;
    QBuffer buffer(&qtWritten);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "BMP").write(noise(31, 7, 6));
    QTest::newRow("24-bit, padded rows") << qtWritten;
}

void TestBitmapFiles::fileReaderAgreesWithDecoder()
{
    QFETCH(QByteArray, bytes);
    ProgramFolderFixture folder(false);
    folder.write("picture.bmp", bytes);
    QString error;
    const QImage read = BitmapFiles::read(folder.file("picture.bmp"), &error);
    const QImage decoded = BmpCodec::decode(bytes);
    QCOMPARE(read, decoded);
    QCOMPARE(read.isNull(), !error.isEmpty());
    // Stored opaque, as the image's format wants, whatever the file held.
    for (int y = 0; y < read.height(); ++y) {
        const auto *row = reinterpret_cast<const quint32 *>(read.constScanLine(y));
        for (int x = 0; x < read.width(); ++x)
            QCOMPARE(row[x] >> 24, 0xffu);
    }
}

void TestBitmapFiles::largeBitmapsOpenAsTheirTopLeftCorner_data()
{
    QTest::addColumn<int>("bits");
    QTest::newRow("1 bit") << 1;
    QTest::newRow("8 bits") << 8;
    QTest::newRow("24 bits") << 24;
}

// An 8000 x 8000 bitmap, even a 1-bit one of 8 MB, gave the load message.
void TestBitmapFiles::largeBitmapsOpenAsTheirTopLeftCorner()
{
    QFETCH(int, bits);
    EditorHarness h;
    const QImage corner
        = writeLargeBitmap(h.folder.file("grand.bmp"), 8000, 8000, bits, Board::area().size());
    QVERIFY(!corner.isNull());
    QVERIFY(OpenCommand(h.editor).open("grand.bmp"));
    QVERIFY(h.fake.dialogs.messages.isEmpty());
    QCOMPARE(h.editor.board().map(), corner);
}

void TestBitmapFiles::recycledImagesNeverShareMemory()
{
    QImage kept = ImageBuffers::rgb32(773, 546);
    kept.fill(Qt::red);
    for (int i = 0; i < 6; ++i) {
        QImage other = ImageBuffers::rgb32(773, 546);
        QVERIFY(other.constBits() != kept.constBits());
        other.fill(Qt::blue);
    }
    QCOMPARE(kept.pixel(772, 545), qRgb(255, 0, 0));
}

void TestBitmapFiles::writeReplacesWholeFileInBothModes()
{
    ProgramFolderFixture folder(false);
    QString error;
    for (auto mode : {FileRole::WorkingFile, FileRole::UserFile}) {
        const QString path = folder.file("board.bmp");
        const QImage first = noise(773, 546, 1);
        QVERIFY(BitmapFiles::write(path, first, mode, &error));
        // A reader that opened the file before it was replaced reads it whole.
        QFile reader(path);
        QVERIFY(reader.open(QIODevice::ReadOnly));
        const QImage second = noise(773, 546, 2);
        QVERIFY2(BitmapFiles::write(path, second, mode, &error), qPrintable(error));
        QCOMPARE(BitmapFiles::read(path, &error), second);
        QCOMPARE(BmpCodec::decode(reader.readAll()), first);
        // A working file keeps the spare its next rewrite goes over.
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(),
                 mode == FileRole::WorkingFile ? 2 : 1);
        QFile::remove(path);
        QFile::remove(folder.file(FileReplace::spareName("board.bmp")));
    }
}

// A spare name that leads to another file, by a link or as one of its names,
// is dropped and never written into: the other file stays as it was.
void TestBitmapFiles::workingFileNeverWritesIntoASpareNotItsOwn_data()
{
    QTest::addColumn<bool>("symbolic");
    QTest::newRow("symbolic link") << true;
    QTest::newRow("hard link") << false;
}

void TestBitmapFiles::workingFileNeverWritesIntoASpareNotItsOwn()
{
    QFETCH(bool, symbolic);
    ProgramFolderFixture folder(false);
    const QString other = folder.file("carte.bmp");
    const QString spare = folder.file(FileReplace::spareName("demo.bmp"));
    QString error;
    QVERIFY(BitmapFiles::write(other, noise(773, 546, 1), FileRole::UserFile, &error));
    QVERIFY(symbolic ? QFile::link(other, spare)
                     : ::link(QFile::encodeName(other), QFile::encodeName(spare)) == 0);
    const QByteArray before = folder.read("carte.bmp");
    for (int i = 2; i < 5; ++i) {
        QVERIFY2(BitmapFiles::write(folder.file("demo.bmp"), noise(773, 546, i),
                                    FileRole::WorkingFile, &error),
                 qPrintable(error));
        QCOMPARE(BitmapFiles::read(folder.file("demo.bmp"), &error), noise(773, 546, i));
    }
    QCOMPARE(folder.read("carte.bmp"), before);
}

void TestBitmapFiles::writeFailsWhenAFolderHoldsTheName()
{
    ProgramFolderFixture folder(false);
    QVERIFY(QDir(folder.path()).mkdir("taken.bmp"));
    for (auto mode : {FileRole::WorkingFile, FileRole::UserFile}) {
        QString error;
        QVERIFY(!BitmapFiles::write(folder.file("taken.bmp"), noise(4, 4, 1), mode, &error));
        QVERIFY(!error.isEmpty());
    }
    QString error;
    QVERIFY(BitmapFiles::read(folder.file("taken.bmp"), &error).isNull());
    QVERIFY(BitmapFiles::read(folder.file("missing.bmp"), &error).isNull());
    QCOMPARE(error, QStringLiteral("fichier introuvable"));
    // Nothing was left behind by the failed writes.
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
}

void TestBitmapFiles::writeFailuresAreToldInFrench_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("reason");
    QTest::newRow("full disk") << ENOSPC << "plus de place sur le disque";
    QTest::newRow("quota") << EDQUOT << "quota disque dépassé";
    QTest::newRow("read-only disk") << EROFS << "le disque est en lecture seule";
    QTest::newRow("permission") << EACCES << "accès refusé";
    QTest::newRow("not permitted") << EPERM << "opération interdite";
    QTest::newRow("input/output") << EIO << "erreur d'entrée-sortie du disque";
}

// A failed save said "Unknown error", in English.
void TestBitmapFiles::writeFailuresAreToldInFrench()
{
    QFETCH(int, code);
    QFETCH(QString, reason);
    QCOMPARE(Files::errorInFrench(code), reason);
    QCOMPARE(Files::errorInFrench(QStringLiteral("Unknown error")),
             QStringLiteral("erreur inconnue"));
}

void TestBitmapFiles::resolveMatchesLetterCaseInsensitively()
{
    ProgramFolderFixture folder(false);
    folder.write("New.DOC", "x");
    QCOMPARE(Files::resolve(folder.path(), "new.doc"), folder.file("New.DOC"));
    QVERIFY(Files::exists(folder.path(), "NEW.doc"));
    QCOMPARE(Files::resolve(folder.path(), "other.doc"), folder.file("other.doc"));
    QVERIFY(!Files::exists(folder.path(), "other.doc"));
}

void TestBitmapFiles::copyOntoItselfLeavesFileIntact_data()
{
    QTest::addColumn<FileRole>("role");
    QTest::newRow("working copy") << FileRole::WorkingFile;
    QTest::newRow("user's file") << FileRole::UserFile;
}

void TestBitmapFiles::copyOntoItselfLeavesFileIntact()
{
    QFETCH(FileRole, role);
    ProgramFolderFixture folder(false);
    folder.write("a.doc", "scenario text");
    QString error;
    QVERIFY(FileReplace::copy(folder.file("a.doc"), folder.file("a.doc"), role, &error));
    QCOMPARE(folder.read("a.doc"), QByteArray("scenario text"));
    folder.write("b.doc", "an older, longer scenario text");
    QVERIFY(FileReplace::copy(folder.file("a.doc"), folder.file("b.doc"), role, &error));
    QCOMPARE(folder.read("b.doc"), QByteArray("scenario text"));
    QVERIFY(!FileReplace::copy(folder.file("none.doc"), folder.file("c.doc"), role, &error));
    QCOMPARE(error, QStringLiteral("fichier ou dossier introuvable"));
    QVERIFY(!folder.exists("c.doc"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

void TestBitmapFiles::workingCopyKeepsPermissionsOfFileReplaced()
{
    ProgramFolderFixture folder(false);
    folder.write("model.vtr", "template");
    folder.write("new.doc", "last session");
    const auto readOnlyForOthers = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser
                                   | QFile::WriteUser | QFile::ReadGroup;
    QVERIFY(QFile::setPermissions(folder.file("new.doc"), readOnlyForOthers));
    QString error;
    QVERIFY(FileReplace::copy(folder.file("model.vtr"), folder.file("new.doc"),
                              FileRole::WorkingFile, &error));
    QCOMPARE(folder.read("new.doc"), QByteArray("template"));
    QCOMPARE(QFile::permissions(folder.file("new.doc")), readOnlyForOthers);
}

QTEST_MAIN(TestBitmapFiles)
#include "tst_bitmapfiles.moc"
