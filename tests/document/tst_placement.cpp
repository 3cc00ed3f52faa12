#include "EditorHarness.h"

#include <QtTest>

namespace {

// Whether the board shows the tile's pixels with its top-left corner there,
// for the part inside the board.
bool showsTile(const QImage &board, const QImage &tile, QPoint at)
{
    for (int y = 0; y < tile.height(); ++y)
        for (int x = 0; x < tile.width(); ++x) {
            const QPoint p = at + QPoint(x, y);
            if (board.rect().contains(p) && board.pixel(p) != tile.pixel(x, y))
                return false;
        }
    return true;
}

bool isWhiteOutside(const QImage &board, const QRect &except)
{
    for (int y = 0; y < board.height(); ++y)
        for (int x = 0; x < board.width(); ++x)
            if (!except.contains(x, y) && board.pixel(x, y) != qRgb(255, 255, 255))
                return false;
    return true;
}

} // namespace

class TestPlacement : public QObject
{
    Q_OBJECT

private slots:
    void snapping_data();
    void snapping();
    void activationShowsTileOneAtOrigin();
    void previewFollowsSnappedPointer();
    void previewPartlyOffTheBoard();
    void stampLandsWhereLastMoveDrewIt();
    void twoPressesWithoutMoveMakeOneStep();
    void rightPressesWalkTheFamily();
    void tagZeroTileNeverTurns();
    void rightPressTurnsInEveryMode();
    void selectionPointerCycle();
    void escapeCancelsSelection();
    void arrowsMoveThePreviewOnTheBoard_data();
    void arrowsMoveThePreviewOnTheBoard();
    void spaceOrEnterStampsWhereTheKeysAre();
    void keyedStampLaysTheTilePickedSinceTheLastMove();
    void rTurnsTheTileAndShowsItAtOnce();
};

void TestPlacement::snapping_data()
{
    QTest::addColumn<double>("coordinate");
    QTest::addColumn<int>("snapped");
    QTest::newRow("zero") << 0.0 << 0;
    QTest::newRow("inside first cell") << 12.99 << 0;
    QTest::newRow("cell boundary") << 13.0 << 13;
    QTest::newRow("fraction") << 25.9 << 13;
    QTest::newRow("just negative") << -0.5 << -13;
    QTest::newRow("minus one cell") << -13.0 << -13;
    QTest::newRow("beyond minus one cell") << -13.01 << -26;
    QTest::newRow("last column") << 772.0 << 767;
}

void TestPlacement::snapping()
{
    QFETCH(double, coordinate);
    QFETCH(int, snapped);
    QCOMPARE(Board::snap(coordinate, 13), snapped);
}

void TestPlacement::activationShowsTileOneAtOrigin()
{
    EditorHarness h;
    h.board.activate();
    const QImage &shown = h.editor.board().displayed();
    const QImage &tile = h.editor.catalogue().picture(1);
    QCOMPARE(tile.size(), QSize(39, 39));
    QVERIFY(showsTile(shown, tile, QPoint(0, 0)));
    QVERIFY(isWhiteOutside(shown, QRect(0, 0, 39, 39)));
    // The preview is a drawing: the committed board stays white.
    QVERIFY(isWhiteOutside(h.editor.board().map(), QRect()));
}

void TestPlacement::previewFollowsSnappedPointer()
{
    EditorHarness h;
    h.pick(29);
    const QImage &tile = h.editor.catalogue().picture(29);
    h.move(25.9, 12.4);
    QCOMPARE(h.state().TileX, 13);
    QCOMPARE(h.state().TileY, 0);
    QVERIFY(showsTile(h.editor.board().displayed(), tile, QPoint(13, 0)));

    // The previous preview goes when the pointer moves on.
    h.move(200.5, 300.2);
    QCOMPARE(QPoint(h.state().TileX, h.state().TileY), QPoint(195, 299));
    QVERIFY(showsTile(h.editor.board().displayed(), tile, QPoint(195, 299)));
    QVERIFY(isWhiteOutside(h.editor.board().displayed(), QRect(QPoint(195, 299), tile.size())));
}

void TestPlacement::previewPartlyOffTheBoard()
{
    EditorHarness h;
    h.move(-0.5, 100);
    QCOMPARE(h.state().TileX, -13);
    const QImage &tile = h.editor.catalogue().picture(1);
    QVERIFY(showsTile(h.editor.board().displayed(), tile, QPoint(-13, 91)));
    QVERIFY(isWhiteOutside(h.editor.board().displayed(), QRect(0, 91, 26, 39)));

    // Past the right and bottom edges only the part inside is drawn.
    h.move(770, 540);
    QVERIFY(showsTile(h.editor.board().displayed(), tile, QPoint(767, 533)));
}

void TestPlacement::stampLandsWhereLastMoveDrewIt()
{
    EditorHarness h;
    h.move(40, 40);
    // The press comes elsewhere with no move reported first.
    h.board.buttonPress(Qt::LeftButton, QPointF(400, 300));
    const QImage &tile = h.editor.catalogue().picture(1);
    QVERIFY(showsTile(h.editor.board().map(), tile, QPoint(39, 39)));
    QVERIFY(isWhiteOutside(h.editor.board().map(), QRect(39, 39, 39, 39)));

    // The next move shows the preview over the new committed board.
    h.move(300, 300);
    QVERIFY(showsTile(h.editor.board().displayed(), tile, QPoint(39, 39)));
    QVERIFY(showsTile(h.editor.board().displayed(), tile, QPoint(299, 299)));
}

void TestPlacement::twoPressesWithoutMoveMakeOneStep()
{
    EditorHarness h;
    h.stamp(0, 0);
    const QImage beforeSecondStamp = h.editor.board().map();
    h.move(100, 100);
    h.board.buttonPress(Qt::LeftButton, QPointF(100, 100));
    const QImage afterOne = h.editor.board().map();
    h.board.buttonPress(Qt::LeftButton, QPointF(100, 100));
    QCOMPARE(h.editor.board().map(), afterOne);
    // The second press changed nothing: one undo takes the tile away.
    QCOMPARE(h.editor.history().count(), 2);
    h.editor.history().undo();
    QCOMPARE(h.editor.board().map(), beforeSecondStamp);
}

void TestPlacement::rightPressesWalkTheFamily()
{
    EditorHarness h;
    h.pick(2);
    QList<int> seen;
    for (int i = 0; i < 5; ++i) {
        h.rightClick();
        seen << h.state().CurrentTile;
    }
    QCOMPARE(seen, (QList<int> {3, 4, 5, 2, 3}));

    // A turn is shown at the next move, not before.
    h.move(0, 0);
    QVERIFY(showsTile(h.editor.board().displayed(), h.editor.catalogue().picture(3), QPoint(0, 0)));

    // Picking again mid-cycle restarts it.
    h.pick(2);
    QCOMPARE(h.state().CurrentTile, 2);
    QCOMPARE(h.state().VariantStep, quint8(0));
    h.rightClick();
    QCOMPARE(h.state().CurrentTile, 3);
    QCOMPARE(h.state().VariantStep, quint8(1));

    h.pick(10); // a two-member family
    h.rightClick();
    h.rightClick();
    QCOMPARE(h.state().CurrentTile, 10);
}

void TestPlacement::tagZeroTileNeverTurns()
{
    EditorHarness h;
    for (int index : {1, 20, 49, 64, 67, 70, 79, 80, 81, 86, 93}) {
        h.pick(index);
        for (int i = 0; i < 4; ++i)
            h.rightClick();
        QCOMPARE(h.state().CurrentTile, index);
        QCOMPARE(h.state().VariantStep, quint8(0));
    }
}

void TestPlacement::rightPressTurnsInEveryMode()
{
    EditorHarness h;
    h.pick(6);
    for (EditMode mode :
         {EditMode::SelectionArmed, EditMode::SelectionDragged, EditMode::SelectionMade}) {
        h.state().Mode = mode;
        const int before = h.state().CurrentTile;
        h.rightClick();
        QCOMPARE(h.state().CurrentTile, before == 9 ? 6 : before + 1);
        QCOMPARE(h.state().Mode, mode);
    }
}

void TestPlacement::selectionPointerCycle()
{
    EditorHarness h;
    h.state().Mode = EditMode::SelectionArmed;
    BoardModel &board = h.editor.board();
    board.clearDrawings();

    // The marker starts as drawn at (0, 0), so the first request there draws nothing.
    h.move(5, 5);
    QVERIFY(isWhiteOutside(board.displayed(), QRect()));
    h.move(30, 30);
    QCOMPARE(QPoint(h.state().MarkX, h.state().MarkY), QPoint(26, 26));
    QVERIFY(board.displayed().pixel(28, 26) != qRgb(255, 255, 255));

    // The anchor is the grid point of the last move, not of the press.
    h.board.buttonPress(Qt::LeftButton, QPointF(100, 100));
    QCOMPARE(h.state().Mode, EditMode::SelectionDragged);
    QCOMPARE(QPoint(h.state().SelX1, h.state().SelY1), QPoint(26, 26));

    h.move(80.5, 70);
    QCOMPARE(board.displayed().pixel(26, 50), board.displayed().pixel(78, 50));
    QVERIFY(board.displayed().pixel(26, 50) != qRgb(255, 255, 255));
    QCOMPARE(board.displayed().pixel(50, 50), qRgb(255, 255, 255));

    // Left presses while dragging change nothing.
    h.board.buttonPress(Qt::LeftButton, QPointF(300, 300));
    QCOMPARE(QPoint(h.state().SelX1, h.state().SelY1), QPoint(26, 26));
    QVERIFY(!h.folder.exists("demo.bmp"));

    h.board.buttonRelease(Qt::LeftButton, QPointF(500, 500));
    QCOMPARE(h.state().Mode, EditMode::SelectionMade);
    QCOMPARE(QPoint(h.state().SelX2, h.state().SelY2), QPoint(78, 65));
    QVERIFY(h.editor.tools().move);
    QVERIFY(h.editor.tools().erase);

    // In mode 4 moves and presses do nothing; the rectangle stays.
    const QImage shown = board.displayed().copy();
    h.move(400, 400);
    h.board.buttonPress(Qt::LeftButton, QPointF(400, 400));
    QCOMPARE(board.displayed(), shown);
    QCOMPARE(h.state().Mode, EditMode::SelectionMade);
}

void TestPlacement::escapeCancelsSelection()
{
    EditorHarness h;
    h.editor.setTools({false, false, false});
    h.state().Mode = EditMode::SelectionArmed;
    h.move(100, 100);
    h.board.buttonPress(Qt::LeftButton, QPointF(100, 100));
    h.move(200, 200);
    h.board.buttonRelease(Qt::LeftButton, QPointF(200, 200));

    h.board.character('a');
    QCOMPARE(h.state().Mode, EditMode::SelectionMade);

    h.board.character(BoardController::EscapeCode);
    QCOMPARE(h.state().Mode, EditMode::Placement);
    QCOMPARE(h.editor.tools(), (Editor::ToolButtons {true, false, false}));
    QVERIFY(isWhiteOutside(h.editor.board().displayed(), QRect()));
    // The corners keep their values.
    QCOMPARE(QPoint(h.state().SelX2, h.state().SelY2), QPoint(195, 195));

    // Escape in placement mode is ignored.
    h.editor.setTools({false, true, true});
    h.board.character(BoardController::EscapeCode);
    QCOMPARE(h.editor.tools(), (Editor::ToolButtons {false, true, true}));
}

void TestPlacement::arrowsMoveThePreviewOnTheBoard_data()
{
    // The pointer's last move, then arrows: l, r, u, d.
    QTest::addColumn<QPointF>("pointer");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QPoint>("corner");
    QTest::newRow("from the pointer's square") << QPointF(30.5, 40) << "rd" << QPoint(39, 52);
    QTest::newRow("back and forth") << QPointF(100, 100) << "llrrru" << QPoint(104, 78);
    QTest::newRow("stops at the left and top edges") << QPointF(5, 5) << "lu" << QPoint(0, 0);
    QTest::newRow("stops on the last, partial column")
        << QPointF(760, 100) << "rrr" << QPoint(767, 91);
    QTest::newRow("stops on the last row") << QPointF(100, 530) << "ddd" << QPoint(91, 533);
    QTest::newRow("from a drag off the board") << QPointF(-20, -20) << "r" << QPoint(0, 0);
}

void TestPlacement::arrowsMoveThePreviewOnTheBoard()
{
    QFETCH(QPointF, pointer);
    QFETCH(QString, keys);
    QFETCH(QPoint, corner);
    EditorHarness h;
    h.move(pointer.x(), pointer.y());
    const QHash<QChar, int> arrows {
        {'l', Qt::Key_Left}, {'r', Qt::Key_Right}, {'u', Qt::Key_Up}, {'d', Qt::Key_Down}};
    for (QChar key : keys)
        QVERIFY(h.board.key(arrows.value(key), Qt::NoModifier));
    QCOMPARE(QPoint(h.state().TileX, h.state().TileY), corner);
    const QImage &tile = h.editor.catalogue().picture(1);
    QVERIFY(showsTile(h.editor.board().displayed(), tile, corner));
    QVERIFY(isWhiteOutside(h.editor.board().displayed(), QRect(corner, tile.size())));
}

void TestPlacement::spaceOrEnterStampsWhereTheKeysAre()
{
    EditorHarness h;
    h.pick(29);
    const QImage &tile = h.editor.catalogue().picture(29);
    h.move(100, 100);
    h.board.key(Qt::Key_Right, Qt::NoModifier);
    QVERIFY(h.board.key(Qt::Key_Space, Qt::NoModifier));
    QVERIFY(showsTile(h.editor.board().map(), tile, QPoint(104, 91)));
    h.board.key(Qt::Key_Down, Qt::NoModifier);
    QVERIFY(h.board.key(Qt::Key_Return, Qt::NoModifier));
    QVERIFY(showsTile(h.editor.board().map(), tile, QPoint(104, 104)));

    // A held key stamps once.
    h.board.key(Qt::Key_Down, Qt::NoModifier);
    const QImage twice = h.editor.board().map();
    QVERIFY(h.board.key(Qt::Key_Space, Qt::NoModifier, true));
    QCOMPARE(h.editor.board().map(), twice);

    // The pointer takes over at its next move, and the keys go on from there.
    h.move(300, 300);
    h.board.key(Qt::Key_Left, Qt::NoModifier);
    QCOMPARE(QPoint(h.state().TileX, h.state().TileY), QPoint(286, 299));
}

// A click always follows a move over the board; a key need not. Stamping
// the board as displayed laid the tile shown before the pick.
void TestPlacement::keyedStampLaysTheTilePickedSinceTheLastMove()
{
    EditorHarness h;
    h.move(50, 50);
    h.pick(62);
    h.board.key(Qt::Key_Space, Qt::NoModifier);
    const QImage &committed = h.editor.board().map();
    QVERIFY(showsTile(committed, h.editor.catalogue().picture(62), QPoint(39, 39)));
}

void TestPlacement::rTurnsTheTileAndShowsItAtOnce()
{
    EditorHarness h;
    h.pick(2);
    h.move(50, 50);
    QVERIFY(h.board.key(Qt::Key_R, Qt::NoModifier));
    QCOMPARE(h.state().CurrentTile, 3);
    QVERIFY(
        showsTile(h.editor.board().displayed(), h.editor.catalogue().picture(3), QPoint(39, 39)));
    QVERIFY(h.board.key(Qt::Key_R, Qt::ShiftModifier));
    QCOMPARE(h.state().CurrentTile, 4);
    // Held down, it turns once.
    h.board.key(Qt::Key_R, Qt::NoModifier, true);
    QCOMPARE(h.state().CurrentTile, 4);
}

QTEST_MAIN(TestPlacement)
#include "tst_placement.moc"
