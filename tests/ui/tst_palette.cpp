#include "WindowHarness.h"
#include "catalogue/TileTable.h"
#include "document/BoardController.h"
#include "ui/BoardCanvas.h"
#include "ui/PaletteEntry.h"
#include "ui/PaletteStrip.h"

#include <QAccessible>

#include <set>

namespace {

const QColor FrameColour(152, 58, 0);
const QColor Background(128, 128, 255);

PaletteEntry *entryOf(Form1 &window, int index)
{
    for (PaletteEntry *entry : window.findChildren<PaletteEntry *>())
        if (entry->index() == index)
            return entry;
    return nullptr;
}

void clickEntry(Form1 &window, int index)
{
    PaletteEntry *entry = entryOf(window, index);
    QVERIFY2(entry, qPrintable(QString::number(index)));
    QTest::mouseClick(entry, Qt::LeftButton, Qt::NoModifier, entry->rect().center());
}

// Whether every pixel of the 2-pixel band just outside the outline's inner
// edge has the colour: the band covers, per side, the line and the pixel
// before it.
bool bandHas(const QImage &shot, const QRect &outline, const QColor &colour)
{
    const QRect outer = outline.adjusted(-1, -1, 0, 0);
    for (int x = outer.left(); x <= outer.right(); ++x)
        for (int y : {outer.top(), outer.top() + 1, outer.bottom() - 1, outer.bottom()})
            if (shot.pixelColor(x, y) != colour)
                return false;
    for (int y = outer.top(); y <= outer.bottom(); ++y)
        for (int x : {outer.left(), outer.left() + 1, outer.right() - 1, outer.right()})
            if (shot.pixelColor(x, y) != colour)
                return false;
    return true;
}

PaletteEntry *focusedEntry() { return qobject_cast<PaletteEntry *>(QApplication::focusWidget()); }

// How many pixels of the entry's top border are black: the dashes of the
// keyboard's frame, none in the plain sunken border.
int blackOnTopBorder(PaletteEntry *entry)
{
    const QImage face = entry->grab().toImage();
    int black = 0;
    for (int x = 0; x < face.width(); ++x)
        black += face.pixelColor(x, 0) == QColor(Qt::black);
    return black;
}

} // namespace

class TestPalette : public QObject
{
    Q_OBJECT

private slots:
    void showsTheFortyThreeEntriesOnly();
    void entriesShowTheirPictures();
    void pickSetsTileAndFreshCycle_data();
    void pickSetsTileAndFreshCycle();
    void frameAroundEntryAt52_17();
    void pickingAnotherRemovesPreviousFrame();
    void frameStaysWhileTheTileTurnsAndOverRepaints();
    void clickBetweenFramesChangesNothing_data();
    void clickBetweenFramesChangesNothing();
    void pressOnOneEntryReleaseElsewherePicksNothing();
    void pickingKeepsModeAndSelection_data();
    void pickingKeepsModeAndSelection();
    void onlyPaletteEntriesCanBePicked_data();
    void onlyPaletteEntriesCanBePicked();
    void clickLeavesTheFocusOnTheBoard();
    void keyboardReachesMovesAndPicksEntries();
    void entriesTellTheirPieceToAssistiveTechnology();
};

void TestPalette::showsTheFortyThreeEntriesOnly()
{
    WindowHarness h;
    QVERIFY(h.showActive());
    const QList<PaletteEntry *> entries = h.window.findChildren<PaletteEntry *>();
    QCOMPARE(entries.size(), 43);
    std::set<int> indices;
    for (PaletteEntry *entry : entries) {
        indices.insert(entry->index());
        QVERIFY(entry->isVisible());
        QCOMPARE(entry->objectName(), QStringLiteral("Picture1"));
        QCOMPARE(entry->parentWidget(), h.window.paletteStrip());
        const QRect inWindow(entry->mapTo(&h.client(), QPoint()), entry->size());
        QCOMPARE(inWindow, TileTable::frameRect(entry->index()));
        QCOMPARE(entry->frameShadow(), QFrame::Sunken);
        QCOMPARE(entry->lineWidth(), 2);
        QCOMPARE(entry->contentsRect().size(), TileTable::pictureSize(entry->index()));
        // All inside the strip, left of the board.
        QVERIFY(QRect(QPoint(4, 17), QPoint(191, 709)).contains(inWindow));
    }
    QCOMPARE(indices.size(), size_t(43));
    QVERIFY(!indices.count(0));
    for (int variant : {3, 4, 5, 11, 30, 63, 97})
        QVERIFY(!indices.count(variant));
}

void TestPalette::entriesShowTheirPictures()
{
    WindowHarness h;
    QVERIFY(h.showActive());
    const QImage shot = h.client().grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int index : TileTable::paletteOrder()) {
        const QRect frame = TileTable::frameRect(index);
        const QImage &picture = h.editor.catalogue().picture(index);
        QCOMPARE(shot.copy(QRect(frame.topLeft() + QPoint(2, 2), picture.size())), picture);
    }
}

void TestPalette::pickSetsTileAndFreshCycle_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("variants");
    QTest::addColumn<int>("afterOneTurn");
    QTest::newRow("crossroads, tag 0") << 1 << 0 << 1;
    QTest::newRow("T-junction, tag 3") << 2 << 3 << 3;
    QTest::newRow("long corridor, tag 1") << 10 << 1 << 11;
    QTest::newRow("room, tag 3") << 29 << 3 << 30;
    QTest::newRow("large room, tag 1") << 62 << 1 << 63;
    QTest::newRow("40 x 27 bank, tag 1") << 65 << 1 << 66;
    QTest::newRow("14 x 14 block, tag 0") << 70 << 0 << 70;
    QTest::newRow("last family, tag 3") << 94 << 3 << 95;
    QTest::newRow("smallest marker, tag 0") << 81 << 0 << 81;
}

void TestPalette::pickSetsTileAndFreshCycle()
{
    QFETCH(int, entry);
    QFETCH(int, variants);
    QFETCH(int, afterOneTurn);
    WindowHarness h;
    QVERIFY(h.showActive());
    h.state().VariantStep = 2;
    clickEntry(h.window, entry);
    QCOMPARE(h.state().CurrentTile, entry);
    QCOMPARE(h.state().TileVariants, variants);
    QCOMPARE(h.state().VariantStep, quint8(0));
    h.window.controller().buttonPress(Qt::RightButton, QPointF(10, 10));
    QCOMPARE(h.state().CurrentTile, afterOneTurn);
}

void TestPalette::frameAroundEntryAt52_17()
{
    WindowHarness h;
    QVERIFY(h.showActive());
    clickEntry(h.window, 2);
    const QRect outline(QPoint(51, 16), QPoint(96, 61));
    QCOMPARE(h.window.paletteStrip()->outline(), std::optional<QRect>(outline));

    const QImage shot = h.client().grab().toImage();
    QVERIFY(bandHas(shot, outline, FrameColour));
    QCOMPARE(shot.pixelColor(51, 16), FrameColour);
    QCOMPARE(shot.pixelColor(96, 61), FrameColour);
    // Outline only: one pixel beyond it and the entry inside are untouched.
    QCOMPARE(shot.pixelColor(49, 30), Background);
    QCOMPARE(shot.pixelColor(97, 30), Background);
    QCOMPARE(shot.pixelColor(70, 14), Background);
    QCOMPARE(shot.pixelColor(70, 62), Background);
    QVERIFY(shot.pixelColor(53, 30) != FrameColour);
    QVERIFY(shot.pixelColor(73, 38) != FrameColour);
}

void TestPalette::pickingAnotherRemovesPreviousFrame()
{
    WindowHarness h;
    QVERIFY(h.showActive());
    clickEntry(h.window, 2);
    clickEntry(h.window, 6);
    const QImage shot = h.client().grab().toImage();
    QVERIFY(!bandHas(shot, PaletteStrip::outlineOf(2), FrameColour));
    for (QPoint p : {QPoint(50, 30), QPoint(96, 30), QPoint(70, 15), QPoint(70, 61)})
        QCOMPARE(shot.pixelColor(p), Background);
    // Entry 6 sits at 100, 17, 43 x 43, with no neighbour over its frame.
    QVERIFY(bandHas(shot, QRect(QPoint(99, 16), QPoint(144, 61)), FrameColour));
    QCOMPARE(h.state().CurrentTile, 6);
}

void TestPalette::frameStaysWhileTheTileTurnsAndOverRepaints()
{
    WindowHarness h;
    QVERIFY(h.showActive());
    clickEntry(h.window, 94);
    const QRect outline = PaletteStrip::outlineOf(94);
    BoardController &board = h.window.controller();
    for (int turn = 0; turn < 3; ++turn)
        board.buttonPress(Qt::RightButton, QPointF(50, 50));
    QCOMPARE(h.state().CurrentTile, 97);
    // The move tool makes its cut block the current tile; the frame stays.
    h.state().CurrentTile = 0;
    h.state().TileVariants = 0;
    h.window.repaint();
    h.window.hide();
    QVERIFY(h.showActive());
    QVERIFY(bandHas(h.client().grab().toImage(), outline, FrameColour));
}

void TestPalette::clickBetweenFramesChangesNothing_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::newRow("between the first two") << QPoint(49, 38);
    QTest::newRow("between two rows") << QPoint(20, 62);
    QTest::newRow("left of the strip") << QPoint(2, 300);
    QTest::newRow("right of the strip") << QPoint(194, 300);
    QTest::newRow("beside a small entry") << QPoint(30, 676);
    QTest::newRow("under the last row") << QPoint(40, 712);
    QTest::newRow("in a corner of the big room") << QPoint(105, 530);
}

void TestPalette::clickBetweenFramesChangesNothing()
{
    QFETCH(QPoint, point);
    WindowHarness h;
    QVERIFY(h.showActive());
    clickEntry(h.window, 6);
    h.window.controller().buttonPress(Qt::RightButton, QPointF(0, 0));
    QVERIFY(!TileTable::paletteHit(point));
    QVERIFY(!qobject_cast<PaletteEntry *>(h.client().childAt(point)));
    const QImage before = h.client().grab().toImage();

    // The window's background, or the strip's between its entries.
    QWidget *under = h.client().childAt(point) ? h.client().childAt(point) : &h.client();
    QTest::mouseClick(under, Qt::LeftButton, Qt::NoModifier, under->mapFrom(&h.client(), point));
    QCOMPARE(h.state().CurrentTile, 7);
    QCOMPARE(h.state().TileVariants, 3);
    QCOMPARE(h.state().VariantStep, quint8(1));
    QCOMPARE(h.window.paletteStrip()->outline(), std::optional(PaletteStrip::outlineOf(6)));
    QCOMPARE(h.client().grab().toImage(), before);
}

void TestPalette::pressOnOneEntryReleaseElsewherePicksNothing()
{
    WindowHarness h;
    QVERIFY(h.showActive());
    PaletteEntry *entry = entryOf(h.window, 2);
    QTest::mousePress(entry, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QTest::mouseRelease(entry, Qt::LeftButton, Qt::NoModifier, QPoint(-20, 10));
    QCOMPARE(h.state().CurrentTile, 1);
    QVERIFY(!h.window.paletteStrip()->outline());
    // The right button picks nothing either.
    QTest::mouseClick(entry, Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
    QCOMPARE(h.state().CurrentTile, 1);
}

void TestPalette::pickingKeepsModeAndSelection_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("placement") << int(EditMode::Placement);
    QTest::newRow("selection armed") << int(EditMode::SelectionArmed);
    QTest::newRow("selection dragged") << int(EditMode::SelectionDragged);
    QTest::newRow("selection made") << int(EditMode::SelectionMade);
}

void TestPalette::pickingKeepsModeAndSelection()
{
    QFETCH(int, mode);
    WindowHarness h;
    QVERIFY(h.showActive());
    EditorState &s = h.state();
    s.Mode = EditMode(mode);
    s.SelX1 = 13, s.SelY1 = 26, s.SelX2 = 104, s.SelY2 = 91;
    s.GridX = 104, s.GridY = 91, s.MarkX = 13, s.MarkY = 26;
    s.TileX = 39, s.TileY = 52;
    const EditorState before = s;
    const QImage board = h.editor.board().displayed().copy();

    clickEntry(h.window, 35);
    QCOMPARE(s.CurrentTile, 35);
    QCOMPARE(s.Mode, before.Mode);
    QCOMPARE(s.SelX1, before.SelX1);
    QCOMPARE(s.SelY1, before.SelY1);
    QCOMPARE(s.SelX2, before.SelX2);
    QCOMPARE(s.SelY2, before.SelY2);
    QCOMPARE(s.GridX, before.GridX);
    QCOMPARE(s.MarkX, before.MarkX);
    QCOMPARE(s.TileX, before.TileX);
    QCOMPARE(s.TileY, before.TileY);
    // The board is not redrawn: the new tile shows at the next move.
    QCOMPARE(h.editor.board().displayed(), board);
}

void TestPalette::onlyPaletteEntriesCanBePicked_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("move buffer") << 0;
    QTest::newRow("first variant") << 3;
    QTest::newRow("last variant") << 97;
    QTest::newRow("below the catalogue") << -1;
    QTest::newRow("past the catalogue") << 98;
}

void TestPalette::onlyPaletteEntriesCanBePicked()
{
    QFETCH(int, index);
    WindowHarness h;
    clickEntry(h.window, 20);
    PaletteStrip &palette = *h.window.paletteStrip();
    QVERIFY(!palette.pick(index));
    QCOMPARE(h.state().CurrentTile, 20);
    QCOMPARE(palette.outline(), std::optional(PaletteStrip::outlineOf(20)));
}

void TestPalette::clickLeavesTheFocusOnTheBoard()
{
    WindowHarness h;
    QVERIFY(h.showActive());
    clickEntry(h.window, 2);
    QCOMPARE(QApplication::focusWidget(), h.window.board());
}

void TestPalette::keyboardReachesMovesAndPicksEntries()
{
    WindowHarness h;
    QVERIFY(h.showActive());
    // Last in the tab order: Shift+Tab from the board reaches the first entry.
    h.type(Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(focusedEntry());
    QCOMPARE(focusedEntry()->index(), 1);
    QVERIFY(blackOnTopBorder(entryOf(h.window, 1)) > 0);

    h.type(Qt::Key_Right);
    QCOMPARE(focusedEntry()->index(), 2);
    QCOMPARE(blackOnTopBorder(entryOf(h.window, 1)), 0);
    QVERIFY(blackOnTopBorder(entryOf(h.window, 2)) > 0);
    QCOMPARE(h.state().CurrentTile, 1); // moving picks nothing
    h.type(Qt::Key_Return);
    QCOMPARE(h.state().CurrentTile, 2);
    QCOMPARE(h.window.paletteStrip()->outline(), PaletteStrip::outlineOf(2));
    h.type(Qt::Key_Down);
    h.type(Qt::Key_Space);
    QCOMPARE(h.state().CurrentTile, 12);

    // Tab goes back to the board, which shows the picked tile at once.
    h.type(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), h.window.board());
    QCOMPARE(h.editor.board().displayed().pixel(20, 20),
             h.editor.catalogue().picture(12).pixel(20, 20));

    // The way back leads to the entry picked last, with the mouse too.
    h.type(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(focusedEntry()->index(), 12);
    h.type(Qt::Key_Tab);
    clickEntry(h.window, 29);
    h.type(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(focusedEntry()->index(), 29);
}

void TestPalette::entriesTellTheirPieceToAssistiveTechnology()
{
    WindowHarness h;
    QVERIFY(h.showActive());
    clickEntry(h.window, 29);
    for (int index : TileTable::paletteOrder()) {
        QAccessibleInterface *spoken
            = QAccessible::queryAccessibleInterface(entryOf(h.window, index));
        QCOMPARE(spoken->role(), QAccessible::RadioButton);
        QCOMPARE(spoken->text(QAccessible::Name), TileTable::pieceName(index));
        QVERIFY(!spoken->text(QAccessible::Description).isEmpty());
        QCOMPARE(spoken->state().checked, index == 29);
    }
    QCOMPARE(QAccessible::queryAccessibleInterface(entryOf(h.window, 65))
                 ->text(QAccessible::Description),
             QStringLiteral("40 × 27 points, 2 orientations"));
    QCOMPARE(QAccessible::queryAccessibleInterface(entryOf(h.window, 86))
                 ->text(QAccessible::Description),
             QStringLiteral("1 case, une seule orientation"));

    // A screen reader's press picks as a click does.
    QAccessibleActionInterface *actions
        = QAccessible::queryAccessibleInterface(entryOf(h.window, 2))->actionInterface();
    QVERIFY(actions);
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(h.state().CurrentTile, 2);
    QVERIFY(!QAccessible::queryAccessibleInterface(entryOf(h.window, 29))->state().checked);
}

QTEST_MAIN(TestPalette)
#include "tst_palette.moc"
