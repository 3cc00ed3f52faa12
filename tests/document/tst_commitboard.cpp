#include "EditorHarness.h"
#include "TestPictures.h"
#include "bitmap/FileReplace.h"

#include <QDir>
#include <QtTest>

class TestCommitBoard : public QObject
{
    Q_OBJECT

private slots:
    void stampWritesDisplayedBoardToDemoBitmap();
    void failedCommitKeepsStampAndWarnsOnce();
    void commitLeavesNoTemporaryFiles();
};

void TestCommitBoard::stampWritesDisplayedBoardToDemoBitmap()
{
    EditorHarness h;
    h.stamp(30, 40);
    QVERIFY(h.folder.exists("demo.bmp"));
    const QImage onDisk = h.folder.image("demo.bmp");
    QCOMPARE(onDisk.size(), QSize(773, 546));
    QCOMPARE(onDisk, h.editor.board().displayed());
    QCOMPARE(h.editor.board().map(), onDisk);
    QVERIFY(h.fake.dialogs.messages.isEmpty());
}

void TestCommitBoard::failedCommitKeepsStampAndWarnsOnce()
{
    EditorHarness h;
    // A folder standing where the file must go makes every write fail, even
    // for root.
    QVERIFY(QDir(h.folder.path()).mkdir("demo.bmp"));

    h.stamp(13, 13);
    const QImage afterFirst = h.editor.board().displayed().copy();
    QCOMPARE(h.editor.board().map(), afterFirst);
    QCOMPARE(h.fake.dialogs.messages.size(), 1);
    const Dialogs::Message warning = h.fake.dialogs.messages.first();
    QVERIFY(warning.text.contains("demo.bmp"));
    QVERIFY(warning.text.contains("dossier"));
    QCOMPARE(warning.icon, Dialogs::Icon::Exclamation);

    // Further failures stay quiet, and still keep every stamp.
    h.stamp(130, 130);
    QCOMPARE(h.fake.dialogs.messages.size(), 1);
    h.move(500, 500);
    const QImage committed = h.editor.board().map();
    QCOMPARE(committed.pixel(14, 14), afterFirst.pixel(14, 14));
    QImage expected = afterFirst.copy();
    stampInto(expected, h.editor.catalogue().picture(1), QPoint(130, 130));
    QCOMPARE(committed, expected);

    // Once the cause is gone a commit succeeds, and a later failure is told.
    QVERIFY(QDir(h.folder.path()).rmdir("demo.bmp"));
    h.stamp(260, 260);
    QCOMPARE(h.fake.dialogs.messages.size(), 1);
    QCOMPARE(h.folder.image("demo.bmp"), h.editor.board().map());
    QVERIFY(QFile::remove(h.folder.file("demo.bmp")));
    QVERIFY(QDir(h.folder.path()).mkdir("demo.bmp"));
    h.stamp(390, 260);
    QCOMPARE(h.fake.dialogs.messages.size(), 2);
}

void TestCommitBoard::commitLeavesNoTemporaryFiles()
{
    EditorHarness h;
    for (int i = 0; i < 5; ++i)
        h.stamp(13 * i, 0);
    QStringList entries
        = QDir(h.folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    entries.sort();
    // The spare the next commit is written over stays.
    QCOMPARE(entries, (QStringList {FileReplace::spareName("demo.bmp"), "demo.bmp", "new.doc",
                                    "readme.doc", "vantorel.vtr"}));
}

QTEST_MAIN(TestCommitBoard)
#include "tst_commitboard.moc"
