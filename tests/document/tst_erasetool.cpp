#include "ToolHarness.h"

#include <QtTest>

class TestEraseTool : public QObject
{
    Q_OBJECT

private slots:
    void erasesExactlyTheSelectedBlock_data();
    void erasesExactlyTheSelectedBlock();
    void emptySelectionEndsCycleAndChangesNothing_data();
    void emptySelectionEndsCycleAndChangesNothing();
    void secondEraseInARowKeepsTheFirst();
    void eraseRightAfterStampKeepsTheStamp();
    void eraseKeepsCurrentTileAndShowsItsPreviewNext();
};

void TestEraseTool::erasesExactlyTheSelectedBlock_data()
{
    QTest::addColumn<QPointF>("anchor");
    QTest::addColumn<QPointF>("end");
    QTest::addColumn<QRect>("blanked");
    QTest::newRow("2 x 4 cells at (26, 0)")
        << QPointF(30, 5) << QPointF(55, 60) << QRect(26, 0, 26, 52);
    QTest::newRow("dragged up and left")
        << QPointF(55, 60) << QPointF(30, 5) << QRect(26, 0, 26, 52);
    QTest::newRow("dragged up and right")
        << QPointF(30, 60) << QPointF(55, 5) << QRect(26, 0, 26, 52);
    QTest::newRow("past the top-left corner")
        << QPointF(-20, -30) << QPointF(40, 30) << QRect(0, 0, 39, 26);
    // The end point (780, 559) lies past the board's 773 x 546 pixels: only
    // the part inside is erased.
    QTest::newRow("past the bottom-right corner")
        << QPointF(755, 530) << QPointF(790, 560) << QRect(754, 520, 19, 26);
}

void TestEraseTool::erasesExactlyTheSelectedBlock()
{
    QFETCH(QPointF, anchor);
    QFETCH(QPointF, end);
    QFETCH(QRect, blanked);
    ToolHarness h;
    const QImage map = h.layPattern();
    h.select(anchor, end);
    h.eraseTool.press();

    const QImage expected = withBlank(map, blanked);
    QCOMPARE(h.map(), expected);
    QCOMPARE(h.editor.board().displayed(), expected);
    QCOMPARE(h.folder.image("demo.bmp"), expected);
    QCOMPARE(h.state().Mode, EditMode::Placement);
    QCOMPARE(h.editor.tools(), (Editor::ToolButtons {true, false, false}));
    QVERIFY(h.fake.dialogs.messages.isEmpty());
}

void TestEraseTool::emptySelectionEndsCycleAndChangesNothing_data()
{
    QTest::addColumn<QPointF>("anchor");
    QTest::addColumn<QPointF>("end");
    QTest::newRow("end on the anchor") << QPointF(100, 100) << QPointF(103, 92);
    QTest::newRow("no width") << QPointF(100, 100) << QPointF(95, 200);
    QTest::newRow("no height") << QPointF(100, 100) << QPointF(300, 94);
    QTest::newRow("wholly left of the board") << QPointF(-60, 100) << QPointF(-5, 200);
    QTest::newRow("wholly below the board") << QPointF(100, 550) << QPointF(200, 600);
}

void TestEraseTool::emptySelectionEndsCycleAndChangesNothing()
{
    QFETCH(QPointF, anchor);
    QFETCH(QPointF, end);
    ToolHarness h;
    const QImage map = h.layPattern();
    h.select(anchor, end);
    h.eraseTool.press();

    QCOMPARE(h.state().Mode, EditMode::Placement);
    QCOMPARE(h.editor.tools(), (Editor::ToolButtons {true, false, false}));
    QCOMPARE(h.map(), map);
    // The selection marks are gone and no commit was made.
    QCOMPARE(h.editor.board().displayed(), map);
    QCOMPARE(h.editor.history().count(), 0);
    QVERIFY(!h.folder.exists("demo.bmp"));
}

// Each erase must start from the board the previous one committed, not from
// a board picture that no pointer move has renewed since.
void TestEraseTool::secondEraseInARowKeepsTheFirst()
{
    ToolHarness h;
    const QImage map = h.layPattern();
    h.select(QPointF(13, 13), QPointF(65, 65));
    h.eraseTool.press();
    const QImage afterFirst = h.map();
    h.setSelection(QPoint(195, 195), QPoint(260, 221));
    h.eraseTool.press();

    QCOMPARE(h.map(), withBlank(withBlank(map, QRect(13, 13, 52, 52)), QRect(195, 195, 65, 26)));
    h.undo.press();
    QCOMPARE(h.map(), afterFirst);
}

void TestEraseTool::eraseRightAfterStampKeepsTheStamp()
{
    ToolHarness h;
    const QImage map = h.layPattern();
    h.pickSolidTile(qRgb(255, 0, 0));
    h.stampAndStay(QPointF(300, 300));
    h.setSelection(QPoint(13, 13), QPoint(39, 39));
    h.eraseTool.press();

    QCOMPARE(h.map().pixel(300, 300), qRgb(255, 0, 0));
    QCOMPARE(h.map().pixel(298, 298), map.pixel(298, 298));
    QVERIFY(isWhite(h.map(), QRect(13, 13, 26, 26)));
}

void TestEraseTool::eraseKeepsCurrentTileAndShowsItsPreviewNext()
{
    ToolHarness h;
    h.layPattern();
    h.pick(29);
    h.select(QPointF(0, 0), QPointF(100, 100));
    h.eraseTool.press();
    QCOMPARE(h.state().CurrentTile, 29);
    QCOMPARE(h.state().TileVariants, 3);

    const QImage &tile = h.editor.catalogue().picture(29);
    h.move(400, 300);
    const QImage shown = h.editor.board().displayed();
    QCOMPARE(shown.copy(QRect(QPoint(390, 299), tile.size())), tile);
}

QTEST_MAIN(TestEraseTool)
#include "tst_erasetool.moc"
