#include "ToolHarness.h"

#include <QtTest>

class TestUndo : public QObject
{
    Q_OBJECT

private slots:
    void undoBeforeAnyChangeCommitsBlankBoard();
    void undoTakesBackOnlyTheLastStamp();
    void undoTwiceEqualsOnce();
    void undoRightAfterToolRestoresTheMap_data();
    void undoRightAfterToolRestoresTheMap();
    void blockCanBeStampedAfterUndoOfItsMove();
    void undoAfterStampingMovedBlockKeepsBlankArea();
    void undoDuringSelectionDoesNothing_data();
    void undoDuringSelectionDoesNothing();
};

void TestUndo::undoBeforeAnyChangeCommitsBlankBoard()
{
    ToolHarness h;
    h.layPattern(); // as an opened map: the undo copy is not renewed
    h.undo.press();
    const QImage white = BoardModel::whiteBoard();
    QCOMPARE(h.committed(), white);
    QCOMPARE(h.editor.board().displayed(), white);
    QCOMPARE(h.folder.image("demo.bmp"), white);
    QVERIFY(h.editor.board().undoCopy().isNull());
}

void TestUndo::undoTakesBackOnlyTheLastStamp()
{
    ToolHarness h;
    const QImage map = h.layPattern();
    h.pickRedBlock();
    h.stamp(100, 100);
    const QImage afterFirst = h.committed();
    h.stamp(300, 300);
    h.undo.press();
    QCOMPARE(h.committed(), afterFirst);
    QCOMPARE(h.folder.image("demo.bmp"), afterFirst);
    QCOMPARE(h.committed().pixel(100, 100), qRgb(255, 0, 0));
    QCOMPARE(h.committed().pixel(300, 300), map.pixel(300, 300));
    // The preview went with the drawings: exactly the restored board shows.
    QCOMPARE(h.editor.board().displayed(), afterFirst);
    QCOMPARE(h.state().Mode, EditMode::Placement);
}

void TestUndo::undoTwiceEqualsOnce()
{
    ToolHarness h;
    h.layPattern();
    h.pickRedBlock();
    h.stamp(100, 100);
    h.undo.press();
    const QImage once = h.committed();
    const QByteArray onceOnDisk = h.folder.read("demo.bmp");
    h.undo.press();
    QCOMPARE(h.committed(), once);
    QCOMPARE(h.folder.read("demo.bmp"), onceOnDisk);
}

void TestUndo::undoRightAfterToolRestoresTheMap_data()
{
    QTest::addColumn<bool>("moving"); // the move tool, else the erase tool
    QTest::addColumn<int>("tileAfter");
    QTest::newRow("after an erase") << false << 1;
    QTest::newRow("after a move") << true << 0;
}

void TestUndo::undoRightAfterToolRestoresTheMap()
{
    QFETCH(bool, moving);
    QFETCH(int, tileAfter);
    ToolHarness h;
    const QImage map = h.layPattern();
    h.select(QPointF(13, 26), QPointF(52, 65));
    if (moving)
        h.moveTool.press();
    else
        h.eraseTool.press();
    h.undo.press();
    QCOMPARE(h.committed(), map);
    QCOMPARE(h.folder.image("demo.bmp"), map);
    // Undo leaves the current tile alone: a moved block stays current.
    QCOMPARE(h.state().CurrentTile, tileAfter);
}

void TestUndo::blockCanBeStampedAfterUndoOfItsMove()
{
    ToolHarness h;
    const QImage map = h.layPattern();
    h.select(QPointF(13, 26), QPointF(52, 65));
    h.moveTool.press();
    h.undo.press();
    QCOMPARE(h.editor.catalogue().picture(0), map.copy(13, 26, 39, 39));
    h.stamp(200, 200);
    QCOMPARE(h.committed().copy(195, 195, 39, 39), map.copy(13, 26, 39, 39));
}

void TestUndo::undoAfterStampingMovedBlockKeepsBlankArea()
{
    ToolHarness h;
    const QImage map = h.layPattern();
    h.select(QPointF(13, 26), QPointF(52, 65));
    h.moveTool.press();
    const QImage cut = h.committed();
    h.stamp(300, 300);
    h.undo.press();
    QCOMPARE(h.committed(), cut);
    QCOMPARE(h.committed(), withBlank(map, QRect(13, 26, 39, 39)));
}

void TestUndo::undoDuringSelectionDoesNothing_data()
{
    QTest::addColumn<int>("steps"); // how far into the selection cycle
    QTest::addColumn<int>("mode");
    QTest::newRow("armed") << 1 << int(EditMode::SelectionArmed);
    QTest::newRow("dragged") << 2 << int(EditMode::SelectionDragged);
    QTest::newRow("made") << 3 << int(EditMode::SelectionMade);
}

void TestUndo::undoDuringSelectionDoesNothing()
{
    QFETCH(int, steps);
    QFETCH(int, mode);
    ToolHarness h;
    const QImage map = h.layPattern();
    h.pickRedBlock();
    h.stamp(100, 100);
    const QImage stamped = h.committed();
    const QByteArray onDisk = h.folder.read("demo.bmp");

    h.selectTool.press();
    h.move(200, 200);
    if (steps >= 2)
        h.board.buttonPress(Qt::LeftButton, QPointF(200, 200));
    if (steps >= 3) {
        h.board.pointerMove(Qt::LeftButton, QPointF(260, 260));
        h.board.buttonRelease(Qt::LeftButton, QPointF(260, 260));
    }
    const QImage shown = h.editor.board().displayed().copy();
    const Editor::ToolButtons tools = h.editor.tools();
    h.undo.press();
    QCOMPARE(int(h.state().Mode), mode);
    QCOMPARE(h.committed(), stamped);
    QCOMPARE(h.folder.read("demo.bmp"), onDisk);
    QCOMPARE(h.editor.board().displayed(), shown);
    QCOMPARE(h.editor.tools(), tools);

    // After Escape it works again.
    h.board.character(BoardController::EscapeCode);
    h.undo.press();
    QCOMPARE(h.committed(), map);
}

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
