#include "WindowHarness.h"
#include "document/BoardController.h"
#include "platform/QtDialogs.h"
#include "ui/BoardCanvas.h"
#include "ui/Fonts.h"
#include "ui/PaletteStrip.h"
#include "ui/PictureButton.h"
#include "ui/ShapeOutline.h"
#include "ui/UiArt.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAction>
#include <QFile>
#include <QFontDatabase>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleOptionSlider>

#include <memory>

namespace {

QString textOf(const QWidget *widget)
{
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    if (const auto *group = qobject_cast<const QGroupBox *>(widget))
        return group->title();
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    return {};
}

QColor pixelAt(const QImage &image, QPoint p) { return image.pixelColor(p); }

// The main window with the real message boxes and prompt, modal windows of
// their own that take the activation while they are up.
struct RealBoxWindow {
    ProgramFolderFixture folder;
    FakePlatform fake;
    QtDialogs dialogs;
    Editor editor {Platform {dialogs, fake.folders, fake.programs, fake.printer, fake.exports},
                   folder.path()};
    Form1 window {editor};
    bool started = window.startUp();

    RealBoxWindow() { dialogs.setParentWindow(&window); }

    // Answers the next modal box as soon as it is up.
    static void answerNextBox(const std::function<void(QWidget *)> &answer)
    {
        QTimer::singleShot(0, [answer] {
            if (QWidget *box = QApplication::activeModalWidget())
                answer(box);
            else
                answerNextBox(answer);
        });
    }
};

enum class Interruption { ExitQuestion, SavePrompt, OtherWindow };

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void window();
    void keepsControlPositionsWhenResized();
    void visibleControls_data();
    void visibleControls();
    void board();
    void hiddenControls_data();
    void hiddenControls();
    void graphicButtons_data();
    void graphicButtons();
    void builtInPicturesAreTheCommittedOnes_data();
    void builtInPicturesAreTheCommittedOnes();
    void creditLineOverTheBanner();
    void outlineBeneathThePanel();
    void printZoneBarShowsThumbAtRightEnd();
    void stackingOfBackgroundControls();
    void accessKeysPressTheirButton_data();
    void accessKeysPressTheirButton();
    void boardHasFocusAtStartEscapeReachesIt();
    void escapeRightAfterSelectCancelsIt();
    void tabOrder_data();
    void tabOrder();
    void substitutesAreInstalledFaces_data();
    void substitutesAreInstalledFaces();
    void shortcutsClickTheirButtonOnlyWhenEnabled_data();
    void shortcutsClickTheirButtonOnlyWhenEnabled();
    void enterPressesTheFocusedButtonOnly_data();
    void enterPressesTheFocusedButtonOnly();
    void controlsHaveFrenchAccessibleNames_data();
    void controlsHaveFrenchAccessibleNames();
    void printZoneBarTellsItsValueAndLeftLowersIt();
    void boxOrOtherWindowMovedThePreviewToTheCorner_data();
    void boxOrOtherWindowMovedThePreviewToTheCorner();
    void redoKeysAndTheUnsavedMarkFollowTheHistory();
};

void TestMainWindow::initTestCase() { Fonts::installSubstitutes(); }

void TestMainWindow::window()
{
    WindowHarness h;
    QVERIFY(h.started);
    // The menu bar sits over the client area, and the window is as much higher.
    const int bar = h.window.menuBar()->height();
    QVERIFY(bar > 0);
    QCOMPARE(h.window.menuBar()->geometry(), QRect(0, 0, 1085, bar));
    QCOMPARE(h.client().geometry(), QRect(0, bar, 1085, 741));
    QCOMPARE(h.window.geometry(), QRect(11, 30, 1085, 741 + bar));
    QCOMPARE(h.window.palette().color(QPalette::Window), QColor(128, 128, 255));
    QVERIFY(h.window.autoFillBackground());
    QCOMPARE(h.window.font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(h.window.font().pointSizeF(), 8.25);
    QCOMPARE(h.window.font().weight(), QFont::Normal);
    QCOMPARE(h.window.windowTitle().remove(QStringLiteral("[*]")), h.editor.caption());
    QVERIFY(
        h.window.windowTitle().remove(QStringLiteral("[*]")).endsWith(QStringLiteral("New.bmp")));

    // An ordinary resizable window.
    QVERIFY(h.window.minimumSize().width() < Form1::ClientWidth);
    QVERIFY(h.window.maximumSize().width() > Form1::ClientWidth);
    QVERIFY(!h.window.windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint));

    QVERIFY(h.showActive());
    const QImage shot = h.client().grab().toImage();
    QCOMPARE(shot.size(), QSize(1085, 741));
    QCOMPARE(pixelAt(shot, {2, 400}), QColor(128, 128, 255));
    QCOMPARE(pixelAt(shot, {1080, 300}), QColor(128, 128, 255));
}

void TestMainWindow::keepsControlPositionsWhenResized()
{
    WindowHarness h;
    QVERIFY(h.showActive());
    QHash<QWidget *, QRect> before;
    for (QWidget *child : h.client().findChildren<QWidget *>())
        before.insert(child, child->geometry());
    h.window.resize(700, 500);
    QTRY_COMPARE(h.window.size(), QSize(700, 500));
    h.window.resize(1200, 780);
    QTRY_COMPARE(h.window.size(), QSize(1200, 780));
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        QCOMPARE(it.key()->geometry(), it.value());
}

void TestMainWindow::visibleControls_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("rect"); // relative to the parent
    QTest::addColumn<QRect>("inWindow");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("enabled");

    const QString comic = QStringLiteral("Comic Sans MS");
    const QString sans = QStringLiteral("MS Sans Serif");
    const QString narrow = QStringLiteral("Arial Narrow");
    const QString window = QStringLiteral("ClientArea");
    const QString frame = QStringLiteral("FramePrint");

    auto row
        = [&](const char *name, const char *kind, const QString &parent, QRect rect, QRect inWindow,
              const QString &text, const QString &family, double points, bool bold, bool enabled) {
              QTest::newRow(name) << QString::fromLatin1(kind) << parent << rect << inWindow << text
                                  << family << points << bold << enabled;
          };
    row("FramePrint", "QGroupBox", window, {208, 600, 97, 89}, {208, 600, 97, 89}, "Printing", sans,
        8.25, false, true);
    row("Command1", "QPushButton", frame, {8, 16, 73, 41}, {216, 616, 73, 41}, "&Print", comic, 12,
        false, true);
    row("HScroll1", "QScrollBar", frame, {8, 64, 73, 17}, {216, 664, 73, 17}, "", sans, 8.25, false,
        true);
    row("BoutOpen", "QPushButton", window, {328, 600, 65, 33}, {328, 600, 65, 33}, "&OPEN", comic,
        9.75, true, true);
    row("BoutSAVE", "QPushButton", window, {328, 656, 65, 33}, {328, 656, 65, 33}, "&SAVE", comic,
        9.75, true, true);
    row("BoutSelect", "QPushButton", window, {416, 600, 33, 33}, {416, 600, 33, 33}, "", sans, 8.25,
        false, true);
    row("BoutEfface", "QPushButton", window, {472, 600, 33, 33}, {472, 600, 33, 33}, "", sans, 8.25,
        false, false);
    row("BoutDeplace", "QPushButton", window, {528, 600, 33, 33}, {528, 600, 33, 33}, "", sans,
        8.25, false, false);
    row("Command4", "QPushButton", window, {576, 600, 49, 33}, {576, 600, 49, 33}, "?", sans, 18,
        false, true);
    row("Command6", "QPushButton", window, {416, 656, 33, 33}, {416, 656, 33, 33}, "", sans, 8.25,
        false, true);
    row("Command3", "QPushButton", window, {472, 656, 89, 33}, {472, 656, 89, 33}, "Text Editor",
        comic, 9.75, true, true);
    row("Command2", "QPushButton", window, {576, 656, 49, 33}, {576, 656, 49, 33}, "&EXIT", comic,
        9.75, true, true);
    row("Image1", "QLabel", window, {640, 600, 315, 93}, {640, 600, 315, 93}, "", sans, 8.25, false,
        true);
    row("Label1", "QLabel", window, {647, 672, 193, 25}, {647, 672, 193, 25},
        "vantorel@example.org, 1998", narrow, 12, true, true);
    row("Shape1", "ShapeOutline", window, {200, 592, 777, 113}, {200, 592, 777, 113}, "", sans,
        8.25, false, true);
}

void TestMainWindow::visibleControls()
{
    QFETCH(QString, kind);
    QFETCH(QString, parent);
    QFETCH(QRect, rect);
    QFETCH(QRect, inWindow);
    QFETCH(QString, text);
    QFETCH(QString, family);
    QFETCH(double, points);
    QFETCH(bool, bold);
    QFETCH(bool, enabled);

    WindowHarness h;
    QVERIFY(h.showActive());
    QWidget *control = h.control(QTest::currentDataTag());
    QVERIFY2(control, QTest::currentDataTag());
    QVERIFY(control->inherits(kind.toLatin1()));
    QCOMPARE(control->parentWidget()->objectName(), parent);
    QCOMPARE(control->geometry(), rect);
    QCOMPARE(QRect(control->mapTo(&h.client(), QPoint(0, 0)), control->size()), inWindow);
    QCOMPARE(textOf(control), text);
    QCOMPARE(control->font().family(), family);
    QCOMPARE(control->font().pointSizeF(), points);
    QCOMPARE(control->font().weight(), bold ? QFont::Bold : QFont::Normal);
    QCOMPARE(control->isEnabled(), enabled);
    QVERIFY(control->isVisible());
}

void TestMainWindow::board()
{
    WindowHarness h;
    auto *canvas = h.control<BoardCanvas>("PictureMain");
    QVERIFY(canvas);
    QCOMPARE(canvas, h.window.board());
    QCOMPARE(canvas->parentWidget(), &h.client());
    // Placed at 200, 16 by design and moved to 200, 24 by start-up.
    QCOMPARE(canvas->geometry(), QRect(200, 24, 777, 550));
    QCOMPARE(canvas->contentsRect(), QRect(2, 2, 773, 546));
    QCOMPARE(canvas->frameShadow(), QFrame::Sunken);
    QCOMPARE(canvas->cursor().shape(), Qt::CrossCursor);
    QCOMPARE(h.editor.projectName(), QStringLiteral("New"));

    QVERIFY(h.showActive());
    const QImage shot = h.client().grab().toImage();
    // Tile 1 previewed at the board's origin by the activation, white beyond.
    const QImage tile = h.editor.catalogue().picture(1);
    QCOMPARE(shot.copy(202, 26, tile.width(), tile.height()).convertToFormat(QImage::Format_RGB32),
             tile);
    QCOMPARE(pixelAt(shot, {202 + 772, 26 + 545}), QColor(Qt::white));
    QCOMPARE(pixelAt(shot, {202 + 400, 26 + 300}), QColor(Qt::white));
}

void TestMainWindow::hiddenControls_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("drawingArea");
    QTest::newRow("PictureSave") << "QFrame" << QSize(89, 105) << QSize(85, 101);
    QTest::newRow("PictureFond") << "QFrame" << QSize(793, 558) << QSize(789, 554);
    QTest::newRow("Image2") << "QLabel" << QSize(136, 108) << QSize(136, 108);
}

void TestMainWindow::hiddenControls()
{
    QFETCH(QString, kind);
    QFETCH(QSize, size);
    QFETCH(QSize, drawingArea);
    WindowHarness h;
    QVERIFY(h.showActive());
    QWidget *control = h.control(QTest::currentDataTag());
    QVERIFY(control);
    QVERIFY(control->inherits(kind.toLatin1()));
    QCOMPARE(control->size(), size);
    QCOMPARE(control->contentsRect().size(), drawingArea);
    QVERIFY(!control->isVisible());
}

void TestMainWindow::graphicButtons_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("BoutSelect") << "select" << true;
    QTest::newRow("BoutEfface") << "erase" << false;
    QTest::newRow("BoutDeplace") << "move" << false;
    QTest::newRow("Command6") << "undo" << true;
}

void TestMainWindow::graphicButtons()
{
    QFETCH(QString, picture);
    QFETCH(bool, enabled);
    WindowHarness h;
    auto *button = h.control<QPushButton>(QTest::currentDataTag());
    QVERIFY(button);
    QVERIFY(button->text().isEmpty());
    QVERIFY(!button->toolTip().isEmpty());
    QCOMPARE(button->iconSize(), QSize(32, 32));
    QCOMPARE(button->isEnabled(), enabled);
    if (UiArt::buttonIcon(picture).isNull())
        QSKIP("the button pictures are not built in");

    QVERIFY(!button->icon().isNull());
    const QImage normal = button->icon().pixmap(32, 32, QIcon::Normal).toImage();
    const QImage greyed = button->icon().pixmap(32, 32, QIcon::Disabled).toImage();
    QCOMPARE(normal.size(), QSize(32, 32));
    QVERIFY(normal != greyed);

    // Drawn centred on the face, inside the button's 1-pixel edge, and a
    // pixel further down and right while held down.
    QVERIFY(h.showActive());
    auto *pictured = qobject_cast<PictureButton *>(button);
    QVERIFY(pictured);
    const QIcon::Mode mode = enabled ? QIcon::Normal : QIcon::Disabled;
    const QImage shown
        = button->icon().pixmap(32, 32, mode).toImage().convertToFormat(QImage::Format_ARGB32);
    auto showsPicture = [&](QPoint at) {
        const QImage face = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect inside = button->rect().adjusted(1, 1, -1, -1);
        int compared = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const QRgb p = shown.pixel(x, y);
                if (qAlpha(p) < 255 || !inside.contains(at + QPoint(x, y)))
                    continue;
                ++compared;
                if (face.pixel(at + QPoint(x, y)) != p)
                    return false;
            }
        return compared >= 16;
    };
    const QRect up = pictured->pictureRect();
    QCOMPARE(up.size(), QSize(32, 32));
    QVERIFY(std::abs(up.left() - (33 - up.right() - 1)) <= 1);
    QVERIFY(showsPicture(up.topLeft()));
    button->setDown(true);
    QCOMPARE(pictured->pictureRect().topLeft(), up.topLeft() + QPoint(1, 1));
    QVERIFY(showsPicture(up.topLeft() + QPoint(1, 1)));
}

void TestMainWindow::builtInPicturesAreTheCommittedOnes_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QPixmap>("builtIn");
    QTest::newRow("banner") << "banner.png" << UiArt::banner();
    for (const char *stem : {"select", "erase", "move", "undo"})
        QTest::newRow(stem) << QStringLiteral("%1.png").arg(stem)
                            << UiArt::buttonIcon(QString::fromLatin1(stem)).pixmap(32, 32);
    QTest::newRow("erase, 16 pixels") << "erase16.png" << UiArt::buttonIcon("erase").pixmap(16, 16);
    for (int size : {16, 32, 48, 64})
        QTest::newRow(qPrintable(QStringLiteral("icon, %1 pixels").arg(size)))
            << QStringLiteral("icon-%1.png").arg(size) << UiArt::programIcon().pixmap(size, size);
}

void TestMainWindow::builtInPicturesAreTheCommittedOnes()
{
    QFETCH(QString, file);
    QFETCH(QPixmap, builtIn);
    if (builtIn.isNull())
        QSKIP("the pictures are not built in");
    const QPixmap committed(ProgramFolderFixture::sourceAsset("assets/ui/" + file));
    QVERIFY(!committed.isNull());
    QCOMPARE(builtIn.toImage(), committed.toImage());
}

void TestMainWindow::creditLineOverTheBanner()
{
    WindowHarness h;
    auto *label = h.control<QLabel>("Label1");
    auto *banner = h.control<QLabel>("Image1");
    QCOMPARE(label->text().size(), 26);
    QVERIFY(label->text().contains(QStringLiteral("@example.org")));
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(255, 255, 192));
    QVERIFY(!label->autoFillBackground());
    QVERIFY(banner->hasScaledContents());
    if (!UiArt::banner().isNull())
        QCOMPARE(banner->pixmap().size(), QSize(283, 85));

    // The label has no background of its own: beyond its text the banner shows
    // through, and its text is drawn in pale yellow.
    QVERIFY(h.showActive());
    const QImage shot = h.client().grab().toImage();
    const QImage bannerAlone = banner->grab().toImage();
    const QPoint clear(647 + 190, 672 + 18);
    QCOMPARE(pixelAt(shot, clear), pixelAt(bannerAlone, clear - QPoint(640, 600)));
    bool yellow = false;
    for (int y = 672; y < 697 && !yellow; ++y)
        for (int x = 647; x < 840 && !yellow; ++x)
            yellow = pixelAt(shot, {x, y}) == QColor(255, 255, 192);
    QVERIFY(yellow);
}

void TestMainWindow::outlineBeneathThePanel()
{
    WindowHarness h;
    auto *shape = h.control<ShapeOutline>("Shape1");
    QCOMPARE(shape->colour(), QColor(64, 0, 64));
    QCOMPARE(shape->penWidth(), 2);
    QVERIFY(h.showActive());
    const QImage shot = h.client().grab().toImage();
    // Straight parts of the outline, 2 pixels wide, not filled.
    for (QPoint p : {QPoint(200, 650), QPoint(201, 650), QPoint(975, 650), QPoint(976, 650),
                     QPoint(580, 592), QPoint(580, 593), QPoint(580, 703), QPoint(580, 704)})
        QCOMPARE(pixelAt(shot, p), QColor(64, 0, 64));
    QCOMPARE(pixelAt(shot, {202, 650}), QColor(128, 128, 255));
    QCOMPARE(pixelAt(shot, {199, 650}), QColor(128, 128, 255));
    QCOMPARE(pixelAt(shot, {580, 595}), QColor(128, 128, 255));
    // The rounded corner leaves the rectangle's corner pixel empty.
    QCOMPARE(pixelAt(shot, {200, 592}), QColor(128, 128, 255));
    // The mouse goes through it to the window and the buttons.
    QCOMPARE(h.client().childAt(201, 650), nullptr);
    QCOMPARE(h.client().childAt(330, 602), h.window.BoutOpen);
}

void TestMainWindow::printZoneBarShowsThumbAtRightEnd()
{
    WindowHarness h;
    QScrollBar *bar = h.window.HScroll1;
    QCOMPARE(bar->orientation(), Qt::Horizontal);
    QCOMPARE(bar->minimum(), 100);
    QCOMPARE(bar->maximum(), 544);
    QCOMPARE(bar->value(), 544);
    QCOMPARE(bar->singleStep(), 6);
    QCOMPARE(bar->pageStep(), 10);
    bar->setValue(20);
    QCOMPARE(bar->value(), 100);
    bar->setValue(544);

    QVERIFY(h.showActive());
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = Qt::Horizontal;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.subControls = QStyle::SC_All;
    QStyle *style = bar->style();
    const QRect thumb
        = style->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
    const QRect groove
        = style->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarGroove, bar);
    QCOMPARE(thumb.right(), groove.right());
    QVERIFY(thumb.width() <= bar->height());

    // In the picture, the thumb stands out from the groove left of it.
    const QImage shot = bar->grab().toImage();
    const int y = bar->height() / 2;
    QVERIFY(shot.pixelColor(thumb.center().x(), y) != shot.pixelColor(groove.left() + 3, y));
}

void TestMainWindow::stackingOfBackgroundControls()
{
    WindowHarness h;
    const QObjectList &children = h.client().children();
    const qsizetype banner = children.indexOf(h.window.Image1);
    const qsizetype credit = children.indexOf(h.window.Label1);
    const qsizetype outline = children.indexOf(h.window.Shape1);
    QVERIFY(credit > banner);
    const qsizetype highestBackground = std::max({banner, credit, outline});
    for (QObject *child : children) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (!widget || widget == h.window.Image1 || widget == h.window.Label1
            || widget == h.window.Shape1)
            continue;
        QVERIFY2(children.indexOf(child) > highestBackground, qPrintable(child->objectName()));
    }
}

void TestMainWindow::accessKeysPressTheirButton_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::newRow("Alt+O opens") << "BoutOpen" << int(Qt::Key_O);
    QTest::newRow("Alt+S saves") << "BoutSAVE" << int(Qt::Key_S);
    QTest::newRow("Alt+P prints") << "Command1" << int(Qt::Key_P);
    QTest::newRow("Alt+E exits") << "Command2" << int(Qt::Key_E);
}

void TestMainWindow::accessKeysPressTheirButton()
{
    QFETCH(QString, button);
    QFETCH(int, key);
    WindowHarness h;
    QVERIFY(h.showActive());
    auto *target = h.window.findChild<QPushButton *>(button);
    QSignalSpy clicks(target, &QPushButton::clicked);
    // Without Alt the letter goes to the board and presses nothing.
    h.type(Qt::Key(key));
    QVERIFY(!target->isDown());
    // With it the button shows itself pressed for a moment, then clicks.
    h.type(Qt::Key(key), Qt::AltModifier);
    QVERIFY(target->isDown());
    QTRY_COMPARE(clicks.size(), 1);
}

void TestMainWindow::boardHasFocusAtStartEscapeReachesIt()
{
    WindowHarness h;
    QVERIFY(h.showActive());
    QCOMPARE(QApplication::focusWidget(), h.window.board());

    h.state().Mode = EditMode::SelectionMade;
    h.editor.setTools({false, true, true});
    h.type(Qt::Key_Escape);
    QCOMPARE(h.state().Mode, EditMode::Placement);
    QVERIFY(h.window.BoutSelect->isEnabled());
    QVERIFY(!h.window.BoutEfface->isEnabled());
    QVERIFY(!h.window.BoutDeplace->isEnabled());
}

// The select button disables itself when pressed; the focus must not fall to
// the next button, where Escape would do nothing.
void TestMainWindow::escapeRightAfterSelectCancelsIt()
{
    WindowHarness h;
    QVERIFY(h.showActive());
    QTest::mouseClick(h.window.BoutSelect, Qt::LeftButton);
    QCOMPARE(h.state().Mode, EditMode::SelectionArmed);
    QCOMPARE(QApplication::focusWidget(), h.window.board());
    h.type(Qt::Key_Escape);
    QCOMPARE(h.state().Mode, EditMode::Placement);
    QVERIFY(h.window.BoutSelect->isEnabled());
}

void TestMainWindow::tabOrder_data()
{
    QTest::addColumn<bool>("toolsEnabled");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("at start, disabled tools skipped")
        << false
        << QStringList {"Command2", "BoutSelect", "Command6", "Command3", "Command4",   "BoutOpen",
                        "BoutSAVE", "Command1",   "HScroll1", "Picture1", "PictureMain"};
    QTest::newRow("with a selection made")
        << true << QStringList {"Command2", "BoutEfface", "BoutDeplace", "BoutSelect", "Command6"};
}

void TestMainWindow::tabOrder()
{
    QFETCH(bool, toolsEnabled);
    QFETCH(QStringList, order);
    WindowHarness h;
    if (toolsEnabled)
        h.editor.setTools({true, true, true});
    QVERIFY(h.showActive());
    QCOMPARE(QApplication::focusWidget(), h.window.board());
    for (const QString &expected : order) {
        h.type(Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget());
        QCOMPARE(QApplication::focusWidget()->objectName(), expected);
    }
}

void TestMainWindow::substitutesAreInstalledFaces_data()
{
    QTest::addColumn<QString>("requested");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Comic Sans MS") << "Comic Sans MS"
                                   << "Comic Neue";
    QTest::newRow("MS Sans Serif") << "MS Sans Serif"
                                   << "Liberation Sans";
    QTest::newRow("Arial Narrow") << "Arial Narrow"
                                  << "Liberation Sans Narrow";
}

void TestMainWindow::substitutesAreInstalledFaces()
{
    QFETCH(QString, requested);
    QFETCH(QString, shown);
    if (QFontDatabase::hasFamily(requested))
        QSKIP("the requested face itself is installed");
    if (!QFontDatabase::hasFamily(shown))
        QSKIP("the look-alike face is not installed (scripts/setup.sh installs it)");
    QCOMPARE(QFontInfo(QFont(requested)).family(), shown);
}

Q_DECLARE_METATYPE(EditMode)

void TestMainWindow::shortcutsClickTheirButtonOnlyWhenEnabled_data()
{
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("focus"); // where the focus is when the keys are pressed
    QTest::addColumn<EditMode>("mode"); // with the tool buttons of that mode
    QTest::addColumn<int>("clicks");
    const QString board = QStringLiteral("PictureMain");
    const EditMode placing = EditMode::Placement;
    auto row = [](const char *name, QKeySequence keys, const char *button, const QString &focus,
                  EditMode mode, int clicks) {
        QTest::newRow(name) << keys << QString::fromLatin1(button) << focus << mode << clicks;
    };
    row("Ctrl+Z undoes", Qt::CTRL | Qt::Key_Z, "Command6", board, placing, 1);
    row("Delete erases the selection", Qt::Key_Delete, "BoutEfface", board, EditMode::SelectionMade,
        1);
    row("Backspace erases the selection", Qt::Key_Backspace, "BoutEfface", "HScroll1",
        EditMode::SelectionMade, 1);
    row("Delete while the erase button is disabled", Qt::Key_Delete, "BoutEfface", board,
        EditMode::SelectionDragged, 0);
    row("Backspace with no selection", Qt::Key_Backspace, "BoutEfface", board, placing, 0);
    row("Ctrl+S saves", Qt::CTRL | Qt::Key_S, "BoutSAVE", "Command6", placing, 1);
    row("Ctrl+O opens", Qt::CTRL | Qt::Key_O, "BoutOpen", "Picture1", placing, 1);
    row("Ctrl+P prints", Qt::CTRL | Qt::Key_P, "Command1", board, placing, 1);
    row("F1 shows the help", Qt::Key_F1, "Command4", "HScroll1", placing, 1);
    row("Ctrl+E opens the scenario", Qt::CTRL | Qt::Key_E, "Command3", board, placing, 1);
    row("Ctrl+Q asks to quit", Qt::CTRL | Qt::Key_Q, "Command2", board, placing, 1);
}

void TestMainWindow::shortcutsClickTheirButtonOnlyWhenEnabled()
{
    QFETCH(QKeySequence, keys);
    QFETCH(QString, button);
    QFETCH(QString, focus);
    QFETCH(EditMode, mode);
    QFETCH(int, clicks);
    WindowHarness h;
    QVERIFY(h.showActive());
    h.state().Mode = mode;
    h.editor.setTools({mode == EditMode::Placement, mode == EditMode::SelectionMade,
                       mode == EditMode::SelectionMade});
    if (focus == QLatin1String("Picture1"))
        h.window.paletteStrip()->focusEntry(1);
    else
        h.control(qPrintable(focus))->setFocus();
    QSignalSpy clicked(h.control<QPushButton>(qPrintable(button)), &QPushButton::clicked);
    const QKeyCombination combination = keys[0];
    h.type(combination.key(), combination.keyboardModifiers());
    QCOMPARE(clicked.size(), clicks);
    // The command ran as the button runs it, or not at all.
    if (button == QLatin1String("BoutEfface"))
        QCOMPARE(h.state().Mode, clicks ? EditMode::Placement : mode);
}

void TestMainWindow::enterPressesTheFocusedButtonOnly_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("pressed"); // empty: none
    QTest::newRow("Enter on undo") << "Command6" << int(Qt::Key_Return) << "Command6";
    QTest::newRow("keypad Enter on select") << "BoutSelect" << int(Qt::Key_Enter) << "BoutSelect";
    QTest::newRow("Space on help") << "Command4" << int(Qt::Key_Space) << "Command4";
    QTest::newRow("Enter on a captioned button") << "BoutSAVE" << int(Qt::Key_Return) << "BoutSAVE";
    QTest::newRow("Enter on the scroll bar") << "HScroll1" << int(Qt::Key_Return) << "";
}

void TestMainWindow::enterPressesTheFocusedButtonOnly()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(QString, pressed);
    WindowHarness h;
    QVERIFY(h.showActive());
    h.control(qPrintable(focus))->setFocus();
    QStringList clicks;
    for (QPushButton *button : h.window.findChildren<QPushButton *>()) {
        // Only the button with the focus stands as the default one.
        QCOMPARE(button->isDefault(), button->hasFocus());
        connect(button, &QPushButton::clicked,
                [&clicks, button] { clicks << button->objectName(); });
    }
    h.type(Qt::Key(key));
    QCOMPARE(clicks, pressed.isEmpty() ? QStringList() : QStringList(pressed));
}

void TestMainWindow::controlsHaveFrenchAccessibleNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QAccessible::Role>("role");
    QTest::addColumn<bool>("described"); // a description besides the name
    auto row = [](const char *control, const char *name, QAccessible::Role role, bool described) {
        QTest::newRow(control) << QString::fromUtf8(name) << role << described;
    };
    row("Form1", "", QAccessible::Window, false); // named by its title
    row("PictureMain", "Plan", QAccessible::Canvas, true);
    row("Command1", "Imprimer", QAccessible::Button, false);
    row("HScroll1", "Zone d'impression", QAccessible::ScrollBar, true);
    row("FramePrint", "Impression", QAccessible::Grouping, false);
    row("BoutOpen", "Ouvrir un projet", QAccessible::Button, false);
    row("BoutSAVE", "Enregistrer le projet", QAccessible::Button, false);
    row("BoutSelect", "Sélectionner un bloc", QAccessible::Button, true);
    row("BoutEfface", "Effacer la sélection", QAccessible::Button, true);
    row("BoutDeplace", "Déplacer la sélection", QAccessible::Button, true);
    row("Command6", "Annuler la dernière modification", QAccessible::Button, true);
    row("Command4", "Aide", QAccessible::Button, false);
    row("Command3", "Éditeur de texte du scénario", QAccessible::Button, false);
    row("Command2", "Quitter", QAccessible::Button, false);
    row("Image1", "Vantorel Editor", QAccessible::Graphic, true);
}

void TestMainWindow::controlsHaveFrenchAccessibleNames()
{
    QFETCH(QString, name);
    QFETCH(QAccessible::Role, role);
    QFETCH(bool, described);
    WindowHarness h;
    QVERIFY(h.showActive());
    QWidget *control = QTest::currentDataTag() == QByteArray("Form1")
                           ? static_cast<QWidget *>(&h.window)
                           : h.control(QTest::currentDataTag());
    QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(control);
    QVERIFY(spoken);
    QCOMPARE(spoken->role(), role);
    QCOMPARE(spoken->text(QAccessible::Name),
             name.isEmpty() ? h.window.windowTitle().remove(QStringLiteral("[*]")) : name);
    QCOMPARE(!spoken->text(QAccessible::Description).isEmpty(), described);
}

// Qt's scroll bars take Left as a step up, for vertical bars' sake: on this
// horizontal one the Left arrow moved the thumb to the right.
void TestMainWindow::printZoneBarTellsItsValueAndLeftLowersIt()
{
    WindowHarness h;
    QVERIFY(h.showActive());
    QAccessibleValueInterface *value
        = QAccessible::queryAccessibleInterface(h.window.HScroll1)->valueInterface();
    QVERIFY(value);
    QCOMPARE(value->currentValue().toInt(), 544);
    QCOMPARE(value->minimumValue().toInt(), 100);
    QCOMPARE(value->maximumValue().toInt(), 544);
    h.window.HScroll1->setFocus();
    h.type(Qt::Key_Left);
    QCOMPARE(value->currentValue().toInt(), 538);
    h.type(Qt::Key_Right);
    QCOMPARE(value->currentValue().toInt(), 544);
    h.type(Qt::Key_Home);
    QCOMPARE(value->currentValue().toInt(), 100);
}

void TestMainWindow::boxOrOtherWindowMovedThePreviewToTheCorner_data()
{
    QTest::addColumn<Interruption>("interruption");
    QTest::newRow("exit question answered No") << Interruption::ExitQuestion;
    QTest::newRow("save prompt cancelled") << Interruption::SavePrompt;
    QTest::newRow("another program's window, then back") << Interruption::OtherWindow;
}

// Each time the main window became active again, the preview was replayed at
// the board's corner: after any box, and on coming back from another program.
void TestMainWindow::boxOrOtherWindowMovedThePreviewToTheCorner()
{
    QFETCH(Interruption, interruption);
    RealBoxWindow w;
    w.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    w.window.controller().pointerMove(Qt::NoButton, QPointF(300, 200));
    const QImage shown = w.editor.board().displayed().copy();
    const auto files = w.folder.snapshot();

    switch (interruption) {
    case Interruption::ExitQuestion:
        RealBoxWindow::answerNextBox([](QWidget *box) {
            auto *question = qobject_cast<QMessageBox *>(box);
            QVERIFY(question);
            question->button(QMessageBox::No)->click();
        });
        QTest::mouseClick(w.window.Command2, Qt::LeftButton);
        break;
    case Interruption::SavePrompt:
        RealBoxWindow::answerNextBox([](QWidget *box) {
            auto *prompt = qobject_cast<QInputDialog *>(box);
            QVERIFY(prompt);
            prompt->reject();
        });
        QTest::mouseClick(w.window.BoutSAVE, Qt::LeftButton);
        break;
    case Interruption::OtherWindow: {
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        break;
    }
    }
    // The window system gives the activation back to the main window.
    w.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    QCOMPARE(w.editor.board().displayed(), shown);
    QCOMPARE(w.folder.snapshot(), files);
}

void TestMainWindow::redoKeysAndTheUnsavedMarkFollowTheHistory()
{
    WindowHarness h;
    QVERIFY(h.showActive());
    auto *redo = h.window.findChild<QAction *>(QStringLiteral("ActionRetablir"));
    QVERIFY(redo && !redo->isEnabled());
    QVERIFY(!h.window.isWindowModified());
    h.window.controller().pointerMove(Qt::NoButton, QPointF(40, 40));
    h.window.controller().buttonPress(Qt::LeftButton, QPointF(40, 40));
    const QImage stamped = h.editor.board().map();
    QVERIFY(h.window.isWindowModified());

    h.type(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(h.editor.board().map(), BoardModel::whiteBoard());
    QVERIFY(!h.window.isWindowModified());
    QVERIFY(redo->isEnabled());
    h.type(Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(h.editor.board().map(), stamped);
    h.type(Qt::Key_Z, Qt::ControlModifier);
    h.type(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(h.editor.board().map(), stamped);
    QVERIFY(h.window.isWindowModified());

    // Outside placement redo waits.
    h.type(Qt::Key_Z, Qt::ControlModifier);
    h.window.BoutSelect->click();
    QVERIFY(!redo->isEnabled());
    h.type(Qt::Key_Escape);
    QVERIFY(redo->isEnabled());
    h.type(Qt::Key_Y, Qt::ControlModifier);

    // OPEN on the map not saved asks first; Annuler keeps the dialog away.
    h.window.BoutOpen->click();
    QVERIFY(!h.window.openDialog());
    QCOMPARE(h.fake.dialogs.messages.last().buttons, Dialogs::Buttons::SaveDiscardCancel);
    h.fake.dialogs.answers.enqueue(Dialogs::Answer::Discard);
    h.window.BoutOpen->click();
    QVERIFY(h.window.openDialog());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
