// The main window on a screen of a higher device pixel ratio. ctest runs this
// file with QT_SCALE_FACTOR at 2 and at 1.5; by hand it runs at 2.
#include "WindowHarness.h"
#include "catalogue/TileTable.h"
#include "document/BoardController.h"
#include "ui/BoardCanvas.h"
#include "ui/Fonts.h"
#include "ui/PictureButton.h"
#include "ui/UiArt.h"

#include <QBackingStore>
#include <QLabel>
#include <QPushButton>

#include <cmath>

namespace {

const QPoint BoardOrigin(202, 26); // of the drawing area, in the client area

// The first device pixel that shows a logical pixel, each device pixel d
// showing logical pixel floor(d / ratio).
int deviceStart(int logical, qreal ratio) { return int(std::ceil(logical * ratio)); }

// Why the window's picture at the device pixel ratio does not show the 1:1
// picture placed at `at` with each device pixel the colour of the logical
// pixel it lies in (at a ratio of 2, the picture scaled by nearest
// neighbour, each pixel doubled each way); empty when it does. Transparent
// pixels and those under `covered` are not looked at.
QString notBlownUp(const QImage &shot, const QImage &picture, QPoint at, QRect covered = {})
{
    const qreal ratio = shot.devicePixelRatio();
    const QImage source = picture.convertToFormat(QImage::Format_ARGB32);
    const QRect logical(at, picture.size());
    for (int y = deviceStart(logical.top(), ratio); y < deviceStart(logical.bottom() + 1, ratio);
         ++y)
        for (int x = deviceStart(logical.left(), ratio);
             x < deviceStart(logical.right() + 1, ratio); ++x) {
            const QPoint shows(int(std::floor(x / ratio)), int(std::floor(y / ratio)));
            const QRgb expected = source.pixel(shows - at);
            if (qAlpha(expected) < 255 || covered.contains(shows))
                continue;
            if (shot.pixel(x, y) != expected)
                return QStringLiteral(
                           "device pixel (%1, %2) is %3, not %4 of logical pixel (%5, %6)")
                    .arg(x)
                    .arg(y)
                    .arg(shot.pixel(x, y), 8, 16)
                    .arg(expected, 8, 16)
                    .arg(shows.x())
                    .arg(shows.y());
        }
    return {};
}

// A pointer event at a device pixel of the board's drawing area, as the
// window system reports it: the window receives the position in logical
// pixels, a fraction when the device pixel does not start a logical one.
void pointerAt(Form1 &window, QEvent::Type type, QPointF device,
               Qt::MouseButton button = Qt::NoButton)
{
    static int timestamp = 0;
    const qreal ratio = window.devicePixelRatio();
    const QPointF local = QPointF(BoardOrigin + window.clientArea()->pos()) + device / ratio;
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? button : Qt::NoButton;
    qt_handleMouseEvent(window.windowHandle(), local, window.mapToGlobal(local), held, button, type,
                        Qt::NoModifier, timestamp += 1000);
}

} // namespace

class TestHighDpi : public QObject
{
    Q_OBJECT

public:
    static void initMain()
    {
        if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR"))
            qputenv("QT_SCALE_FACTOR", "2");
    }

private slots:
    void initTestCase();
    void keepsItsLayoutInLogicalPixels();
    void picturesAreBlownUpPixelForPixel();
    void stampsAndSelectsOnTheSquareUnderThePointer_data();
    void stampsAndSelectsOnTheSquareUnderThePointer();
    void savedBitmapKeepsTheBoardSize();

private:
    qreal ratio_ = 1;
};

void TestHighDpi::initTestCase()
{
    Fonts::installSubstitutes();
    WindowHarness h;
    QVERIFY(h.showActive());
    ratio_ = h.window.devicePixelRatio();
    QCOMPARE(ratio_, qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
    QVERIFY(ratio_ > 1);
}

void TestHighDpi::keepsItsLayoutInLogicalPixels()
{
    WindowHarness h;
    QVERIFY(h.showActive());
    const int bar = h.client().y();
    QCOMPARE(h.window.geometry(), QRect(11, 30, 1085, 741 + bar));
    QCOMPARE(h.window.board()->geometry(), QRect(200, 24, 777, 550));
    QCOMPARE(h.window.BoutSelect->geometry(), QRect(416, 600, 33, 33));
    const QImage shot = h.client().grab().toImage();
    QCOMPARE(shot.size(), QSize(deviceStart(1085, ratio_), deviceStart(741, ratio_)));
}

void TestHighDpi::picturesAreBlownUpPixelForPixel()
{
    WindowHarness h;
    // A board with tiles, a preview and a selection outline, each of them
    // pixels drawn at 1:1 into the board.
    BoardController &board = h.window.controller();
    for (auto [tile, x, y] : {std::tuple {62, 40, 60}, {70, 300, 200}, {86, 500, 500}}) {
        h.state().CurrentTile = tile;
        board.pointerMove(Qt::NoButton, QPointF(x, y));
        board.buttonPress(Qt::LeftButton, QPointF(x, y));
    }
    h.state().CurrentTile = 29;
    board.pointerMove(Qt::NoButton, QPointF(700, 20));
    QVERIFY(h.showActive());
    QTest::mouseClick(h.window.BoutSelect, Qt::LeftButton);
    board.pointerMove(Qt::NoButton, QPointF(130, 130));
    board.buttonPress(Qt::LeftButton, QPointF(130, 130));
    board.pointerMove(Qt::LeftButton, QPointF(400, 300));

    // What the window shows after those repaints of a part of the board.
    QCoreApplication::processEvents();
    const auto *painted = dynamic_cast<const QImage *>(h.window.backingStore()->paintDevice());
    QVERIFY(painted);
    const QImage shot = painted->convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shot.devicePixelRatio(), ratio_);
    const QPoint client = h.client().pos();
    QString wrong = notBlownUp(shot, h.editor.board().displayed(), client + BoardOrigin);
    QVERIFY2(wrong.isEmpty(), qPrintable("board: " + wrong));
    for (int index : TileTable::paletteOrder()) {
        wrong = notBlownUp(shot, h.editor.catalogue().picture(index),
                           client + TileTable::frameRect(index).topLeft() + QPoint(2, 2));
        QVERIFY2(wrong.isEmpty(),
                 qPrintable(QStringLiteral("palette entry %1: ").arg(index) + wrong));
    }
    if (UiArt::buttonIcon(QStringLiteral("select")).isNull())
        QSKIP("the window's pictures are not built in");
    for (QPushButton *button : {h.window.BoutSelect, h.window.BoutEfface, h.window.Command6}) {
        const QIcon::Mode mode = button->isEnabled() ? QIcon::Normal : QIcon::Disabled;
        // Inside the button's edge, which the style draws.
        const QRect drawn = qobject_cast<PictureButton *>(button)->pictureRect();
        const QRect face = drawn.intersected(button->rect().adjusted(1, 1, -1, -1));
        const QImage picture = button->icon().pixmap(drawn.size(), 1.0, mode).toImage();
        wrong = notBlownUp(shot, picture.copy(face.translated(-drawn.topLeft())),
                           button->mapTo(&h.window, face.topLeft()));
        QVERIFY2(wrong.isEmpty(), qPrintable(button->objectName() + ": " + wrong));
    }
    // The banner as stretched at 1, under the credit line.
    const QImage banner = h.window.Image1->pixmap().toImage().scaled(
        h.window.Image1->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    wrong = notBlownUp(shot, banner, client + h.window.Image1->pos(),
                       h.window.Label1->geometry().translated(client));
    QVERIFY2(wrong.isEmpty(), qPrintable("banner: " + wrong));
}

void TestHighDpi::stampsAndSelectsOnTheSquareUnderThePointer_data()
{
    QTest::addColumn<QPoint>("square"); // column and row
    QTest::addColumn<bool>("lastDevicePixel"); // else the first one
    QTest::newRow("last device pixel of square 0, 0") << QPoint(0, 0) << true;
    QTest::newRow("first device pixel of square 1, 1") << QPoint(1, 1) << false;
    QTest::newRow("last device pixel of square 20, 9") << QPoint(20, 9) << true;
    QTest::newRow("first device pixel of square 21, 10") << QPoint(21, 10) << false;
    QTest::newRow("bottom right: the part column 59, row 41") << QPoint(59, 41) << true;
}

// Qt hands a widget the pointer's position rounded to whole logical pixels:
// the board took it so, and the last device pixel of a square stamped on the
// next square.
void TestHighDpi::stampsAndSelectsOnTheSquareUnderThePointer()
{
    QFETCH(QPoint, square);
    QFETCH(bool, lastDevicePixel);
    const int lastColumnWidth = Board::Width - 59 * 13;
    const auto deviceOf = [&](int cell, int cellWidth) {
        return lastDevicePixel ? deviceStart(cell * 13 + cellWidth, ratio_) - 1
                               : deviceStart(cell * 13, ratio_);
    };
    const QPoint device(deviceOf(square.x(), square.x() == 59 ? lastColumnWidth : 13),
                        deviceOf(square.y(), 13));
    const QPoint corner = square * 13;

    WindowHarness h;
    QVERIFY(h.showActive());
    h.state().CurrentTile = 86;
    pointerAt(h.window, QEvent::MouseMove, device);
    QCOMPARE(QPoint(h.state().TileX, h.state().TileY), corner);
    pointerAt(h.window, QEvent::MouseButtonPress, device, Qt::LeftButton);
    pointerAt(h.window, QEvent::MouseButtonRelease, device, Qt::LeftButton);
    const QImage tile = h.editor.catalogue().picture(86);
    const QRect landed = QRect(corner, tile.size()).intersected(Board::area());
    QCOMPARE(h.editor.board().map().copy(landed), tile.copy(landed.translated(-corner)));

    // The selection's corners, pressed and released on the same device pixel.
    QTest::mouseClick(h.window.BoutSelect, Qt::LeftButton);
    QCOMPARE(h.state().Mode, EditMode::SelectionArmed);
    // Back from the button, by way of another square.
    pointerAt(h.window, QEvent::MouseMove, device + QPoint(40, 40));
    pointerAt(h.window, QEvent::MouseMove, device);
    QCOMPARE(QPoint(h.state().GridX, h.state().GridY), corner);
    pointerAt(h.window, QEvent::MouseButtonPress, device, Qt::LeftButton);
    pointerAt(h.window, QEvent::MouseButtonRelease, device, Qt::LeftButton);
    QCOMPARE(QPoint(h.state().SelX1, h.state().SelY1), corner);
    QCOMPARE(QPoint(h.state().SelX2, h.state().SelY2), corner);
}

void TestHighDpi::savedBitmapKeepsTheBoardSize()
{
    WindowHarness h;
    QVERIFY(h.showActive());
    h.fake.dialogs.promptAnswers.enqueue(QStringLiteral("écran"));
    QTest::mouseClick(h.window.BoutSAVE, Qt::LeftButton);
    QVERIFY(h.folder.exists(QStringLiteral("écran.bmp")));
    QCOMPARE(h.folder.image(QStringLiteral("écran.bmp")).size(),
             QSize(Board::Width, Board::Height));
}

QTEST_MAIN(TestHighDpi)
#include "tst_highdpi.moc"
