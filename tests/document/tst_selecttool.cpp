#include "ToolHarness.h"
#include "document/Selection.h"

#include <QtTest>

using Tools = Editor::ToolButtons;
Q_DECLARE_METATYPE(Editor::ToolButtons)
Q_DECLARE_METATYPE(EditMode)

class TestSelectTool : public QObject
{
    Q_OBJECT

private slots:
    void buttonsFollowTheCycle_data();
    void buttonsFollowTheCycle();
    void selectKeepsPreviewTileAndDrawsThin();
    void selectionIsDrawnOverTheLastStamp();
    void keysSelectTheWholeBoardItsPartialColumnIncluded();
};

void TestSelectTool::buttonsFollowTheCycle_data()
{
    // Steps: s select button, a pointer to (13, 26) and left press, d drag to
    // (52, 65), z release on the anchor, r release, M move, E erase, U undo,
    // x Escape; K Space on the board, which fixes the corner the keys are on.
    QTest::addColumn<QString>("steps");
    QTest::addColumn<EditMode>("mode");
    QTest::addColumn<Tools>("tools");
    const Tools placement {true, false, false};
    const Tools selecting {false, false, false};
    const Tools made {false, true, true};
    QTest::newRow("at start") << "" << EditMode::Placement << placement;
    QTest::newRow("armed") << "s" << EditMode::SelectionArmed << selecting;
    QTest::newRow("dragged") << "sad" << EditMode::SelectionDragged << selecting;
    QTest::newRow("made") << "sadr" << EditMode::SelectionMade << made;
    QTest::newRow("moved") << "sadrM" << EditMode::Placement << placement;
    QTest::newRow("erased") << "sadrE" << EditMode::Placement << placement;
    QTest::newRow("escape when armed") << "sx" << EditMode::Placement << placement;
    QTest::newRow("escape when dragged") << "sadx" << EditMode::Placement << placement;
    QTest::newRow("escape when made") << "sadrx" << EditMode::Placement << placement;
    QTest::newRow("empty selection made") << "saz" << EditMode::SelectionMade << made;
    QTest::newRow("empty selection moved") << "sazM" << EditMode::Placement << placement;
    QTest::newRow("empty selection erased") << "sazE" << EditMode::Placement << placement;
    QTest::newRow("undo when made") << "sadrU" << EditMode::SelectionMade << made;
    QTest::newRow("move when armed") << "sM" << EditMode::SelectionArmed << selecting;
    QTest::newRow("second cycle") << "sadrMsadr" << EditMode::SelectionMade << made;
    QTest::newRow("select after escape") << "sadrxs" << EditMode::SelectionArmed << selecting;
    QTest::newRow("first corner keyed") << "sK" << EditMode::SelectionDragged << selecting;
    QTest::newRow("second corner keyed") << "sKK" << EditMode::SelectionMade << made;
    QTest::newRow("key when made") << "sKKK" << EditMode::SelectionMade << made;
    QTest::newRow("keyed after escape") << "sKxK" << EditMode::Placement << placement;
}

void TestSelectTool::buttonsFollowTheCycle()
{
    QFETCH(QString, steps);
    QFETCH(EditMode, mode);
    QFETCH(Tools, tools);
    ToolHarness h;
    h.layPattern();
    const QPointF anchor(13, 26);
    for (QChar step : steps) {
        switch (step.toLatin1()) {
        case 's':
            h.selectTool.press();
            break;
        case 'a':
            h.move(anchor.x(), anchor.y());
            h.board.buttonPress(Qt::LeftButton, anchor);
            break;
        case 'd':
            h.board.pointerMove(Qt::LeftButton, QPointF(52, 65));
            break;
        case 'z':
            h.board.buttonRelease(Qt::LeftButton, anchor);
            break;
        case 'r':
            h.board.buttonRelease(Qt::LeftButton, QPointF(52, 65));
            break;
        case 'M':
            h.moveTool.press();
            break;
        case 'E':
            h.eraseTool.press();
            break;
        case 'U':
            h.undo.press();
            break;
        case 'x':
            h.board.character(BoardController::EscapeCode);
            break;
        case 'K':
            QVERIFY(h.board.key(Qt::Key_Space, Qt::NoModifier));
            break;
        default:
            QFAIL("unknown step");
        }
    }
    QCOMPARE(h.state().Mode, mode);
    QCOMPARE(h.editor.tools().select, tools.select);
    QCOMPARE(h.editor.tools().move, tools.move);
    QCOMPARE(h.editor.tools().erase, tools.erase);
}

void TestSelectTool::selectKeepsPreviewTileAndDrawsThin()
{
    ToolHarness h;
    h.pick(29);
    h.move(100, 100);
    const QImage withPreview = h.editor.board().displayed().copy();
    h.selectTool.press();
    QCOMPARE(h.state().CurrentTile, 29);
    QCOMPARE(h.editor.board().displayed(), withPreview);

    // The preview goes when the marker is first drawn elsewhere.
    h.move(300, 300);
    const QImage shown = h.editor.board().displayed();
    QVERIFY(isWhite(shown, QRect(91, 91, 39, 39)));
    QVERIFY(shown.pixel(301, 299) != qRgb(255, 255, 255)); // the marker, one pixel wide
    QCOMPARE(shown.pixel(303, 299), qRgb(255, 255, 255));
}

// A stamp leaves the board picture behind until the next placement move;
// the selection must still be drawn over the map with that stamp, and
// cancelling it must show that map.
void TestSelectTool::selectionIsDrawnOverTheLastStamp()
{
    ToolHarness h;
    h.pickSolidTile(qRgb(255, 0, 0));
    h.stampAndStay(QPointF(100, 100));
    h.selectTool.press();
    h.move(300, 300);
    QCOMPARE(h.editor.board().displayed().pixel(100, 100), qRgb(255, 0, 0));
    h.board.buttonPress(Qt::LeftButton, QPointF(300, 300));
    h.board.pointerMove(Qt::LeftButton, QPointF(10, 10));
    QCOMPARE(h.editor.board().displayed().pixel(100, 100), qRgb(255, 0, 0));

    h.board.character(BoardController::EscapeCode);
    QCOMPARE(h.editor.board().displayed(), h.map());
    QCOMPARE(h.map().pixel(100, 100), qRgb(255, 0, 0));
}

// The last column is 6 pixels wide: a corner kept on the board's grid points
// could never take it in.
void TestSelectTool::keysSelectTheWholeBoardItsPartialColumnIncluded()
{
    ToolHarness h;
    h.layPattern();
    h.selectTool.press();
    for (int key : {Qt::Key_Left, Qt::Key_Up, Qt::Key_Space})
        h.board.key(key, Qt::NoModifier);
    QCOMPARE(QPoint(h.state().SelX1, h.state().SelY1), QPoint(0, 0));
    // More steps than the board has squares: the corner stops at its edges.
    for (int i = 0; i < 70; ++i) {
        h.board.key(Qt::Key_Right, Qt::NoModifier);
        h.board.key(Qt::Key_Down, Qt::NoModifier);
    }
    QCOMPARE(h.board.keyboardPosition(), QPoint(780, 546));
    h.board.key(Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(h.state().Mode, EditMode::SelectionMade);
    QCOMPARE(Selection::block(h.state()), Board::area());

    // With the selection made the arrows move nothing, as the pointer does.
    h.board.key(Qt::Key_Left, Qt::NoModifier);
    QCOMPARE(h.board.keyboardPosition(), QPoint(780, 546));
    h.eraseTool.press();
    QVERIFY(isWhite(h.map(), Board::area()));
}

QTEST_MAIN(TestSelectTool)
#include "tst_selecttool.moc"
