#include "EditorRun.h"
#include "RealDesktop.h"
#include "catalogue/PaletteSelection.h"
#include "catalogue/TileCatalogue.h"
#include "catalogue/TileTable.h"

#include <QPainter>
#include <QtTest>

namespace {

const QString MainWindowTitle = QStringLiteral("^Vantorel Editor - Fichier actif :");
const QString ErrorBoxTitle = QStringLiteral("^Vantorel Editor$");

// Where the board's drawing area starts in the window, and its size.
const QPoint BoardOrigin(202, 26);
const QSize BoardSize(773, 546);

const QColor Background(128, 128, 255);

// The grid corner of a point on the board (positive coordinates only).
int snap(int c) { return 13 * (c / 13); }

QPoint onBoard(QPoint board) { return BoardOrigin + board; }

QImage boardIn(const QImage &window) { return window.copy(QRect(BoardOrigin, BoardSize)); }

QImage whiteBoard()
{
    QImage board(BoardSize, QImage::Format_RGB32);
    board.fill(Qt::white);
    return board;
}

void stampInto(QImage &board, const QImage &tile, QPoint at)
{
    QPainter painter(&board);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(at, tile);
}

// Whether the 2-pixel frame round a palette entry shows in the colour, on the
// sides no neighbour covers.
bool frameShown(const QImage &window, int entry, const QColor &colour)
{
    const QRect band = PaletteSelection::paintedArea(PaletteSelection::outlineOf(entry));
    const int midX = band.center().x();
    const int midY = band.center().y();
    for (QPoint p : {QPoint(band.left(), midY), QPoint(band.left() + 1, midY),
                     QPoint(band.right(), midY), QPoint(band.right() - 1, midY),
                     QPoint(midX, band.top()), QPoint(midX, band.top() + 1),
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

private:
    // Starts the editor and waits for its main window.
    QString openEditor(EditorRun &editor);
    // Keeps a failing scenario's screenshot beside the test, for diagnosis.
    void keep(const QImage &shot, const char *what);
    // What the desktop and the editor show when an awaited window is missing.
    QByteArray noWindow(EditorRun &editor) const;

    RealDesktop desktop_;
};

void TestRealWindow::initTestCase()
{
    QString problem;
    if (!desktop_.start(&problem))
        QFAIL(qPrintable(problem));
}

QString TestRealWindow::openEditor(EditorRun &editor)
{
    if (!editor.problem().isEmpty() || !editor.start(desktop_))
        return {};
    return desktop_.waitForWindow(editor.pid(), MainWindowTitle);
}

QByteArray TestRealWindow::noWindow(EditorRun &editor) const
{
    return (editor.problem() + QStringLiteral("\neditor pid %1, %2; it said: %3\n")
                                   .arg(editor.pid())
                                   .arg(editor.running() ? QStringLiteral("running")
                                                         : QStringLiteral("ended"))
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

    QCOMPARE(desktop_.geometry(window), QRect(11, 30, 1085, 741));
    if (QFile::exists(QStringLiteral(":/ui/icon-16.png")))
        QVERIFY(desktop_.property(window, QStringLiteral("_NET_WM_ICON"))
                    .contains(QStringLiteral("Icon (16 x 16)")));
    QCOMPARE(desktop_.title(window),
             QStringLiteral("Vantorel Editor - Fichier actif :")
                 + QDir::toNativeSeparators(editor.file(QStringLiteral("New.bmp"))));

    // Becoming active draws tile 1 at the board's origin, over white.
    const TileCatalogue catalogue;
    QImage expected = whiteBoard();
    stampInto(expected, catalogue.picture(1), QPoint(0, 0));
    QImage shot;
    const bool shown = RealDesktop::waitUntil([&] {
        shot = desktop_.screenshot(window);
        return !shot.isNull() && boardIn(shot) == expected;
    });
    if (!shown)
        keep(shot, "opening");
    QVERIFY(shown);
    QCOMPARE(shot.pixelColor(2, 400), Background);
    QVERIFY(editor.exists(QStringLiteral("new.doc")));
    QVERIFY(!editor.exists(QStringLiteral("demo.bmp")));
}

void TestRealWindow::stampsTurnsAndStampsWithTheMouse()
{
    EditorRun editor;
    const QString window = openEditor(editor);
    QVERIFY2(!window.isEmpty(), noWindow(editor).constData());
    const TileCatalogue catalogue;

    // Pick entry 6, then entry 2: only the second keeps its frame on screen.
    desktop_.clickAt(window, TileTable::frameRect(6).center());
    desktop_.clickAt(window, TileTable::frameRect(2).center());

    // The first stamp lands on the grid cell under the pointer.
    const QPoint first(198, 174);
    desktop_.moveTo(window, onBoard(first));
    desktop_.click(1);
    QImage expected = whiteBoard();
    stampInto(expected, catalogue.picture(2), QPoint(snap(first.x()), snap(first.y())));
    QVERIFY2(RealDesktop::waitUntil([&] { return editor.image("demo.bmp") == expected; }),
             "demo.bmp does not hold tile 2 where the pointer was");

    // A right click turns the T-junction a quarter turn: tile 3 goes down next.
    desktop_.click(3);
    const QPoint second(300, 280);
    desktop_.moveTo(window, onBoard(second));
    desktop_.click(1);
    stampInto(expected, catalogue.picture(3), QPoint(snap(second.x()), snap(second.y())));
    QVERIFY2(RealDesktop::waitUntil([&] { return editor.image("demo.bmp") == expected; }),
             "demo.bmp does not hold the turned tile 3 beside tile 2");

    // Off the board the preview stays on the last stamp, so the screen shows
    // the committed board, and the frame round entry 2 alone.
    desktop_.moveTo(window, QPoint(100, 730));
    QImage shot;
    const bool shown = RealDesktop::waitUntil([&] {
        shot = desktop_.screenshot(window);
        return !shot.isNull() && boardIn(shot) == expected
               && frameShown(shot, 2, PaletteSelection::frameColour());
    });
    if (!shown)
        keep(shot, "stamps");
    QVERIFY2(shown, "the screen does not show the stamped board and the palette frame");
    QVERIFY(frameShown(shot, 6, Background));
    QCOMPARE(shot.pixelColor(51, 16), PaletteSelection::frameColour());
    QCOMPARE(shot.pixelColor(96, 61), PaletteSelection::frameColour());
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

QTEST_MAIN(TestRealWindow)
#include "tst_realwindow.moc"
