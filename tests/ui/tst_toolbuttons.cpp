#include "TestPictures.h"
#include "WindowHarness.h"
#include "ui/BoardCanvas.h"

#include <QMouseEvent>
#include <QPushButton>
#include <QtTest>

namespace {

// The main window on the patterned map, driven through its real buttons and
// real mouse events on the board.
struct ToolWindow : WindowHarness {
    QImage map = patternedMap();

    ToolWindow()
    {
        if (!started)
            qFatal("the editor did not start");
        editor.board().setMap(map);
        window.show();
    }

    void click(const char *name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }

    // A mouse event at a board position, as the window system delivers it.
    void mouse(QEvent::Type type, QPointF boardPosition, Qt::MouseButton button,
               Qt::MouseButtons held)
    {
        const QPointF local = boardPosition + QPointF(2, 2); // inside the sunken border
        QMouseEvent event(type, local, window.board()->mapToGlobal(local), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(window.board(), &event);
    }

    void drag(QPointF from, QPointF to)
    {
        mouse(QEvent::MouseMove, from, Qt::NoButton, Qt::NoButton);
        mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        mouse(QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
        mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    }

    // Which of select, move and erase the window shows enabled.
    Editor::ToolButtons shown() const
    {
        return {window.BoutSelect->isEnabled(), window.BoutDeplace->isEnabled(),
                window.BoutEfface->isEnabled()};
    }

    // What the board canvas paints at a board position.
    QRgb painted(QPoint boardPoint) const
    {
        return window.board()->grab().toImage().pixel(boardPoint + QPoint(2, 2));
    }
};

const Editor::ToolButtons placementTools {true, false, false};

} // namespace

class TestToolButtons : public QObject
{
    Q_OBJECT

private slots:
    void selectEraseAndUndoThroughTheWindow();
    void selectMoveAndStampThroughTheWindow();
};

void TestToolButtons::selectEraseAndUndoThroughTheWindow()
{
    ToolWindow w;
    QCOMPARE(w.shown(), placementTools);
    w.click("BoutSelect");
    QCOMPARE(w.editor.state().Mode, EditMode::SelectionArmed);
    QCOMPARE(w.shown(), (Editor::ToolButtons {false, false, false}));
    w.drag(QPointF(30, 5), QPointF(55, 60));
    QCOMPARE(w.editor.state().Mode, EditMode::SelectionMade);
    QCOMPARE(w.shown(), (Editor::ToolButtons {false, true, true}));

    w.click("BoutEfface");
    const QRect blanked(26, 0, 26, 52);
    QCOMPARE(w.editor.board().map(), withBlank(w.map, blanked));
    QCOMPARE(w.folder.image("demo.bmp"), withBlank(w.map, blanked));
    QCOMPARE(w.shown(), placementTools);
    QCOMPARE(w.painted(QPoint(30, 10)), qRgb(255, 255, 255));

    w.click("Command6");
    QCOMPARE(w.editor.board().map(), w.map);
    QCOMPARE(w.painted(QPoint(30, 10)), w.map.pixel(30, 10));
}

void TestToolButtons::selectMoveAndStampThroughTheWindow()
{
    ToolWindow w;
    w.click("BoutSelect");
    w.drag(QPointF(13, 26), QPointF(52, 65));
    w.click("BoutDeplace");
    const QRect block(13, 26, 39, 39);
    QCOMPARE(w.editor.catalogue().picture(0), w.map.copy(block));
    QCOMPARE(w.folder.image("tiledeplace.bmp"), w.map.copy(block));
    QCOMPARE(w.editor.board().map(), withBlank(w.map, block));
    QCOMPARE(w.editor.state().CurrentTile, 0);
    QCOMPARE(w.shown(), placementTools);
    // Undo stays enabled throughout the cycle.
    QVERIFY(w.window.Command6->isEnabled());

    // The block follows the pointer and lands where it was cut from.
    w.mouse(QEvent::MouseMove, QPointF(20, 30), Qt::NoButton, Qt::NoButton);
    QCOMPARE(w.painted(QPoint(14, 27)), w.map.pixel(14, 27));
    w.mouse(QEvent::MouseButtonPress, QPointF(20, 30), Qt::LeftButton, Qt::LeftButton);
    w.mouse(QEvent::MouseButtonRelease, QPointF(20, 30), Qt::LeftButton, Qt::NoButton);
    QCOMPARE(w.editor.board().map(), w.map);
    QVERIFY(w.fake.dialogs.messages.isEmpty());
}

QTEST_MAIN(TestToolButtons)
#include "tst_toolbuttons.moc"
