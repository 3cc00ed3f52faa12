// The main window on a screen of a higher device pixel ratio. ctest runs this
// file with QT_SCALE_FACTOR at 2 and at 1.5; by hand it runs at 2.
#include "WindowHarness.h"
#include "board/BoardController.h"
#include "ui/BoardCanvas.h"
#include "ui/Fonts.h"

#include <QPushButton>

#include <cmath>

namespace {

const QPoint BoardOrigin(202, 26); // of the drawing area, in the window

// Where device pixel d shows logical pixel floor(d / ratio): the device
// pixels of logical pixels first to last - 1.
int deviceStart(int logical, qreal ratio) { return int(std::ceil(logical * ratio)); }

// A pointer event at a device pixel of the board's drawing area, as the
// window system reports it: the window receives the position in logical
// pixels, a fraction when the device pixel does not start a logical one.
void pointerAt(Form1 &window, QEvent::Type type, QPointF device,
               Qt::MouseButton button = Qt::NoButton)
{
    static int timestamp = 0;
    const qreal ratio = window.devicePixelRatio();
    const QPointF local = QPointF(BoardOrigin) + device / ratio;
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
    QCOMPARE(h.window.geometry(), QRect(11, 30, 1085, 741));
    QCOMPARE(h.window.board()->geometry(), QRect(200, 24, 777, 550));
    QCOMPARE(h.window.BoutSelect->geometry(), QRect(416, 600, 33, 33));
    const QImage shot = h.window.grab().toImage();
    QCOMPARE(shot.size(), QSize(deviceStart(1085, ratio_), deviceStart(741, ratio_)));
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
    const int lastColumnWidth = BoardModel::Width - 59 * 13;
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
    const QRect landed = QRect(corner, tile.size()).intersected(BoardModel::area());
    QCOMPARE(h.editor.board().committed().copy(landed), tile.copy(landed.translated(-corner)));

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
             QSize(BoardModel::Width, BoardModel::Height));
}

QTEST_MAIN(TestHighDpi)
#include "tst_highdpi.moc"
