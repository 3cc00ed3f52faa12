#include "Form1.h"

#include "AccessibleWidgets.h"
#include "BoardCanvas.h"
#include "Fonts.h"
#include "OutputBindings.h"
#include "PaletteEntry.h"
#include "PictureButton.h"
#include "PrintZoneBarStyle.h"
#include "ProjectBindings.h"
#include "ShapeOutline.h"
#include "ShortcutBindings.h"
#include "StretchedPicture.h"
#include "ToolBindings.h"
#include "UiArt.h"
#include "catalogue/TileTable.h"
#include "document/BoardController.h"
#include "document/Editor.h"
#include "document/PaletteSelection.h"

#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>

namespace {

QPushButton *placeButton(QPushButton *button, const char *name, QRect rect,
                         const QString &spokenName)
{
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(rect);
    // Outside a dialog no button is a default one; auto-default makes Enter
    // press the button that has the focus, as Space does, and that one only.
    button->setAutoDefault(true);
    // The captions are English; a screen reader says what the button does.
    button->setAccessibleName(spokenName);
    return button;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &text, QRect rect,
                        const QString &spokenName)
{
    return placeButton(new QPushButton(text, parent), name, rect, spokenName);
}

// A button that shows a 32 x 32 picture centred instead of a caption; the
// description tells what the picture shows.
QPushButton *makeGraphicButton(QWidget *parent, const char *name, const QString &picture,
                               const QString &tip, const QString &shows, QRect rect)
{
    QPushButton *button = placeButton(
        new PictureButton(UiArt::buttonIcon(picture), QSize(32, 32), parent), name, rect, tip);
    button->setToolTip(tip);
    button->setAccessibleDescription(shows);
    return button;
}

QFrame *makeHiddenHolder(QWidget *parent, const char *name, QSize size)
{
    auto *holder = new QFrame(parent);
    holder->setObjectName(QString::fromLatin1(name));
    holder->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    holder->setLineWidth(2);
    holder->resize(size);
    holder->hide();
    return holder;
}

void setColour(QWidget *widget, QPalette::ColorRole role, QColor colour)
{
    QPalette pal = widget->palette();
    pal.setColor(role, colour);
    widget->setPalette(pal);
}

} // namespace

Form1::Form1(Editor &editor, QWidget *parent)
    : QWidget(parent), editor_(editor), controller_(std::make_unique<BoardController>(editor)),
      palette_(std::make_unique<PaletteSelection>(editor))
{
    AccessibleWidgets::install();
    setObjectName(QStringLiteral("Form1"));
    setGeometry(ScreenLeft, ScreenTop, ClientWidth, ClientHeight);
    setColour(this, QPalette::Window, background());
    setAutoFillBackground(true);
    // Every control of the window shows a caption fixed in the program; the
    // dialogs, which show what the user typed, have fonts of their own.
    setFont(Fonts::caption(Fonts::SansSerif, 8.25));

    // Creation order is stacking order: what is drawn on the window's
    // background comes first, beneath the palette, the board and the panel.
    buildBackground();
    buildPalette();
    canvas_ = new BoardCanvas(editor_, *controller_, this);
    canvas_->move(200, 16);
    buildPanel();
    buildHidden();
    orderTabs();

    setWindowTitle(editor_.caption());
    connect(&editor_, &Editor::captionChanged, this, &QWidget::setWindowTitle);
    connect(&editor_, &Editor::toolsChanged, this, &Form1::showTools);
    showTools();

    bindings_ = {new OutputBindings(*this), new ProjectBindings(*this), new ToolBindings(*this),
                 new ShortcutBindings(*this)};
}

Form1::~Form1()
{
    // The binders filter the controls' events and act on the window: they go
    // while it is whole, not with its children once only a QWidget is left,
    // which still sends events to its controls as it closes.
    qDeleteAll(bindings_);
}

void Form1::buildBackground()
{
    Shape1 = new ShapeOutline(QColor(64, 0, 64), 2, this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(200, 592, 777, 113);
    Shape1->setAccessibleName(QStringLiteral("Panneau de commandes"));

    Image1 = new StretchedPicture(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(640, 600, 315, 93);
    Image1->setPixmap(UiArt::banner());
    Image1->setAccessibleName(QStringLiteral("Vantorel Editor"));
    Image1->setAccessibleDescription(QStringLiteral("Bannière du programme"));

    // The credit line lies on the banner with no background of its own.
    Label1 = new QLabel(QStringLiteral("vantorel@example.org, 1998"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(647, 672, 193, 25);
    Label1->setFont(Fonts::caption(Fonts::Narrow, 12, true));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setAutoFillBackground(false);
    setColour(Label1, QPalette::WindowText, QColor(255, 255, 192));
}

void Form1::buildPalette()
{
    for (int index : TileTable::paletteOrder()) {
        auto *entry = new PaletteEntry(index, editor_.catalogue().picture(index), this);
        connect(entry, &PaletteEntry::clicked, this, &Form1::pickPaletteEntry);
        connect(entry, &PaletteEntry::focusWanted, this, &Form1::focusPaletteEntry);
        paletteEntries_.insert(index, entry);
    }
    setPaletteTabStop(TileTable::paletteOrder().front());
}

void Form1::buildPanel()
{
    FramePrint = new QGroupBox(QStringLiteral("Printing"), this);
    FramePrint->setObjectName(QStringLiteral("FramePrint"));
    FramePrint->setGeometry(208, 600, 97, 89);
    FramePrint->setAccessibleName(QStringLiteral("Impression"));
    Command1 = makeButton(FramePrint, "Command1", QStringLiteral("&Print"), {8, 16, 73, 41},
                          QStringLiteral("Imprimer"));
    Command1->setFont(Fonts::caption(Fonts::Comic, 12));
    HScroll1 = new QScrollBar(Qt::Horizontal, FramePrint);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setGeometry(8, 64, 73, 17);
    HScroll1->setRange(100, 544);
    HScroll1->setSingleStep(6);
    HScroll1->setPageStep(10);
    HScroll1->setValue(544);
    HScroll1->setFocusPolicy(Qt::StrongFocus);
    // Qt inverts a scroll bar's keys for vertical bars' sake, which makes
    // Left move this horizontal one to the right.
    HScroll1->setInvertedControls(false);
    HScroll1->setAccessibleName(QStringLiteral("Zone d'impression"));
    HScroll1->setAccessibleDescription(
        QStringLiteral("Hauteur de la zone imprimée, en points du plan depuis son coin en haut à "
                       "gauche, de %1 à %2")
            .arg(HScroll1->minimum())
            .arg(HScroll1->maximum()));
    auto *thumbStyle = new PrintZoneBarStyle;
    thumbStyle->setParent(HScroll1);
    HScroll1->setStyle(thumbStyle);

    const QFont comic = Fonts::caption(Fonts::Comic, 9.75, true);
    BoutOpen = makeButton(this, "BoutOpen", QStringLiteral("&OPEN"), {328, 600, 65, 33},
                          QStringLiteral("Ouvrir un projet"));
    BoutOpen->setFont(comic);
    BoutSAVE = makeButton(this, "BoutSAVE", QStringLiteral("&SAVE"), {328, 656, 65, 33},
                          QStringLiteral("Enregistrer le projet"));
    BoutSAVE->setFont(comic);
    BoutSelect = makeGraphicButton(
        this, "BoutSelect", QStringLiteral("select"), QStringLiteral("Sélectionner un bloc"),
        QStringLiteral("Rectangle en pointillés avec un petit pointeur"), {416, 600, 33, 33});
    BoutEfface = makeGraphicButton(
        this, "BoutEfface", QStringLiteral("erase"), QStringLiteral("Effacer la sélection"),
        QStringLiteral("Crayon dont la gomme efface un gribouillis"), {472, 600, 33, 33});
    BoutDeplace = makeGraphicButton(
        this, "BoutDeplace", QStringLiteral("move"), QStringLiteral("Déplacer la sélection"),
        QStringLiteral("Flèche du pointeur avec une croix de déplacement"), {528, 600, 33, 33});
    Command4 = makeButton(this, "Command4", QStringLiteral("?"), {576, 600, 49, 33},
                          QStringLiteral("Aide"));
    Command4->setFont(Fonts::caption(Fonts::SansSerif, 18));
    Command6
        = makeGraphicButton(this, "Command6", QStringLiteral("undo"),
                            QStringLiteral("Annuler la dernière modification"),
                            QStringLiteral("Flèche courbe vers la gauche"), {416, 656, 33, 33});
    Command3 = makeButton(this, "Command3", QStringLiteral("Text Editor"), {472, 656, 89, 33},
                          QStringLiteral("Éditeur de texte du scénario"));
    Command3->setFont(comic);
    Command2 = makeButton(this, "Command2", QStringLiteral("&EXIT"), {576, 656, 49, 33},
                          QStringLiteral("Quitter"));
    Command2->setFont(comic);
}

void Form1::buildHidden()
{
    makeHiddenHolder(this, "PictureSave", QSize(89, 105));
    QFrame *blank = makeHiddenHolder(this, "PictureFond", QSize(793, 558));
    setColour(blank, QPalette::Window, Qt::white);
    auto *committed = new QLabel(this);
    committed->setObjectName(QStringLiteral("Image2"));
    committed->resize(136, 108);
    committed->hide();
}

void Form1::orderTabs()
{
    // The board comes first and has the focus when the window opens. The
    // palette comes last, one Tab stop whose arrows move within it, so
    // Shift+Tab from the board reaches it and Tab goes back.
    QList<QWidget *> order = {canvas_,  Command2, BoutEfface, BoutDeplace, BoutSelect, Command6,
                              Command3, Command4, BoutOpen,   BoutSAVE,    Command1,   HScroll1};
    for (int index : TileTable::paletteOrder())
        order.append(paletteEntries_.value(index));
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void Form1::setPaletteTabStop(int index)
{
    PaletteEntry *entry = paletteEntries_.value(index);
    if (!entry)
        return;
    // Only one entry at a time takes the focus, and never from a click: a
    // click leaves the keyboard where it was.
    if (PaletteEntry *previous = paletteEntries_.value(paletteTabStop_); previous != entry) {
        if (previous)
            previous->setFocusPolicy(Qt::NoFocus);
        entry->setFocusPolicy(Qt::TabFocus);
        paletteTabStop_ = index;
    }
}

void Form1::focusPaletteEntry(int index)
{
    setPaletteTabStop(index);
    if (PaletteEntry *entry = paletteEntries_.value(index))
        entry->setFocus(Qt::OtherFocusReason);
}

void Form1::showTools()
{
    const Editor::ToolButtons tools = editor_.tools();
    BoutSelect->setEnabled(tools.select);
    BoutDeplace->setEnabled(tools.move);
    BoutEfface->setEnabled(tools.erase);
}

void Form1::pickPaletteEntry(int index)
{
    const auto before = palette_->outline();
    const auto pickedBefore = palette_->picked();
    if (!palette_->pick(index))
        return;
    if (pickedBefore)
        paletteEntries_.value(*pickedBefore)->setPicked(false);
    paletteEntries_.value(index)->setPicked(true);
    // Tab comes back to the entry picked last; the frame of the keyboard
    // follows a pick within the palette.
    if (qobject_cast<PaletteEntry *>(QApplication::focusWidget()))
        focusPaletteEntry(index);
    else
        setPaletteTabStop(index);
    if (before)
        update(PaletteSelection::paintedArea(*before));
    update(PaletteSelection::paintedArea(*palette_->outline()));
}

void Form1::paintEvent(QPaintEvent *)
{
    // The frame lies on the background: the entry and its neighbours cover
    // whatever part of it falls under them.
    const auto outline = palette_->outline();
    if (!outline)
        return;
    QPainter painter(this);
    QPen pen(PaletteSelection::frameColour(), PaletteSelection::PenWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(QPointF(outline->topLeft()), QPointF(outline->bottomRight())));
}

bool Form1::startUp()
{
    if (!editor_.startUp())
        return false;
    canvas_->move(200, 24);
    canvas_->setFocus();
    return true;
}

void Form1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The window becomes the editor's active window at its first showing and
    // when the open dialog gives it back, nowhere else: its message boxes and
    // prompts, or another program taking the focus for a while, leave the
    // board as it was.
    if (!shownOnce_) {
        shownOnce_ = true;
        canvas_->setFocus();
        controller_->activate();
    }
}
