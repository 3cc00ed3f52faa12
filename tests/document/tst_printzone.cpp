#include "EditorHarness.h"
#include "WindowHarness.h"
#include "document/PrintZone.h"
#include "ui/PrintFrame.h"

#include <QGroupBox>
#include <QProxyStyle>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

namespace {

constexpr QRgb Red = 0xffff0000;
constexpr QRgb Magenta = 0xffff00ff;

// Makes a magenta block the current tile and shows its preview there.
void showPreview(Editor &editor, QPoint at)
{
    pickSolidTile(editor, Magenta);
    BoardController(editor).pointerMove(Qt::NoButton, QPointF(at));
}

// Whether the board shows the frame of the state's zone: red on its right
// side, the board's own white inside it.
bool showsFrame(const Editor &editor)
{
    const QImage &board = editor.board().displayed();
    const EditorState &s = editor.state();
    const int right = qMin(int(s.PrintWidth), Board::Width - 1);
    return board.pixel(right, s.PrintHeight / 2) == Red
           && board.pixel(int(s.PrintWidth) / 2, s.PrintHeight / 2) != Red;
}

// A desktop style whose scroll bars jump to a click on the groove.
class JumpingStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_ScrollBar_LeftClickAbsolutePosition)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

class TestPrintZone : public QObject
{
    Q_OBJECT

private slots:
    void zoneFollowsTheBar_data();
    void zoneFollowsTheBar();
    void updateLeavesOnlyTheFrame();
    void frameDisplayKeepsWhatTheBoardShows();
    void barStepsAndThumbDrag();
    void grooveClickStepsByAPageOnAnyDesktop();
    void pointerOverFrameItselfShowsTheZone();
};

void TestPrintZone::zoneFollowsTheBar_data()
{
    QTest::addColumn<QList<int>>("values");
    QTest::addColumn<double>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("never used") << QList<int> {} << 770.0 << 544;
    QTest::newRow("away and back to 544") << QList<int> {538, 544} << 769.76 << 544;
    QTest::newRow("smallest") << QList<int> {100} << 141.5 << 100;
    QTest::newRow("one arrow step") << QList<int> {538} << 761.27 << 538;
    QTest::newRow("one track step") << QList<int> {534} << 755.61 << 534;
}

void TestPrintZone::zoneFollowsTheBar()
{
    QFETCH(QList<int>, values);
    QFETCH(double, width);
    QFETCH(int, height);
    EditorHarness h;
    for (int v : values)
        PrintZone(h.editor).setValue(v);
    if (values.isEmpty())
        QCOMPARE(h.state().PrintWidth, 770.0); // exactly, not 769.76
    QVERIFY2(qAbs(h.state().PrintWidth - width) < 1e-9,
             qPrintable(QString::number(h.state().PrintWidth, 'f', 12)));
    QCOMPARE(int(h.state().PrintHeight), height);
}

void TestPrintZone::updateLeavesOnlyTheFrame()
{
    EditorHarness h;
    showPreview(h.editor, QPoint(260, 260));
    PrintZone(h.editor).setValue(300);
    QVERIFY(showsFrame(h.editor));
    const BoardModel &board = h.editor.board();
    QCOMPARE(board.displayed().pixel(270, 270), board.map().pixel(270, 270));
}

void TestPrintZone::frameDisplayKeepsWhatTheBoardShows()
{
    EditorHarness h;
    PrintZone(h.editor).setValue(300);
    showPreview(h.editor, QPoint(260, 260));
    QVERIFY(!showsFrame(h.editor)); // the pointer move took the frame away
    PrintZone(h.editor).showFrame();
    QVERIFY(showsFrame(h.editor));
    QCOMPARE(h.editor.board().displayed().pixel(270, 270), Magenta);
}

void TestPrintZone::barStepsAndThumbDrag()
{
    WindowHarness w;
    QScrollBar *bar = w.window.HScroll1;
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(int(w.editor.state().PrintHeight), 538);
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    QCOMPARE(int(w.editor.state().PrintHeight), 528);
    QVERIFY(showsFrame(w.editor));

    // Every thumb position redraws, not only the value the drag ends on.
    bar->setTracking(false);
    bar->setSliderDown(true);
    for (int position : {400, 250, 101}) {
        bar->setSliderPosition(position);
        QCOMPARE(int(w.editor.state().PrintHeight), position);
        QVERIFY(showsFrame(w.editor));
    }
    bar->setSliderDown(false);
    bar->setValue(0);
    QCOMPARE(int(w.editor.state().PrintHeight), 100);
}

void TestPrintZone::grooveClickStepsByAPageOnAnyDesktop()
{
    WindowHarness w;
    auto *barStyle = qobject_cast<QProxyStyle *>(w.window.HScroll1->style());
    QVERIFY(barStyle);
    barStyle->setBaseStyle(new JumpingStyle);
    // Left of the thumb, which stands at the right end.
    QTest::mouseClick(w.window.HScroll1, Qt::LeftButton, {}, QPoint(25, 8));
    QCOMPARE(int(w.editor.state().PrintHeight), 534);
}

void TestPrintZone::pointerOverFrameItselfShowsTheZone()
{
    WindowHarness w;
    w.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    showPreview(w.editor, QPoint(260, 260));

    // Over the button inside the frame: nothing.
    QTest::mouseMove(w.window.Command1, QPoint(20, 20));
    QVERIFY(!showsFrame(w.editor));
    // Over the frame beside the button: the zone, over the preview.
    QTest::mouseMove(w.window.FramePrint, QPoint(88, 40));
    QVERIFY(showsFrame(w.editor));
    QCOMPARE(w.editor.board().displayed().pixel(270, 270), Magenta);
}

QTEST_MAIN(TestPrintZone)
#include "tst_printzone.moc"
