#include "EditorRun.h"
#include "ProgramFolderFixture.h"
#include "RealDesktop.h"
#include "TestPictures.h"
#include "app/ProgramFolderLock.h"
#include "board/Board.h"
#include "catalogue/TileCatalogue.h"
#include "catalogue/TileTable.h"
#include "document/BoardModel.h"
#include "document/MapRecovery.h"
#include "project/ProjectFiles.h"
#include "ui/Form1.h"
#include "ui/PaletteStrip.h"
#include "ui/UiArt.h"

#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>
#include <functional>

#include <csignal>

namespace {

const QString MainWindowTitle = QStringLiteral("^Vantorel Editor - Fichier actif :");
const QString ErrorBoxTitle = QStringLiteral("^Vantorel Editor$");
const QString SavePromptTitle = QStringLiteral("^Enregistrer sous\\.\\.\\.$");
const QString OpenDialogTitle = QStringLiteral("^Chargement d'un projet$");
const QString ExitBoxTitle = QStringLiteral("^Quitter Vantorel Editor$");
// The question before a map not saved is dropped, or the exit question.
const QString DropBoxTitle = QStringLiteral("^Vantorel Editor$");
const QString LeaveBoxTitle = QStringLiteral("^(Quitter )?Vantorel Editor$");
const QString CaptionPrefix = QStringLiteral("Vantorel Editor - Fichier actif :");

// Panel buttons, in window coordinates.
const QRect OpenButton(328, 600, 65, 33);
const QRect SaveButton(328, 656, 65, 33);
const QRect SelectButton(416, 600, 33, 33);
const QRect EraseButton(472, 600, 33, 33);
const QRect MoveButton(528, 600, 33, 33);
const QRect ExitButton(576, 656, 49, 33);
// The open dialog's "&Ouvrir", in its own client coordinates.
const QRect OuvrirButton(343, 42, 76, 52);
// A place on the window's background, under the palette, where the pointer
// draws nothing and shows no tooltip.
const QPoint Aside(100, 730);

// Where the board's drawing area starts in the window, and its size.
const QPoint BoardOrigin(202, 26);
const QSize BoardSize = Board::area().size();

const QColor Background(128, 128, 255);

QPoint onBoard(QPoint board) { return BoardOrigin + board; }

QImage boardIn(const QImage &window) { return window.copy(QRect(BoardOrigin, BoardSize)); }

QPoint snapped(QPoint board) { return QPoint(Board::snap(board.x()), Board::snap(board.y())); }

// The picture of a graphic button, inside the edge where the style shows
// the focus: plain when the button is enabled, greyed when it is not.
QImage faceOf(const QImage &window, const QRect &button)
{
    return window.copy(button.adjusted(3, 3, -3, -3));
}

struct ToolFaces {
    QImage select, erase, move;
};

ToolFaces toolFaces(const QImage &window)
{
    return {faceOf(window, SelectButton), faceOf(window, EraseButton), faceOf(window, MoveButton)};
}

QString caption(const EditorRun &editor, const QString &fileName)
{
    return CaptionPrefix + QDir::toNativeSeparators(editor.file(fileName));
}

// Whether the 2-pixel frame round a palette entry shows in the colour, on the
// sides no neighbour covers.
bool frameShown(const QImage &window, int entry, const QColor &colour)
{
    const QRect band = PaletteStrip::paintedArea(PaletteStrip::outlineOf(entry));
    const int midX = band.center().x();
    const int midY = band.center().y();
    for (QPoint p :
         {QPoint(band.left(), midY), QPoint(band.left() + 1, midY), QPoint(band.right(), midY),
          QPoint(band.right() - 1, midY), QPoint(midX, band.top()), QPoint(midX, band.top() + 1),
          QPoint(midX, band.bottom()), QPoint(midX, band.bottom() - 1)})
        if (window.pixelColor(p) != colour)
            return false;
    return true;
}

} // namespace

// The editor run as a user runs it: its own process, a real X server, the
// pointer and the keyboard moved by xdotool and what the screen shows read
// back. Each scenario is a slot that starts the editor in a fresh program
// folder (an EditorRun), waits for its window and drives desktop_.
// Fine-grained cases belong to the offscreen tests; only what a real window
// shows belongs here.
class TestRealWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void opensAtItsPlaceShowingTileOne();
    void stampsTurnsAndStampsWithTheMouse();
    void missingTemplateShowsErrorAndExits();
    void selectsABlockAndErasesIt();
    void movesABlockElsewhere();
    void savesUnderATypedNameAndOpensItAgain();
    void exitAsksAndEndsOnlyOnYes();
    void drawsSelectsErasesAndMovesWithTheKeyboardAlone();
    void atRatioTwoShowsTheBoardPixelForPixel();
    void opensABitmapPickedInAnotherFolder();
    void opensTheMapNamedOnItsCommandLine();
    void secondEditorOnTheFolderIsToldAndEnds();
    void unsavedMapComesBackAfterAnEndWithoutExit_data();
    void unsavedMapComesBackAfterAnEndWithoutExit();
    void exportsAPictureAndAPdfFromTheFileMenuByKeyboard();
    void copiesAndPastesThroughTheDesktopClipboard();
    void undoesAndRedoesStepByStep();
    void openAndExitAskAboutAnUnsavedMap();

private:
    // Types the path into the save dialog of that title, then waits for the
    // file to be written.
    bool saveThrough(EditorRun &editor, const QString &title, const QString &path);
    // Opens the editor, picks the palette entry and stamps it at that point
    // of the map; empty when the window does not come or the stamp does not
    // show.
    QString openWithATile(EditorRun &editor, QImage &map, int entry, QPoint at);
    // Starts the editor and waits for its main window to show the board as
    // it opens, tile 1 at its origin; the tool buttons as they look then are
    // read into faces. Empty when the window does not come.
    QString openEditor(EditorRun &editor, ToolFaces *faces = nullptr);
    // The main window's menu bar height, at that device pixel ratio; the
    // scenario's positions and screenshots of the window count from below it.
    int takeClientArea(const QString &window, int ratio = 1);
    // Waits until the window shows the whole board as expected; the last
    // screenshot taken is left in shot.
    bool waitForBoard(const QString &window, const QImage &expected, QImage *shot);
    bool waitForTitle(const QString &window, const QString &title);
    // Waits until the board shows a map just opened, under the preview of
    // tile 1 at its corner; keeps the last screenshot when it does not.
    bool showsOpened(const QString &window, const QImage &map, const char *what);
    // Stamps the current tile with a click at the board point, then waits
    // for "demo.bmp" to hold the expected board with it.
    bool stamp(const QString &window, EditorRun &editor, QImage &expected, const QImage &tile,
               QPoint at);
    // Picks the room of entry 29 and stamps it in rows and columns of the
    // given count from (26, 26), room beside room.
    bool stampRooms(const QString &window, EditorRun &editor, QImage &expected, int count);
    // Presses the select button and drags a selection over the board between
    // the two points, with real button presses.
    void selectBlock(const QString &window, QPoint from, QPoint to);
    // Saves under the name typed into the real prompt, and checks the
    // project bitmap and the caption. By keys, the focus stays where it is.
    void saveAs(const QString &window, EditorRun &editor, const QString &name,
                const QImage &expected, bool byKeys = false);
    // Types the keys into the main window, then waits for "demo.bmp" to hold
    // the expected board.
    bool keysMake(const QString &window, EditorRun &editor, const QString &keys,
                  const QImage &expected);
    // Asks to leave by Alt+E or the window manager's close; the exit
    // question's box, or empty when none comes.
    enum class Leave { ExitKey, WindowManager };
    QString askToLeave(const QString &window, EditorRun &editor, Leave how);
    // Keeps a failing scenario's screenshot beside the test, for diagnosis.
    void keep(const QImage &shot, const char *what);
    // What the desktop and the editor show when an awaited window is missing.
    QByteArray noWindow(EditorRun &editor) const;

    RealDesktop desktop_;
    const TileCatalogue catalogue_;
};

void TestRealWindow::initTestCase()
{
    QString problem;
    if (!desktop_.start(&problem))
        QFAIL(qPrintable(problem));
}

QString TestRealWindow::openEditor(EditorRun &editor, ToolFaces *faces)
{
    if (!editor.problem().isEmpty() || !editor.start(desktop_))
        return {};
    const QString window = desktop_.waitForWindow(editor.pid(), MainWindowTitle);
    if (window.isEmpty())
        return {};
    takeClientArea(window);
    QImage opening = BoardModel::whiteBoard();
    stampInto(opening, catalogue_.picture(1), QPoint(0, 0));
    QImage shot;
    if (!waitForBoard(window, opening, &shot)) {
        keep(shot, "opening");
        return {};
    }
    if (faces)
        *faces = toolFaces(shot);
    return window;
}

int TestRealWindow::takeClientArea(const QString &window, int ratio)
{
    const int bar = desktop_.geometry(window).height() - Form1::ClientHeight * ratio;
    desktop_.setClientTop(window, bar);
    return bar;
}

bool TestRealWindow::waitForBoard(const QString &window, const QImage &expected, QImage *shot)
{
    return RealDesktop::waitUntil([&] {
        *shot = desktop_.screenshot(window);
        return !shot->isNull() && boardIn(*shot) == expected;
    });
}

bool TestRealWindow::showsOpened(const QString &window, const QImage &map, const char *what)
{
    QImage expected = map;
    stampInto(expected, catalogue_.picture(1), QPoint(0, 0));
    QImage shot;
    if (waitForBoard(window, expected, &shot))
        return true;
    keep(shot, what);
    return false;
}

bool TestRealWindow::waitForTitle(const QString &window, const QString &title)
{
    return RealDesktop::waitUntil([&] { return desktop_.title(window) == title; });
}

bool TestRealWindow::stamp(const QString &window, EditorRun &editor, QImage &expected,
                           const QImage &tile, QPoint at)
{
    desktop_.moveTo(window, onBoard(at));
    desktop_.click(1);
    stampInto(expected, tile, snapped(at));
    return RealDesktop::waitUntil([&] { return editor.image("demo.bmp") == expected; });
}

bool TestRealWindow::stampRooms(const QString &window, EditorRun &editor, QImage &expected,
                                int count)
{
    const QImage room = catalogue_.picture(29);
    desktop_.clickAt(window, TileTable::frameRect(29).center());
    for (int row = 0; row < count; ++row)
        for (int column = 0; column < count; ++column)
            if (!stamp(window, editor, expected, room,
                       QPoint(30 + column * room.width(), 30 + row * room.height())))
                return false;
    return true;
}

void TestRealWindow::selectBlock(const QString &window, QPoint from, QPoint to)
{
    desktop_.clickAt(window, SelectButton.center());
    desktop_.moveTo(window, onBoard(from));
    desktop_.press(1);
    desktop_.moveTo(window, onBoard((from + to) / 2));
    desktop_.moveTo(window, onBoard(to));
    desktop_.release(1);
}

void TestRealWindow::saveAs(const QString &window, EditorRun &editor, const QString &name,
                            const QImage &expected, bool byKeys)
{
    const QString bitmap = name + ProjectFiles::BitmapSuffix;
    if (byKeys)
        desktop_.key(window, QStringLiteral("ctrl+s"));
    else
        desktop_.clickAt(window, SaveButton.center());
    const QString prompt = desktop_.waitForWindow(editor.pid(), SavePromptTitle);
    QVERIFY2(!prompt.isEmpty(), noWindow(editor).constData());
    desktop_.key(prompt, QStringLiteral("ctrl+a"));
    desktop_.type(prompt, name);
    desktop_.key(prompt, QStringLiteral("Return"));
    QVERIFY2(desktop_.waitForNoWindow(editor.pid(), SavePromptTitle), "the prompt stays up");
    QVERIFY2(RealDesktop::waitUntil([&] { return editor.image(bitmap) == expected; }),
             qPrintable(QStringLiteral("%1 does not hold the board; the folder holds %2")
                            .arg(bitmap, editor.fileNames().join(QStringLiteral(", ")))));
    QVERIFY2(waitForTitle(window, caption(editor, bitmap)), qPrintable(desktop_.title(window)));
}

QByteArray TestRealWindow::noWindow(EditorRun &editor) const
{
    return (editor.problem()
            + QStringLiteral("\neditor pid %1, %2; it said: %3\n")
                  .arg(editor.pid())
                  .arg(editor.running() ? QStringLiteral("running") : QStringLiteral("ended"))
                  .arg(editor.output())
            + desktop_.windowTree())
        .toLocal8Bit();
}

void TestRealWindow::keep(const QImage &shot, const char *what)
{
    const QString path = QDir::current().filePath(
        QStringLiteral("tst_realwindow-%1.png").arg(QString::fromLatin1(what)));
    if (shot.save(path))
        qInfo("screenshot kept in %s", qPrintable(path));
}

void TestRealWindow::opensAtItsPlaceShowingTileOne()
{
    EditorRun editor;
    const QString window = openEditor(editor);
    QVERIFY2(!window.isEmpty(), noWindow(editor).constData());

    // The menu bar over the client area makes the window that much higher.
    const int bar = takeClientArea(window);
    QVERIFY(bar > 0);
    QCOMPARE(desktop_.geometry(window), QRect(11, 30, 1085, 741 + bar));
    if (!UiArt::programIcon().isNull())
        QVERIFY(desktop_.property(window, QStringLiteral("_NET_WM_ICON"))
                    .contains(QStringLiteral("Icon (16 x 16)")));
    QCOMPARE(desktop_.title(window), caption(editor, QStringLiteral("New.bmp")));

    // Becoming active drew tile 1 at the board's origin, over white: the
    // editor's window was awaited so.
    QCOMPARE(desktop_.screenshot(window).pixelColor(2, 400), Background);
    QVERIFY(editor.exists(QStringLiteral("new.doc")));
    QVERIFY(!editor.exists(QStringLiteral("demo.bmp")));
}

void TestRealWindow::stampsTurnsAndStampsWithTheMouse()
{
    EditorRun editor;
    const QString window = openEditor(editor);
    QVERIFY2(!window.isEmpty(), noWindow(editor).constData());

    // Pick entry 6, then entry 2: only the second keeps its frame on screen.
    desktop_.clickAt(window, TileTable::frameRect(6).center());
    desktop_.clickAt(window, TileTable::frameRect(2).center());

    // The first stamp lands on the grid cell under the pointer.
    QImage expected = BoardModel::whiteBoard();
    QVERIFY2(stamp(window, editor, expected, catalogue_.picture(2), QPoint(198, 174)),
             "demo.bmp does not hold tile 2 where the pointer was");

    // A right click turns the T-junction a quarter turn: tile 3 goes down next.
    desktop_.click(3);
    QVERIFY2(stamp(window, editor, expected, catalogue_.picture(3), QPoint(300, 280)),
             "demo.bmp does not hold the turned tile 3 beside tile 2");

    // Off the board the preview stays on the last stamp, so the screen shows
    // the committed board, and the frame round entry 2 alone.
    desktop_.moveTo(window, Aside);
    QImage shot;
    const bool shown = RealDesktop::waitUntil([&] {
        shot = desktop_.screenshot(window);
        return !shot.isNull() && boardIn(shot) == expected
               && frameShown(shot, 2, PaletteStrip::frameColour());
    });
    if (!shown)
        keep(shot, "stamps");
    QVERIFY2(shown, "the screen does not show the stamped board and the palette frame");
    QVERIFY(frameShown(shot, 6, Background));
    QCOMPARE(shot.pixelColor(51, 16), PaletteStrip::frameColour());
    QCOMPARE(shot.pixelColor(96, 61), PaletteStrip::frameColour());
    QCOMPARE(shot.pixelColor(49, 30), Background);
}

void TestRealWindow::missingTemplateShowsErrorAndExits()
{
    EditorRun editor({QStringLiteral("vantorel.vtr")});
    QVERIFY2(editor.problem().isEmpty(), qPrintable(editor.problem()));
    QVERIFY(editor.start(desktop_));

    const QString box = desktop_.waitForWindow(editor.pid(), ErrorBoxTitle);
    QVERIFY2(!box.isEmpty(), noWindow(editor).constData());
    QVERIFY(desktop_.windows(editor.pid(), MainWindowTitle).isEmpty());
    QVERIFY(editor.running());

    desktop_.key(box, QStringLiteral("Return"));
    QVERIFY2(editor.waitForExit(RealDesktop::DefaultTimeout), "the editor did not exit");
    QVERIFY(editor.exitCode() != 0);
    QVERIFY(!editor.exists(QStringLiteral("new.doc")));
}

void TestRealWindow::selectsABlockAndErasesIt()
{
    // The tool buttons as they are at start: select enabled, erase and move greyed.
    EditorRun editor;
    ToolFaces atStart;
    const QString window = openEditor(editor, &atStart);
    QVERIFY2(!window.isEmpty(), noWindow(editor).constData());

    // Three rows of three rooms from (26, 26), and a T-junction apart.
    QImage expected = BoardModel::whiteBoard();
    QVERIFY(stampRooms(window, editor, expected, 3));
    desktop_.clickAt(window, TileTable::frameRect(2).center());
    QVERIFY(stamp(window, editor, expected, catalogue_.picture(2), QPoint(400, 300)));

    // A block from grid point (65, 52) to (182, 182): rooms on every side of
    // it, so a block a cell too large or too small shows.
    selectBlock(window, QPoint(70, 60), QPoint(190, 190));
    QImage shot;
    const bool selected = RealDesktop::waitUntil([&] {
        shot = desktop_.screenshot(window);
        const ToolFaces faces = toolFaces(shot);
        return faces.erase != atStart.erase && faces.move != atStart.move
               && faces.select != atStart.select;
    });
    if (!selected)
        keep(shot, "selection");
    QVERIFY2(selected, "the erase and move buttons did not come alive after the drag");
    QVERIFY2(boardIn(shot) != expected, "no selection rectangle on the board");

    desktop_.clickAt(window, EraseButton.center());
    expected = withBlank(expected, QRect(QPoint(65, 52), QPoint(182, 182) - QPoint(1, 1)));
    QVERIFY2(RealDesktop::waitUntil([&] { return editor.image("demo.bmp") == expected; }),
             "demo.bmp does not hold the board with exactly the block blanked");

    // The screen shows the same board, and the buttons are as at start.
    desktop_.moveTo(window, Aside);
    const bool erased = RealDesktop::waitUntil([&] {
        shot = desktop_.screenshot(window);
        const ToolFaces faces = toolFaces(shot);
        return boardIn(shot) == expected && faces.erase == atStart.erase
               && faces.move == atStart.move && faces.select == atStart.select;
    });
    if (!erased)
        keep(shot, "erased");
    QVERIFY2(erased, "after the erase the screen does not show the board and the buttons "
                     "as at start");

    // Back in placement with the tile picked before the selection.
    QVERIFY2(stamp(window, editor, expected, catalogue_.picture(2), QPoint(500, 100)),
             "after the erase a click does not stamp the T-junction");
}

void TestRealWindow::movesABlockElsewhere()
{
    EditorRun editor;
    ToolFaces atStart;
    const QString window = openEditor(editor, &atStart);
    QVERIFY2(!window.isEmpty(), noWindow(editor).constData());

    // Two rows of two rooms from (26, 26); the block is cut out of their middle.
    QImage expected = BoardModel::whiteBoard();
    QVERIFY(stampRooms(window, editor, expected, 2));
    const QRect block(QPoint(52, 65), QPoint(130, 130) - QPoint(1, 1));
    const QImage cut = expected.copy(block);
    selectBlock(window, QPoint(60, 70), QPoint(135, 140));
    QVERIFY2(RealDesktop::waitUntil(
                 [&] { return faceOf(desktop_.screenshot(window), MoveButton) != atStart.move; }),
             "the move button did not come alive after the drag");
    desktop_.clickAt(window, MoveButton.center());
    expected = withBlank(expected, block);
    QVERIFY2(RealDesktop::waitUntil([&] { return editor.image("demo.bmp") == expected; }),
             "demo.bmp does not show the block's place blanked");
    QVERIFY2(RealDesktop::waitUntil([&] { return editor.image("tiledeplace.bmp") == cut; }),
             "tiledeplace.bmp does not hold the block");

    // The block is the tile now: a click stamps it on the grid cell under the
    // pointer, far from where it was.
    QVERIFY2(stamp(window, editor, expected, cut, QPoint(400, 250)),
             "demo.bmp does not hold the block at its new place");
}

void TestRealWindow::savesUnderATypedNameAndOpensItAgain()
{
    EditorRun editor;
    QImage saved = BoardModel::whiteBoard();
    const QString window = openWithATile(editor, saved, 29, QPoint(60, 60));
    QVERIFY2(!window.isEmpty(), noWindow(editor).constData());
    desktop_.moveTo(window, onBoard(QPoint(300, 300)));

    // The name, with a blank and an accent, typed into the real prompt.
    const QString bitmap = QStringLiteral("Crypte é.bmp");
    saveAs(window, editor, QStringLiteral("Crypte é"), saved);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(editor.image("demo.bmp"), saved);

    // The board shows the map as saved, without the preview, until the
    // pointer comes back over it, even once the window is active again.
    desktop_.focus(window);
    QImage shot;
    QVERIFY2(waitForBoard(window, saved, &shot), "the board shows more than the saved map");
    const QPoint back(400, 200);
    desktop_.moveTo(window, onBoard(back));
    QImage previewed = saved;
    stampInto(previewed, catalogue_.picture(29), snapped(back));
    QVERIFY2(waitForBoard(window, previewed, &shot), "no preview once the pointer moves");

    // A change saved under another name, then the first map opened through
    // the dialog.
    QImage changed = saved;
    desktop_.clickAt(window, TileTable::frameRect(2).center());
    QVERIFY(stamp(window, editor, changed, catalogue_.picture(2), QPoint(300, 300)));
    saveAs(window, editor, QStringLiteral("Autre"), changed);
    if (QTest::currentTestFailed())
        return;

    desktop_.clickAt(window, OpenButton.center());
    const QString dialog = desktop_.waitForWindow(editor.pid(), OpenDialogTitle);
    QVERIFY2(!dialog.isEmpty(), noWindow(editor).constData());
    const QRect dialogArea = desktop_.geometry(dialog);
    QCOMPARE(dialogArea.size(), QSize(435, 209));
    QVERIFY((dialogArea.center() - desktop_.geometry(window).center()).manhattanLength() <= 1);

    // While the dialog is up the main window takes no click.
    desktop_.clickAt(window, onBoard(QPoint(600, 100)));

    // The list shows the program folder's bitmaps in letter order, case aside:
    // "&Annuler" has the focus, five tabs reach the list.
    QStringList bitmaps = editor.fileNames().filter(
        QRegularExpression(QStringLiteral("\\.bmp$"), QRegularExpression::CaseInsensitiveOption));
    bitmaps.sort(Qt::CaseInsensitive);
    QStringList keys(5, QStringLiteral("Tab"));
    keys << QStringLiteral("Home");
    keys << QStringList(bitmaps.indexOf(bitmap), QStringLiteral("Down"));
    desktop_.key(dialog, keys.join(QLatin1Char(' ')));
    desktop_.clickAt(dialog, OuvrirButton.center());
    QVERIFY2(desktop_.waitForNoWindow(editor.pid(), OpenDialogTitle), "the dialog stays up");
    QVERIFY2(waitForTitle(window, caption(editor, bitmap)), qPrintable(desktop_.title(window)));
    QVERIFY2(editor.image("demo.bmp") == changed,
             "a click went through to the board under the dialog");

    // The main window takes the pointer again: the preview of the T-junction
    // goes over the opened map, and a click stamps it there.
    const QPoint at(500, 400);
    desktop_.moveTo(window, onBoard(at));
    previewed = saved;
    stampInto(previewed, catalogue_.picture(2), snapped(at));
    const bool shown = waitForBoard(window, previewed, &shot);
    if (!shown)
        keep(shot, "opened");
    QVERIFY2(shown, "the board does not show the opened map under the preview");
    QImage board = saved;
    QVERIFY(stamp(window, editor, board, catalogue_.picture(2), at));
    QCOMPARE(editor.image(bitmap), saved);
}

QString TestRealWindow::askToLeave(const QString &window, EditorRun &editor, Leave how)
{
    if (how == Leave::ExitKey)
        desktop_.key(window, QStringLiteral("alt+e"));
    else
        desktop_.requestClose(window);
    return desktop_.waitForWindow(editor.pid(), LeaveBoxTitle);
}

void TestRealWindow::exitAsksAndEndsOnlyOnYes()
{
    EditorRun editor;
    QImage expected = BoardModel::whiteBoard();
    const QString window = openWithATile(editor, expected, 29, QPoint(100, 100));
    QVERIFY2(!window.isEmpty(), noWindow(editor).constData());
    // A saved map: the question is the plain one.
    saveAs(window, editor, QStringLiteral("sortie"), expected, true);
    const QString title = desktop_.title(window);

    // The preview rests away from where the boxes come, and the focus is on
    // EXIT, where pressing it leaves it.
    const QPoint resting(100, 400);
    desktop_.moveTo(window, onBoard(resting));
    QImage previewed = expected;
    stampInto(previewed, catalogue_.picture(29), snapped(resting));
    QImage before;
    QVERIFY2(waitForBoard(window, previewed, &before), "no preview where the pointer rests");
    desktop_.key(window, QStringLiteral("Tab"));
    QVERIFY2(RealDesktop::waitUntil([&] {
                 const QImage shot = desktop_.screenshot(window);
                 if (shot.copy(ExitButton) == before.copy(ExitButton))
                     return false;
                 before = shot;
                 return true;
             }),
             "Tab did not bring the focus to EXIT");
    const auto files = ProgramFolderFixture::snapshot(editor.folder());

    // No, to the question of EXIT and to that of the window manager's close:
    // the window stays exactly as it was.
    for (const Leave how : {Leave::ExitKey, Leave::WindowManager}) {
        const QString box = askToLeave(window, editor, how);
        QVERIFY2(!box.isEmpty(), noWindow(editor).constData());
        desktop_.key(box, QStringLiteral("alt+n"));
        QVERIFY2(desktop_.waitForNoWindow(editor.pid(), ExitBoxTitle), "No left the box up");
        desktop_.focus(window);
        QImage shot;
        const bool unchanged = RealDesktop::waitUntil([&] {
            shot = desktop_.screenshot(window);
            return shot == before;
        });
        if (!unchanged)
            keep(shot, how == Leave::ExitKey ? "exit-no" : "close-no");
        QVERIFY2(unchanged, "after No the window does not look as before the question");
        QVERIFY(editor.running());
        QCOMPARE(desktop_.windows(editor.pid(), MainWindowTitle).size(), 1);
        QCOMPARE(desktop_.title(window), title);
        QCOMPARE(ProgramFolderFixture::snapshot(editor.folder()), files);
    }

    // The box closes over the board with the pointer on it: a click stamps
    // under the pointer.
    QString box = askToLeave(window, editor, Leave::ExitKey);
    QVERIFY2(!box.isEmpty(), noWindow(editor).constData());
    const QRect boxArea = desktop_.geometry(box);
    desktop_.moveTo(box, QPoint(boxArea.width() / 2, boxArea.height() / 2));
    desktop_.key(box, QStringLiteral("alt+n"));
    QVERIFY2(desktop_.waitForNoWindow(editor.pid(), ExitBoxTitle), "No left the box up");
    const QPoint under = desktop_.pointer() - desktop_.clientOrigin(window) - BoardOrigin;
    desktop_.click(1);
    stampInto(expected, catalogue_.picture(29), snapped(under));
    QVERIFY2(RealDesktop::waitUntil([&] { return editor.image("demo.bmp") == expected; }),
             "after the box a click does not stamp the room under the pointer");
    // The map is not saved now: "&Ne pas enregistrer" to the window manager's
    // close ends the process at once with status 0, writes nothing, and its
    // lock on the folder and the record of its unsaved map go.
    auto stamped = ProgramFolderFixture::snapshot(editor.folder());
    QCOMPARE(stamped.remove(ProjectFiles::Lock), 1);
    QCOMPARE(stamped.remove(ProjectFiles::Recovery), 1);
    box = askToLeave(window, editor, Leave::WindowManager);
    QVERIFY2(!box.isEmpty(), noWindow(editor).constData());
    QCOMPARE(desktop_.title(box), QStringLiteral("Vantorel Editor"));
    desktop_.key(box, QStringLiteral("alt+n"));
    QVERIFY2(editor.waitForExit(RealDesktop::DefaultTimeout), "Yes did not end the editor");
    QVERIFY2(editor.exitCode() == 0, qPrintable(editor.output()));
    QCOMPARE(ProgramFolderFixture::snapshot(editor.folder()), stamped);
}

void TestRealWindow::opensABitmapPickedInAnotherFolder()
{
    // Started from another folder, the dialog shows the program folder; the
    // path typed in the name box opens the other folder's map, not the
    // program folder's map of that name.
    QTemporaryDir root;
    const QString elsewhere = root.filePath(QStringLiteral("Cartes d'été"));
    QVERIFY(QDir().mkpath(elsewhere));
    const QImage theirs = patternedMap();
    QVERIFY(theirs.save(elsewhere + QStringLiteral("/donjon.bmp"), "BMP"));
    EditorRun editor;
    QImage ours = BoardModel::whiteBoard();
    QPainter(&ours).fillRect(QRect(0, 0, 200, 200), Qt::black);
    QVERIFY(ours.save(editor.file(QStringLiteral("donjon.bmp")), "BMP"));
    editor.setWorkingDirectory(elsewhere);
    const QString window = openEditor(editor);
    QVERIFY2(!window.isEmpty(), noWindow(editor).constData());

    desktop_.moveTo(window, Aside);
    desktop_.clickAt(window, OpenButton.center());
    const QString dialog = desktop_.waitForWindow(editor.pid(), OpenDialogTitle);
    QVERIFY2(!dialog.isEmpty(), noWindow(editor).constData());
    const QString read = elsewhere + QStringLiteral("/donjon.bmp");
    desktop_.key(dialog, QStringLiteral("Tab"));
    desktop_.type(dialog, read);
    desktop_.key(dialog, QStringLiteral("alt+o"));
    QVERIFY2(desktop_.waitForNoWindow(editor.pid(), OpenDialogTitle), "the dialog stays up");
    QVERIFY2(waitForTitle(window, CaptionPrefix + QDir::toNativeSeparators(read)),
             qPrintable(desktop_.title(window)));

    // Its own pixels, under the preview the dialog's close replays at the
    // board's corner.
    QVERIFY2(showsOpened(window, theirs, "elsewhere"),
             "the board does not show the map picked in the other folder");
}

// As a file manager's "Open with" starts it: the map's full path, with
// blanks and accents, as the one argument.
void TestRealWindow::opensTheMapNamedOnItsCommandLine()
{
    QTemporaryDir root;
    const QString map = root.filePath(QStringLiteral("Cartes d'été/Donjon du nord.bmp"));
    QVERIFY(QDir().mkpath(QFileInfo(map).path()));
    const QImage theirs = patternedMap();
    QVERIFY(theirs.save(map, "BMP"));
    EditorRun editor;
    editor.setArguments({map});
    QVERIFY2(editor.problem().isEmpty() && editor.start(desktop_), qPrintable(editor.problem()));
    const QString window = desktop_.waitForWindow(editor.pid(), MainWindowTitle);
    QVERIFY2(!window.isEmpty(), noWindow(editor).constData());
    takeClientArea(window);
    QVERIFY2(waitForTitle(window, CaptionPrefix + QDir::toNativeSeparators(map)),
             qPrintable(desktop_.title(window)));

    QVERIFY2(showsOpened(window, theirs, "command-line"),
             "the board does not show the map named on the command line");
}

void TestRealWindow::secondEditorOnTheFolderIsToldAndEnds()
{
    EditorRun editor;
    const QString window = openEditor(editor);
    QVERIFY2(!window.isEmpty(), noWindow(editor).constData());
    // The user has begun the start-up project's scenario.
    QFile scenario(editor.file(QStringLiteral("new.doc")));
    QVERIFY(scenario.open(QIODevice::Append));
    QVERIFY(scenario.write("notes de la partie") > 0);
    scenario.close();
    const auto files = ProgramFolderFixture::snapshot(editor.folder());

    QProcess second;
    editor.startAnother(second, desktop_);
    QVERIFY2(second.waitForStarted(RealDesktop::DefaultTimeout), qPrintable(second.errorString()));
    const QString box = desktop_.waitForWindow(second.processId(), ErrorBoxTitle);
    QVERIFY2(!box.isEmpty(), noWindow(editor).constData());
    QVERIFY(desktop_.windows(second.processId(), MainWindowTitle).isEmpty());
    desktop_.key(box, QStringLiteral("Return"));
    QVERIFY2(second.waitForFinished(RealDesktop::DefaultTimeout), "the second editor went on");
    QCOMPARE(second.exitCode(), 1);
    QCOMPARE(ProgramFolderFixture::snapshot(editor.folder()), files);
    QVERIFY(editor.running());

    // The first editor crashes and leaves its lock: the next one takes it over.
    QVERIFY(::kill(pid_t(editor.pid()), SIGKILL) == 0);
    QVERIFY(editor.waitForExit(RealDesktop::DefaultTimeout));
    QVERIFY(QFileInfo::exists(editor.file(ProjectFiles::Lock)));
    QProcess third;
    editor.startAnother(third, desktop_);
    QVERIFY2(third.waitForStarted(RealDesktop::DefaultTimeout), qPrintable(third.errorString()));
    const bool opened = !desktop_.waitForWindow(third.processId(), MainWindowTitle).isEmpty();
    third.kill();
    third.waitForFinished(RealDesktop::DefaultTimeout);
    QVERIFY2(opened, qPrintable(QString::fromLocal8Bit(third.readAll())));
}

bool TestRealWindow::keysMake(const QString &window, EditorRun &editor, const QString &keys,
                              const QImage &expected)
{
    desktop_.key(window, keys);
    return RealDesktop::waitUntil([&] { return editor.image("demo.bmp") == expected; });
}

void TestRealWindow::drawsSelectsErasesAndMovesWithTheKeyboardAlone()
{
    EditorRun editor;
    const QString window = openEditor(editor);
    QVERIFY2(!window.isEmpty(), noWindow(editor).constData());
    // The pointer stays out of the window: no move of it plays a part.
    desktop_.moveTo(window, QPoint(1150, 750));
    auto times = [](const char *key, int count) {
        return QStringList(count, QString::fromLatin1(key)).join(QLatin1Char(' '));
    };

    // Shift+Tab reaches the palette's first entry; down twice and right is
    // the room of entry 29, Return picks it, Tab goes back to the board,
    // where the keys start at the board's origin.
    const QImage room = catalogue_.picture(29);
    QImage expected = BoardModel::whiteBoard();
    stampInto(expected, room, QPoint(26, 26));
    QVERIFY2(keysMake(window, editor,
                      QStringLiteral("shift+Tab Down Down Right Return Tab Right Right Down Down "
                                     "space"),
                      expected),
             "the keys did not stamp the room picked in the palette at (26, 26)");
    stampInto(expected, room, QPoint(91, 26));
    QVERIFY2(keysMake(window, editor, times("Right", 5) + QStringLiteral(" Return"), expected),
             "the keys did not stamp a second room beside the first");

    // Tab twice is the select button (erase and move are disabled); the
    // corners go from (39, 39) to (78, 78), and Delete erases the block.
    expected = withBlank(expected, QRect(39, 39, 39, 39));
    QVERIFY2(keysMake(window, editor,
                      QStringLiteral("Tab Tab Return ") + times("Left", 4)
                          + QStringLiteral(" Down space ") + times("Right", 3) + ' '
                          + times("Down", 3) + QStringLiteral(" space Delete"),
                      expected),
             "the keys did not select and erase the block from (39, 39) to (78, 78)");

    // The second room, selected from (91, 26) to (156, 91), is moved with
    // the move button, three Tabs away now, and stamped at (286, 221).
    const QRect block(91, 26, 65, 65);
    const QImage cut = expected.copy(block);
    expected = withBlank(expected, block);
    QVERIFY2(keysMake(window, editor,
                      QStringLiteral("Tab Tab Return Right ") + times("Up", 4)
                          + QStringLiteral(" space ") + times("Right", 5) + ' ' + times("Down", 5)
                          + QStringLiteral(" space Tab Tab Tab Return"),
                      expected),
             "the keys did not cut the second room out");
    QVERIFY2(RealDesktop::waitUntil([&] { return editor.image("tiledeplace.bmp") == cut; }),
             "tiledeplace.bmp does not hold the second room");
    stampInto(expected, cut, QPoint(286, 221));
    QVERIFY2(keysMake(window, editor,
                      times("Right", 10) + ' ' + times("Down", 10) + QStringLiteral(" space"),
                      expected),
             "the keys did not stamp the cut room at (286, 221)");

    // The screen shows that board, with no selection left on it.
    QImage shot;
    const bool shown = RealDesktop::waitUntil([&] {
        shot = desktop_.screenshot(window);
        return !shot.isNull() && boardIn(shot) == expected;
    });
    if (!shown)
        keep(shot, "keyboard");
    QVERIFY2(shown, "the screen does not show the board the keys drew");
}

// At a device pixel ratio of 2 the window system speaks in device pixels:
// the window is twice as large, each board pixel a 2 x 2 block, and the
// pointer on the last device pixel of a grid square stamps on that square.
void TestRealWindow::atRatioTwoShowsTheBoardPixelForPixel()
{
    EditorRun editor;
    editor.setEnvironment(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
    QVERIFY2(editor.problem().isEmpty() && editor.start(desktop_), qPrintable(editor.problem()));
    const QString window = desktop_.waitForWindow(editor.pid(), MainWindowTitle);
    QVERIFY2(!window.isEmpty(), noWindow(editor).constData());
    const int bar = takeClientArea(window, 2);
    QVERIFY(bar > 0);
    QCOMPARE(desktop_.geometry(window), QRect(22, 60, 2170, 1482 + bar));

    const QImage letter = catalogue_.picture(86);
    desktop_.clickAt(window, TileTable::frameRect(86).center() * 2);
    const QPoint square(3, 2);
    desktop_.clickAt(window, (onBoard(square * 13) + QPoint(13, 13)) * 2 - QPoint(1, 1));
    QImage expected = BoardModel::whiteBoard();
    stampInto(expected, letter, square * 13);
    QVERIFY2(RealDesktop::waitUntil([&] { return editor.image("demo.bmp") == expected; }),
             "demo.bmp does not hold the letter on the square under the pointer");

    const QImage doubled
        = expected.scaled(BoardSize * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QImage shot;
    const bool shown = RealDesktop::waitUntil([&] {
        shot = desktop_.screenshot(window);
        return !shot.isNull() && shot.copy(QRect(BoardOrigin * 2, BoardSize * 2)) == doubled;
    });
    if (!shown)
        keep(shot, "ratio2");
    QVERIFY2(shown, "the screen does not show the board with each pixel doubled");
}

void TestRealWindow::unsavedMapComesBackAfterAnEndWithoutExit_data()
{
    QTest::addColumn<int>("end"); // the signal, or 0 for the X server killed
    QTest::newRow("SIGKILL") << int(SIGKILL);
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGHUP") << int(SIGHUP);
    QTest::newRow("X server killed") << 0;
}

void TestRealWindow::unsavedMapComesBackAfterAnEndWithoutExit()
{
    QFETCH(int, end);
    // The display that goes away is one of its own.
    RealDesktop lost;
    QString problem;
    if (end == 0)
        QVERIFY2(lost.start(&problem), qPrintable(problem));
    RealDesktop &desktop = end == 0 ? lost : desktop_;
    EditorRun editor;
    QVERIFY2(editor.problem().isEmpty() && editor.start(desktop), qPrintable(editor.problem()));
    const QString window = desktop.waitForWindow(editor.pid(), MainWindowTitle);
    QVERIFY2(!window.isEmpty(), noWindow(editor).constData());
    desktop.setClientTop(window, desktop.geometry(window).height() - Form1::ClientHeight);
    QImage map = BoardModel::whiteBoard();
    for (QPoint at : {QPoint(100, 100), QPoint(300, 200), QPoint(500, 400)}) {
        desktop.clickAt(window, onBoard(at));
        stampInto(map, catalogue_.picture(1), snapped(at));
        QVERIFY2(RealDesktop::waitUntil([&] { return editor.image("demo.bmp") == map; }),
                 "demo.bmp does not hold the stamps");
    }
    const QByteArray record = editor.contents(ProjectFiles::Recovery);
    QVERIFY(!record.isEmpty());

    if (end == SIGKILL) {
        // A second editor refused by the lock leaves the record as it was.
        QProcess second;
        editor.startAnother(second, desktop_);
        QVERIFY(second.waitForStarted(RealDesktop::DefaultTimeout));
        const QString box = desktop_.waitForWindow(second.processId(), ErrorBoxTitle);
        QVERIFY2(!box.isEmpty(), noWindow(editor).constData());
        desktop_.key(box, QStringLiteral("Return"));
        QVERIFY(second.waitForFinished(RealDesktop::DefaultTimeout));
        QCOMPARE(editor.contents(ProjectFiles::Recovery), record);
    }
    if (end == 0)
        lost.killServer();
    else
        QVERIFY(::kill(pid_t(editor.pid()), end) == 0);
    // Without a box: the editor ends by itself, a signal's end as its own.
    QVERIFY2(editor.waitForExit(RealDesktop::DefaultTimeout), "the editor went on");
    if (end == SIGTERM || end == SIGHUP)
        QCOMPARE(editor.exitCode(), 128 + end);
    QCOMPARE(editor.contents(ProjectFiles::Recovery), record);

    // The next start is not refused, and asks over its window.
    QProcess next;
    editor.startAnother(next, desktop_);
    QVERIFY(next.waitForStarted(RealDesktop::DefaultTimeout));
    const QString box = desktop_.waitForWindow(
        next.processId(), QLatin1Char('^') + MapRecovery::Title + QLatin1Char('$'));
    const QString nextWindow = desktop_.waitForWindow(next.processId(), MainWindowTitle);
    const bool asked = !box.isEmpty() && !nextWindow.isEmpty();
    if (asked) {
        desktop_.moveTo(nextWindow, Aside);
        takeClientArea(nextWindow);
        desktop_.key(box, QStringLiteral("Return"));
    }
    // Brought back, the map is not saved: the caption carries the mark.
    const bool broughtBack
        = asked
          && waitForTitle(nextWindow, caption(editor, QStringLiteral("New.bmp")) + QLatin1Char('*'))
          && showsOpened(nextWindow, map, "brought back");
    const QString said = QString::fromLocal8Bit(next.readAll());
    next.kill();
    next.waitForFinished(RealDesktop::DefaultTimeout);
    QVERIFY2(asked, qPrintable(said + desktop_.windowTree()));
    QVERIFY2(broughtBack, "the map does not come back");
}

bool TestRealWindow::saveThrough(EditorRun &editor, const QString &title, const QString &path)
{
    const QString dialog = desktop_.waitForWindow(editor.pid(), title);
    if (dialog.isEmpty())
        return false;
    desktop_.key(dialog, QStringLiteral("ctrl+a"));
    desktop_.type(dialog, path);
    desktop_.key(dialog, QStringLiteral("Return"));
    return RealDesktop::waitUntil([&] { return QFileInfo(path).size() > 0; });
}

QString TestRealWindow::openWithATile(EditorRun &editor, QImage &map, int entry, QPoint at)
{
    const QString window = openEditor(editor);
    if (window.isEmpty())
        return {};
    desktop_.clickAt(window, TileTable::frameRect(entry).center());
    return stamp(window, editor, map, catalogue_.picture(entry), at) ? window : QString();
}

void TestRealWindow::exportsAPictureAndAPdfFromTheFileMenuByKeyboard()
{
    EditorRun editor;
    QImage map = BoardModel::whiteBoard();
    const QString window = openWithATile(editor, map, 86, QPoint(40, 40));
    QVERIFY2(!window.isEmpty(), noWindow(editor).constData());
    QTemporaryDir out;

    // Fichier, Exporter en image: the scale 3, then the file.
    desktop_.key(window, QStringLiteral("alt+f i"));
    const QString scaleBox
        = desktop_.waitForWindow(editor.pid(), QStringLiteral("^Exporter en image$"));
    QVERIFY2(!scaleBox.isEmpty(), noWindow(editor).constData());
    desktop_.key(scaleBox, QStringLiteral("ctrl+a 3 Return"));
    QVERIFY(RealDesktop::waitUntil([&] {
        return !desktop_.windows(editor.pid(), QStringLiteral("^Exporter en image$"))
                    .contains(scaleBox);
    }));
    const QString png = out.filePath(QStringLiteral("carte.png"));
    QVERIFY2(saveThrough(editor, QStringLiteral("^Exporter en image$"), png),
             noWindow(editor).constData());
    const QImage enlarged
        = map.scaled(BoardSize * 3, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QCOMPARE(QImage(png).convertToFormat(QImage::Format_RGB32), enlarged);
    // Another maker's decoder reads the same pixels.
    QProcess convert;
    convert.start(QStringLiteral("convert"),
                  {png, QStringLiteral("-depth"), QStringLiteral("8"), QStringLiteral("rgb:-")});
    QVERIFY(convert.waitForFinished());
    const QImage rgb = enlarged.convertToFormat(QImage::Format_RGB888);
    QByteArray expected;
    for (int y = 0; y < rgb.height(); ++y)
        expected.append(reinterpret_cast<const char *>(rgb.constScanLine(y)), rgb.width() * 3);
    QVERIFY(convert.readAllStandardOutput() == expected);

    // Fichier, Exporter en PDF: one landscape A4 page.
    desktop_.key(window, QStringLiteral("alt+f d"));
    const QString pdf = out.filePath(QStringLiteral("carte.pdf"));
    QVERIFY2(saveThrough(editor, QStringLiteral("^Exporter en PDF$"), pdf),
             noWindow(editor).constData());
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY(info.waitForFinished());
    const QString told = QString::fromLatin1(info.readAllStandardOutput());
    QVERIFY2(told.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))), qPrintable(told));
    const QRegularExpressionMatch page
        = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts \\(A4\\)"))
              .match(told);
    QVERIFY2(page.hasMatch() && page.captured(1).toDouble() > page.captured(2).toDouble(),
             qPrintable(told));
}

void TestRealWindow::copiesAndPastesThroughTheDesktopClipboard()
{
    EditorRun editor;
    QImage map = BoardModel::whiteBoard();
    const QString window = openWithATile(editor, map, 86, QPoint(40, 40));
    QVERIFY2(!window.isEmpty(), noWindow(editor).constData());

    // Copier with no selection: the whole map, for any program.
    desktop_.key(window, QStringLiteral("ctrl+c"));
    QImage copied;
    QVERIFY(RealDesktop::waitUntil([&] {
        copied = QImage::fromData(desktop_.clipboard(QStringLiteral("image/png")), "PNG");
        return !copied.isNull();
    }));
    QCOMPARE(copied.convertToFormat(QImage::Format_RGB32), map);

    // A picture another program put there becomes the piece to stamp.
    QTemporaryDir elsewhere;
    const QString file = elsewhere.filePath(QStringLiteral("motif.png"));
    QImage motif(39, 26, QImage::Format_RGB32);
    for (int y = 0; y < motif.height(); ++y)
        for (int x = 0; x < motif.width(); ++x)
            motif.setPixel(x, y, qRgb(6 * x, 9 * y, 200));
    QVERIFY(motif.save(file, "PNG"));
    desktop_.setClipboard(QStringLiteral("image/png"), file);
    QVERIFY(RealDesktop::waitUntil([&] {
        desktop_.key(window, QStringLiteral("ctrl+v"));
        return editor.image("tiledeplace.bmp") == motif;
    }));
    const QImage before = map;
    QVERIFY(stamp(window, editor, map, motif, QPoint(130, 130)));

    // Annuler takes the stamp back.
    QVERIFY(keysMake(window, editor, QStringLiteral("ctrl+z"), before));
}

void TestRealWindow::undoesAndRedoesStepByStep()
{
    EditorRun editor;
    const QString window = openEditor(editor);
    QVERIFY2(!window.isEmpty(), noWindow(editor).constData());
    QList<QImage> maps {BoardModel::whiteBoard()};
    QImage expected = maps.first();
    desktop_.clickAt(window, TileTable::frameRect(29).center());
    for (int i = 0; i < 10; ++i) {
        QVERIFY(stamp(window, editor, expected, catalogue_.picture(29),
                      QPoint(30 + 70 * (i % 5), 30 + 100 * (i / 5))));
        maps.append(expected);
    }
    QVERIFY(desktop_.title(window).endsWith(QStringLiteral("New.bmp*")));
    for (int i = 0; i < 10; ++i)
        desktop_.key(window, QStringLiteral("ctrl+z"));
    QVERIFY2(RealDesktop::waitUntil([&] { return editor.image("demo.bmp") == maps.first(); }),
             "ten undos do not give back the blank map");
    for (int i = 0; i < 5; ++i)
        desktop_.key(window, i % 2 ? QStringLiteral("ctrl+y") : QStringLiteral("ctrl+shift+z"));
    QVERIFY2(RealDesktop::waitUntil([&] { return editor.image("demo.bmp") == maps[5]; }),
             "five redos do not bring back five stamps");
}

void TestRealWindow::openAndExitAskAboutAnUnsavedMap()
{
    EditorRun editor;
    QImage expected = BoardModel::whiteBoard();
    const QString window = openWithATile(editor, expected, 29, QPoint(100, 100));
    QVERIFY2(!window.isEmpty(), noWindow(editor).constData());
    const QString title = desktop_.title(window);
    const auto files = ProgramFolderFixture::snapshot(editor.folder());

    // Escape to the question of OPEN, of EXIT and of the window manager's
    // close: no dialog, no end, no file changed.
    const auto ask = [&](const std::function<void()> &how) {
        how();
        const QString box = desktop_.waitForWindow(editor.pid(), DropBoxTitle);
        QVERIFY2(!box.isEmpty(), noWindow(editor).constData());
        desktop_.key(box, QStringLiteral("Escape"));
        QVERIFY2(desktop_.waitForNoWindow(editor.pid(), DropBoxTitle), "Escape left the box up");
        desktop_.focus(window);
    };
    ask([&] { desktop_.clickAt(window, OpenButton.center()); });
    ask([&] { desktop_.key(window, QStringLiteral("alt+e")); });
    ask([&] { desktop_.requestClose(window); });
    QVERIFY(desktop_.windows(editor.pid(), OpenDialogTitle).isEmpty());
    QVERIFY(editor.running());
    QCOMPARE(desktop_.title(window), title);
    QCOMPARE(ProgramFolderFixture::snapshot(editor.folder()), files);
    QCOMPARE(editor.image("demo.bmp"), expected);
}

QTEST_MAIN(TestRealWindow)
#include "tst_realwindow.moc"
