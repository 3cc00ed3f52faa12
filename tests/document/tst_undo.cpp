#include "ToolHarness.h"
#include "document/SaveCommand.h"
#include "project/ProjectFiles.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

class TestUndo : public QObject
{
    Q_OBJECT

private slots:
    void undoAndRedoWalkTheHistory_data();
    void undoAndRedoWalkTheHistory();
    void undoAtTheStartChangesNothing();
    void newChangeDropsWhatCouldBeRedone();
    void blockCanBeStampedAfterUndoOfItsMove();
    void undoAndRedoRefusedDuringSelection_data();
    void undoAndRedoRefusedDuringSelection();
    void mapSavedFollowsTheHistory();
    void oldestStepsGoPastTheMemoryLimit();
};

void TestUndo::undoAndRedoWalkTheHistory_data()
{
    // s a stamp, e an erase, m a move, each in a place of its own.
    QTest::addColumn<QString>("edits");
    QTest::newRow("stamps") << "sss";
    QTest::newRow("erases") << "eee";
    QTest::newRow("moves") << "mmm";
    QTest::newRow("a move and the stamps of its block") << "mss";
    QTest::newRow("all three") << "smes";
}

void TestUndo::undoAndRedoWalkTheHistory()
{
    QFETCH(QString, edits);
    ToolHarness h;
    QList<QImage> maps {h.layPattern()};
    for (int i = 0; i < edits.size(); ++i) {
        const double x = 13 + 130 * i;
        switch (edits.at(i).toLatin1()) {
        case 's':
            if (h.state().CurrentTile != TileTable::MoveBufferIndex)
                h.pickSolidTile(qRgb(255, 0, 0));
            h.stamp(x, 400);
            break;
        case 'e':
            h.select(QPointF(x, 13), QPointF(x + 65, 65));
            h.eraseTool.press();
            break;
        case 'm':
            h.select(QPointF(x, 200), QPointF(x + 65, 265));
            h.moveTool.press();
            break;
        }
        maps.append(h.map().copy());
    }
    const int tile = h.state().CurrentTile;
    const QImage buffer = h.editor.catalogue().picture(TileTable::MoveBufferIndex);
    QList<bool> mirrored; // "demo.bmp" held the map at each signal
    connect(&h.editor, &Editor::mapChanged, this,
            [&] { mirrored.append(h.folder.image("demo.bmp") == h.map()); });

    for (qsizetype i = edits.size() - 1; i >= 0; --i) {
        h.undo.press();
        QCOMPARE(h.map(), maps[i]);
        QCOMPARE(h.editor.board().displayed(), maps[i]);
    }
    h.undo.press(); // at the start of the history: nothing more
    QCOMPARE(h.map(), maps.first());
    for (qsizetype i = 1; i <= edits.size(); ++i) {
        h.undo.redo();
        QCOMPARE(h.map(), maps[i]);
    }
    h.undo.redo();
    QCOMPARE(h.map(), maps.last());
    QCOMPARE(mirrored, QList<bool>(2 * edits.size(), true));
    QCOMPARE(h.state().CurrentTile, tile);
    QCOMPARE(h.editor.catalogue().picture(TileTable::MoveBufferIndex), buffer);
}

void TestUndo::undoAtTheStartChangesNothing()
{
    ToolHarness h;
    h.move(40, 40);
    const QImage shown = h.editor.board().displayed();
    h.undo.press();
    QCOMPARE(h.editor.board().displayed(), shown);
    QVERIFY(!h.folder.exists("demo.bmp"));
}

void TestUndo::newChangeDropsWhatCouldBeRedone()
{
    ToolHarness h;
    const QImage map = h.layPattern();
    h.pickSolidTile(qRgb(255, 0, 0));
    h.stamp(100, 100);
    h.stamp(200, 200);
    h.undo.press();
    h.stamp(300, 300);
    const QImage after = h.map();
    QVERIFY(!h.editor.history().canRedo());
    h.undo.redo();
    QCOMPARE(h.map(), after);
    QCOMPARE(h.map().pixel(205, 205), map.pixel(205, 205));
    QCOMPARE(h.editor.history().count(), 2);
}

void TestUndo::blockCanBeStampedAfterUndoOfItsMove()
{
    ToolHarness h;
    const QImage map = h.layPattern();
    h.select(QPointF(13, 26), QPointF(52, 65));
    h.moveTool.press();
    h.undo.press();
    QCOMPARE(h.map(), map);
    QCOMPARE(h.editor.catalogue().picture(0), map.copy(13, 26, 39, 39));
    h.stamp(200, 200);
    QCOMPARE(h.map().copy(195, 195, 39, 39), map.copy(13, 26, 39, 39));
}

void TestUndo::undoAndRedoRefusedDuringSelection_data()
{
    QTest::addColumn<int>("steps"); // how far into the selection cycle
    QTest::addColumn<bool>("redo");
    for (const bool redo : {false, true}) {
        const char *command = redo ? "redo" : "undo";
        QTest::addRow("%s, armed", command) << 1 << redo;
        QTest::addRow("%s, dragged", command) << 2 << redo;
        QTest::addRow("%s, made", command) << 3 << redo;
    }
}

void TestUndo::undoAndRedoRefusedDuringSelection()
{
    QFETCH(int, steps);
    QFETCH(bool, redo);
    ToolHarness h;
    h.layPattern();
    h.pickSolidTile(qRgb(255, 0, 0));
    h.stamp(100, 100);
    h.stamp(300, 300);
    h.undo.press();
    const QImage map = h.map();
    const QByteArray onDisk = h.folder.read("demo.bmp");

    h.selectTool.press();
    h.move(200, 200);
    if (steps >= 2)
        h.board.buttonPress(Qt::LeftButton, QPointF(200, 200));
    if (steps >= 3) {
        h.board.pointerMove(Qt::LeftButton, QPointF(260, 260));
        h.board.buttonRelease(Qt::LeftButton, QPointF(260, 260));
    }
    const EditMode mode = h.state().Mode;
    const QImage shown = h.editor.board().displayed();
    const Editor::ToolButtons tools = h.editor.tools();
    redo ? h.undo.redo() : h.undo.press();
    QCOMPARE(h.state().Mode, mode);
    QCOMPARE(h.map(), map);
    QCOMPARE(h.folder.read("demo.bmp"), onDisk);
    QCOMPARE(h.editor.board().displayed(), shown);
    QCOMPARE(h.editor.tools(), tools);

    // After Escape it works again.
    h.board.character(BoardController::EscapeCode);
    redo ? h.undo.redo() : h.undo.press();
    QVERIFY(h.map() != map);
}

void TestUndo::mapSavedFollowsTheHistory()
{
    ToolHarness h;
    QList<bool> told;
    connect(&h.editor, &Editor::mapSavedChanged, this, [&](bool saved) { told.append(saved); });
    const auto saved = [&] { return h.editor.mapSaved(); };
    QVERIFY(saved()); // a blank "New" never stamped
    h.pickSolidTile(qRgb(255, 0, 0));
    h.stamp(100, 100);
    QVERIFY(!saved());
    h.undo.press();
    QVERIFY(saved());
    h.undo.redo();
    QVERIFY(!saved());

    QCOMPARE(h.save(QStringLiteral("carte")), SaveCommand::Result::Saved);
    QVERIFY(saved());
    h.stamp(200, 200);
    h.undo.press();
    QVERIFY(saved());
    h.undo.press();
    QVERIFY(!saved());
    QCOMPARE(told, (QList<bool> {false, true, false, true, false, true, false}));

    h.editor.setMapSaved(true);
    QVERIFY(saved());
    h.editor.setMapSaved(false);
    QVERIFY(!saved());
}

void TestUndo::oldestStepsGoPastTheMemoryLimit()
{
    ToolHarness h;
    QRandomGenerator random(7);
    const QRect half(0, 0, Board::Width, Board::Height / 2);
    QImage noise(half.size(), QImage::Format_RGB32);
    const int pushes = 60;
    for (int i = 0; i < pushes; ++i) {
        // Noise packs to no less than its own size.
        random.fillRange(reinterpret_cast<quint32 *>(noise.bits()), noise.width() * noise.height());
        h.editor.changeMap(half, noise);
    }
    QVERIFY(h.editor.historyBytes() <= Editor::HistoryLimit);
    QVERIFY(h.editor.history().count() < pushes);
    QCOMPARE(h.map().copy(half), noise);
    while (h.editor.history().canUndo())
        h.undo.press();
    // The blank map is out of reach, and with it the saved one.
    QVERIFY(h.map().copy(half) != BoardModel::whiteBoard().copy(half));
    QVERIFY(!h.editor.mapSaved());
}

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
