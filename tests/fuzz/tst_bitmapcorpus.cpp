#include "EditorHarness.h"
#include "bitmap/BmpCodec.h"
#include "document/OpenCommand.h"

#include <QDir>
#include <QtTest>

// Every bitmap of the corpus that make_corpus.py writes, and every input the
// fuzzer found worth keeping, opened as a project from a real file: a file
// whose picture stands in expected/ opens as that picture, any other gives the
// load message and leaves the board, its undo copy and the project as they
// were.

class TestBitmapCorpus : public QObject
{
    Q_OBJECT

private slots:
    void opensAsExpectedOrIsRefused_data();
    void opensAsExpectedOrIsRefused();
};

void TestBitmapCorpus::opensAsExpectedOrIsRefused_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("expected");

    const QDir here(ProgramFolderFixture::sourceAsset(QStringLiteral("tests/fuzz")));
    int rows = 0;
    for (const char *folder : {"corpus", "found"}) {
        const QDir files(here.filePath(QLatin1String(folder)));
        for (const QFileInfo &info : files.entryInfoList({"*.bmp"}, QDir::Files, QDir::Name)) {
            const QString expected
                = here.filePath(QStringLiteral("expected/%1.png").arg(info.completeBaseName()));
            QTest::newRow(qPrintable(QLatin1String(folder) + '/' + info.fileName()))
                << info.filePath() << (QFileInfo::exists(expected) ? expected : QString());
            ++rows;
        }
    }
    QVERIFY2(rows > 90, "the corpus is missing: run tests/fuzz/make_corpus.py");
}

void TestBitmapCorpus::opensAsExpectedOrIsRefused()
{
    QFETCH(QString, file);
    QFETCH(QString, expected);
    QFile input(file);
    QVERIFY(input.open(QIODevice::ReadOnly));
    const QByteArray bytes = input.readAll();
    const QImage picture
        = expected.isEmpty() ? QImage() : QImage(expected).convertToFormat(QImage::Format_RGB32);
    QVERIFY(expected.isEmpty() || !picture.isNull());

    QCOMPARE(BmpCodec::decode(bytes), picture);
    // A picture too large for its bytes is refused from the headers alone,
    // before anything is allocated for its pixels.
    const QString name = QFileInfo(file).fileName();
    if (name.startsWith(QLatin1String("claims-")) || name.startsWith(QLatin1String("huge-")))
        QVERIFY(!BmpCodec::pictureSize(bytes).isValid());

    EditorHarness h;
    h.editor.catalogue().setMoveBuffer(QImage(26, 26, QImage::Format_RGB32));
    h.state().CurrentTile = 0;
    h.stamp(13, 13);
    h.stamp(130, 65);
    const QImage committed = h.editor.board().map();
    const QString caption = h.editor.caption();
    QVERIFY(committed != BoardModel::whiteBoard());
    h.folder.write(QStringLiteral("essai.bmp"), bytes);

    const bool opened = OpenCommand(h.editor).open(QStringLiteral("essai.bmp"));
    if (!picture.isNull()) {
        QVERIFY(opened);
        QVERIFY(h.fake.dialogs.messages.isEmpty());
        QCOMPARE(h.editor.board().map(), BoardModel::normalized(picture));
        QCOMPARE(h.editor.history().count(), 0);
        QCOMPARE(h.editor.projectName(), QStringLiteral("essai"));
        return;
    }
    QVERIFY(!opened);
    QCOMPARE(h.editor.history().count(), 2);
    QCOMPARE(h.fake.dialogs.messages.size(), 1);
    // A picture saved in a way the user can change is told how, after the message.
    const QString told = h.fake.dialogs.messages.first().text;
    QVERIFY2(told == OpenCommand::LoadFailedText
                 || (told.startsWith(OpenCommand::LoadFailedText + "\n\n")
                     && told.contains("enregistrez-la en BMP sans compression")),
             qPrintable(told));
    QCOMPARE(h.editor.board().map(), committed);
    QCOMPARE(h.editor.caption(), caption);
    QCOMPARE(h.editor.projectName(), QStringLiteral("New"));
}

QTEST_MAIN(TestBitmapCorpus)
#include "tst_bitmapcorpus.moc"
