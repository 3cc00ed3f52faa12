#include "ToolHarness.h"

#include <QDir>
#include <QtTest>

class TestMoveTool : public QObject
{
    Q_OBJECT

private slots:
    void cutsBlockIntoMoveBuffer_data();
    void cutsBlockIntoMoveBuffer();
    void blockIsStampedLikeATileAnyNumberOfTimes();
    void emptySelectionKeepsTileBufferAndFiles();
    void moveRightAfterEraseKeepsTheErasedBlock();
    void pickDuringSelectionKeepsTheSelection_data();
    void pickDuringSelectionKeepsTheSelection();
    void blockFileStandingAsFolderKeepsBlockFromMemory();
};

void TestMoveTool::cutsBlockIntoMoveBuffer_data()
{
    QTest::addColumn<QPointF>("anchor");
    QTest::addColumn<QPointF>("end");
    QTest::addColumn<QRect>("block");
    QTest::newRow("3 x 3 cells at (13, 26)")
        << QPointF(13, 26) << QPointF(52, 65) << QRect(13, 26, 39, 39);
    QTest::newRow("dragged up and left")
        << QPointF(60, 70) << QPointF(20, 30) << QRect(13, 26, 39, 39);
    // Dragged out past the right edge: the end point is (780, 65).
    QTest::newRow("past the right edge")
        << QPointF(760, 30) << QPointF(785, 70) << QRect(754, 26, 19, 39);
}

void TestMoveTool::cutsBlockIntoMoveBuffer()
{
    QFETCH(QPointF, anchor);
    QFETCH(QPointF, end);
    QFETCH(QRect, block);
    ToolHarness h;
    const QImage map = h.layPattern();
    h.pick(2);
    h.select(anchor, end);
    h.moveTool.press();

    const QImage &buffer = h.editor.catalogue().picture(TileTable::MoveBufferIndex);
    // The map's pixels only: no trace of the selection rectangle.
    QCOMPARE(buffer, map.copy(block));
    QCOMPARE(h.editor.catalogue().moveBufferOuterSize(), block.size() + QSize(4, 4));
    QCOMPARE(h.folder.image("tiledeplace.bmp"), map.copy(block));

    const QImage expected = withBlank(map, block);
    QCOMPARE(h.map(), expected);
    QCOMPARE(h.folder.image("demo.bmp"), expected);

    QCOMPARE(h.state().Mode, EditMode::Placement);
    QCOMPARE(h.state().CurrentTile, 0);
    QCOMPARE(h.state().TileVariants, 0);
    QCOMPARE(h.editor.tools(), (Editor::ToolButtons {true, false, false}));
    QVERIFY(h.fake.dialogs.messages.isEmpty());

    // The block has no orientations: the right button leaves it current.
    h.rightClick();
    QCOMPARE(h.state().CurrentTile, 0);

    // Stamped with the pointer in the cell it was cut from, it puts the map back.
    h.stamp(block.left() + 7.5, block.top() + 12.9);
    QCOMPARE(h.map(), map);
    QCOMPARE(h.folder.image("demo.bmp"), map);
}

void TestMoveTool::blockIsStampedLikeATileAnyNumberOfTimes()
{
    ToolHarness h;
    const QImage map = h.layPattern();
    h.select(QPointF(0, 0), QPointF(26, 13));
    h.moveTool.press();
    const QImage block = map.copy(0, 0, 26, 13);

    h.move(200, 200);
    QCOMPARE(h.editor.board().displayed().copy(195, 195, 26, 13), block);
    h.leftClick(200, 200);
    h.stamp(400, 300);
    QCOMPARE(h.map().copy(195, 195, 26, 13), block);
    QCOMPARE(h.map().copy(390, 299, 26, 13), block);
    QVERIFY(isWhite(h.map(), QRect(0, 0, 26, 13)));
    QCOMPARE(h.state().CurrentTile, 0);
}

void TestMoveTool::emptySelectionKeepsTileBufferAndFiles()
{
    ToolHarness h;
    h.layPattern();
    h.select(QPointF(0, 0), QPointF(26, 26));
    h.moveTool.press();
    const QImage buffer = h.editor.catalogue().picture(0);
    const QByteArray blockFile = h.folder.read("tiledeplace.bmp");
    const QByteArray demo = h.folder.read("demo.bmp");
    const int steps = h.editor.history().count();
    const QImage board = h.map();
    h.pick(29);

    h.select(QPointF(100, 100), QPointF(300, 103));
    h.moveTool.press();
    QCOMPARE(h.state().Mode, EditMode::Placement);
    QCOMPARE(h.editor.tools(), (Editor::ToolButtons {true, false, false}));
    QCOMPARE(h.state().CurrentTile, 29);
    QCOMPARE(h.state().TileVariants, 3);
    QCOMPARE(h.editor.catalogue().picture(0), buffer);
    QCOMPARE(h.folder.read("tiledeplace.bmp"), blockFile);
    QCOMPARE(h.folder.read("demo.bmp"), demo);
    QCOMPARE(h.editor.history().count(), steps);
    QCOMPARE(h.map(), board);
    QCOMPARE(h.editor.board().displayed(), board);
}

// The cut must start from the board the erase committed: a board picture
// not renewed since would bring the erased block back.
void TestMoveTool::moveRightAfterEraseKeepsTheErasedBlock()
{
    ToolHarness h;
    const QImage map = h.layPattern();
    h.select(QPointF(0, 0), QPointF(52, 52));
    h.eraseTool.press();
    const QImage erased = h.map();
    h.setSelection(QPoint(26, 26), QPoint(104, 104));
    h.moveTool.press();

    // The block holds the erased corner as white.
    const QImage &buffer = h.editor.catalogue().picture(0);
    QCOMPARE(buffer, erased.copy(26, 26, 78, 78));
    QVERIFY(isWhite(buffer, QRect(0, 0, 26, 26)));
    QCOMPARE(h.map(), withBlank(withBlank(map, QRect(0, 0, 52, 52)), QRect(26, 26, 78, 78)));
}

void TestMoveTool::pickDuringSelectionKeepsTheSelection_data()
{
    QTest::addColumn<int>("pickedIn");
    QTest::newRow("armed") << int(EditMode::SelectionArmed);
    QTest::newRow("dragged") << int(EditMode::SelectionDragged);
    QTest::newRow("made") << int(EditMode::SelectionMade);
}

void TestMoveTool::pickDuringSelectionKeepsTheSelection()
{
    QFETCH(int, pickedIn);
    const auto pickIf = [&](ToolHarness &h, EditMode now) {
        if (int(now) != pickedIn)
            return;
        h.pick(29);
        QCOMPARE(h.state().Mode, now);
    };
    ToolHarness h;
    const QImage map = h.layPattern();
    h.selectTool.press();
    h.move(13, 26);
    pickIf(h, EditMode::SelectionArmed);
    h.board.buttonPress(Qt::LeftButton, QPointF(13, 26));
    pickIf(h, EditMode::SelectionDragged);
    h.board.pointerMove(Qt::LeftButton, QPointF(52, 65));
    h.board.buttonRelease(Qt::LeftButton, QPointF(52, 65));
    pickIf(h, EditMode::SelectionMade);
    QCOMPARE(h.editor.tools(), (Editor::ToolButtons {false, true, true}));

    h.moveTool.press();
    QCOMPARE(h.editor.catalogue().picture(0), map.copy(13, 26, 39, 39));
    QCOMPARE(h.state().CurrentTile, 0);
    QCOMPARE(h.state().TileVariants, 0);
}

void TestMoveTool::blockFileStandingAsFolderKeepsBlockFromMemory()
{
    ToolHarness h;
    const QImage map = h.layPattern();
    // A folder where the file must go makes the write fail, even for root.
    QVERIFY(QDir(h.folder.path()).mkdir("tiledeplace.bmp"));
    h.select(QPointF(13, 26), QPointF(52, 65));
    h.moveTool.press();

    QCOMPARE(h.editor.catalogue().picture(0), map.copy(13, 26, 39, 39));
    QCOMPARE(h.state().CurrentTile, 0);
    QCOMPARE(h.map(), withBlank(map, QRect(13, 26, 39, 39)));
    QCOMPARE(h.fake.dialogs.messages.size(), 1);
    const Dialogs::Message warning = h.fake.dialogs.messages.first();
    QVERIFY(warning.text.contains(QDir::toNativeSeparators(h.folder.file("tiledeplace.bmp"))));
    QVERIFY(warning.text.contains("mémoire"));
    QCOMPARE(warning.icon, Dialogs::Icon::Exclamation);

    // The block from memory stamps like any other; a second failure is not told again.
    h.stamp(13, 26);
    QCOMPARE(h.map(), map);
    h.select(QPointF(0, 0), QPointF(13, 13));
    h.moveTool.press();
    QCOMPARE(h.fake.dialogs.messages.size(), 1);

    // Once the file can be written it is, and a later failure is told.
    QVERIFY(QDir(h.folder.path()).rmdir("tiledeplace.bmp"));
    h.select(QPointF(100, 100), QPointF(130, 130));
    h.moveTool.press();
    QCOMPARE(h.folder.image("tiledeplace.bmp"), map.copy(91, 91, 39, 39));
    QVERIFY(QFile::remove(h.folder.file("tiledeplace.bmp")));
    QVERIFY(QDir(h.folder.path()).mkdir("tiledeplace.bmp"));
    h.select(QPointF(200, 200), QPointF(230, 230));
    h.moveTool.press();
    QCOMPARE(h.fake.dialogs.messages.size(), 2);
}

QTEST_MAIN(TestMoveTool)
#include "tst_movetool.moc"
