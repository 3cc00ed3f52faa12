#include "Form1.h"

#include "AccessibleWidgets.h"
#include "BoardCanvas.h"
#include "Fonts.h"
#include "Form_Fichier.h"
#include "PaletteStrip.h"
#include "PictureButton.h"
#include "PrintFrame.h"
#include "PrintZoneBarStyle.h"
#include "ShapeOutline.h"
#include "StretchedPicture.h"
#include "UiArt.h"
#include "document/Editor.h"
#include "document/EraseTool.h"
#include "document/ExitCommand.h"
#include "document/HelpCommand.h"
#include "document/MoveTool.h"
#include "document/OpenCommand.h"
#include "document/PrintCommand.h"
#include "document/PrintZone.h"
#include "document/SaveCommand.h"
#include "document/SelectTool.h"
#include "document/TextEditorCommand.h"
#include "document/UndoCommand.h"
#include "document/UnsavedMapGuard.h"
#include "output/PrintLayout.h"
#include "project/ProjectBrowser.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QWindow>

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

// Qt would report the window as a mere client area.
QAccessibleInterface *windowInterface(const QString &className, QObject *object)
{
    if (className == QLatin1String(Form1::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

void setColour(QWidget *widget, QPalette::ColorRole role, QColor colour)
{
    QPalette pal = widget->palette();
    pal.setColor(role, colour);
    widget->setPalette(pal);
}

} // namespace

Form1::Form1(Editor &editor, QWidget *parent)
    : QWidget(parent), editor_(editor), controller_(editor)
{
    AccessibleWidgets::install();
    static const bool windowInterfaceInstalled = [] {
        QAccessible::installFactory(windowInterface);
        return true;
    }();
    Q_UNUSED(windowInterfaceInstalled);
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
    palette_ = new PaletteStrip(editor_, this);
    canvas_ = new BoardCanvas(editor_, controller_, this);
    canvas_->move(200, 16);
    buildPanel();
    buildHidden();
    orderTabs();

    showCaption(editor_.caption());
    connect(&editor_, &Editor::captionChanged, this, &Form1::showCaption);
    connect(&editor_, &Editor::mapSavedChanged, this,
            [this](bool saved) { setWindowModified(!saved); });
    connect(&editor_, &Editor::toolsChanged, this, &Form1::showTools);
    showTools();
    connectCommands();
    addShortcuts();
    addRedo();
}

void Form1::showCaption(const QString &caption)
{
    // The desktop's mark of a map not saved follows the file name; a "[*]"
    // of the path itself is doubled to show as it is.
    QString title = caption;
    setWindowTitle(title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"))
                   + QStringLiteral("[*]"));
    setWindowModified(!editor_.mapSaved());
}

void Form1::addRedo()
{
    ActionRetablir = new QAction(QStringLiteral("&Rétablir"), this);
    ActionRetablir->setObjectName(QStringLiteral("ActionRetablir"));
    ActionRetablir->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    ActionRetablir->setShortcutContext(Qt::WindowShortcut);
    addAction(ActionRetablir);
    connect(ActionRetablir, &QAction::triggered, this, [this] { UndoCommand(editor_).redo(); });
    // Undo and redo act in placement, where the select button is enabled.
    const auto update = [this] {
        ActionRetablir->setEnabled(editor_.history().canRedo()
                                   && editor_.state().Mode == EditMode::Placement);
    };
    connect(&editor_.history(), &QUndoStack::canRedoChanged, this, update);
    connect(&editor_, &Editor::toolsChanged, this, update);
    update();
}

// The open dialog is a window of its own, with no parent to take it along.
Form1::~Form1() { delete openDialog_; }

Form_Fichier *Form1::openDialog() const { return openDialog_; }

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
    Image1->setAccessibleName(Editor::ProgramName);
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

void Form1::buildPanel()
{
    FramePrint = new PrintFrame(this);
    FramePrint->setGeometry(208, 600, 97, 89);
    FramePrint->setAccessibleName(QStringLiteral("Impression"));
    Command1 = makeButton(FramePrint, "Command1", QStringLiteral("&Print"), {8, 16, 73, 41},
                          QStringLiteral("Imprimer"));
    Command1->setFont(Fonts::caption(Fonts::Comic, 12));
    HScroll1 = new QScrollBar(Qt::Horizontal, FramePrint);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setGeometry(8, 64, 73, 17);
    HScroll1->setRange(PrintLayout::MinimumHeight, PrintLayout::MaximumHeight);
    HScroll1->setSingleStep(PrintLayout::SmallStep);
    HScroll1->setPageStep(PrintLayout::LargeStep);
    HScroll1->setValue(PrintLayout::StartHeight);
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
    order += palette_->entries();
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void Form1::showTools()
{
    const Editor::ToolButtons tools = editor_.tools();
    BoutSelect->setEnabled(tools.select);
    BoutDeplace->setEnabled(tools.move);
    BoutEfface->setEnabled(tools.erase);
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
        controller_.activate();
    }
}

void Form1::connectCommands()
{
    // Every value, from an arrow, the track or the end of a drag, and every
    // thumb position on the way redraw the print zone.
    connect(HScroll1, &QScrollBar::valueChanged, this,
            [this](int v) { PrintZone(editor_).setValue(v); });
    connect(HScroll1, &QScrollBar::sliderMoved, this,
            [this](int v) { PrintZone(editor_).setValue(v); });
    connect(FramePrint, &PrintFrame::pointerOverFrame, this,
            [this] { PrintZone(editor_).showFrame(); });
    connect(Command1, &QPushButton::clicked, this, [this] { PrintCommand(editor_).run(); });
    connect(Command3, &QPushButton::clicked, this, [this] { TextEditorCommand(editor_).run(); });
    connect(Command4, &QPushButton::clicked, this, [this] { HelpCommand(editor_).run(); });
    connect(Command2, &QPushButton::clicked, this, &QWidget::close);
    connect(BoutSAVE, &QPushButton::clicked, this, [this] { SaveCommand(editor_).run(); });
    connect(BoutOpen, &QPushButton::clicked, this, &Form1::showOpenDialog);
    connect(Command6, &QPushButton::clicked, this, [this] { UndoCommand(editor_).press(); });

    // The select, erase and move buttons disable themselves and hand the work
    // to the board: the keyboard goes there too, so Escape cancels a selection
    // at once instead of reaching whichever button the focus fell to.
    connect(BoutSelect, &QPushButton::clicked, this, [this] {
        SelectTool(editor_).press();
        canvas_->setFocus();
    });
    connect(BoutEfface, &QPushButton::clicked, this, [this] {
        EraseTool(editor_).press();
        canvas_->setFocus();
    });
    connect(BoutDeplace, &QPushButton::clicked, this, [this] {
        MoveTool(editor_).press();
        canvas_->setFocus();
    });
}

void Form1::addShortcuts()
{
    // Each shortcut clicks its panel button, wherever the focus is in the
    // window, so it runs the button's own command and does nothing while the
    // button is disabled.
    const QList<std::pair<QKeySequence, QPushButton *>> shortcuts = {
        {QKeySequence(Qt::CTRL | Qt::Key_Z), Command6},
        {QKeySequence(Qt::Key_Delete), BoutEfface},
        {QKeySequence(Qt::Key_Backspace), BoutEfface},
        {QKeySequence(Qt::CTRL | Qt::Key_S), BoutSAVE},
        {QKeySequence(Qt::CTRL | Qt::Key_O), BoutOpen},
        {QKeySequence(Qt::CTRL | Qt::Key_P), Command1},
        {QKeySequence(Qt::Key_F1), Command4},
        {QKeySequence(Qt::CTRL | Qt::Key_E), Command3},
        {QKeySequence(Qt::CTRL | Qt::Key_Q), Command2},
    };
    for (const auto &[keys, button] : shortcuts) {
        auto *shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, button, [button = button] {
            if (button->isEnabled())
                button->click();
        });
    }
}

void Form1::showOpenDialog()
{
    if (openDialog_ || !UnsavedMapGuard::mayDropMap(editor_))
        return;
    // No parent: a disabled window disables its child windows too.
    openDialog_ = new Form_Fichier(editor_.platform().folders, editor_.platform().dialogs);
    connect(openDialog_, &Form_Fichier::openPressed, this, &Form1::openChosenProject);
    connect(openDialog_, &Form_Fichier::cancelled, this, &Form1::cancelOpen);

    setEnabled(false);
    // Client area over client area, whatever frames the window manager adds.
    QRect client(QPoint(), openDialog_->size());
    client.moveCenter(geometry().center());
    openDialog_->setGeometry(client);
    openDialog_->winId();
    if (QWindow *window = openDialog_->windowHandle())
        window->setTransientParent(windowHandle());
    openDialog_->show();
    openDialog_->activateWindow();
    openDialog_->Command1->setFocus();
}

void Form1::openChosenProject()
{
    OpenCommand command(editor_);
    if (!command.confirm(openDialog_->browser().nameText()))
        return;
    const QString folder = openDialog_->browser().folder();
    const QString chosen = openDialog_->browser().chosenFileName();
    giveBackMainWindow();
    command.open(folder, chosen);
    // The main window is active again: its preview replays over the board,
    // showing the opened map at once in placement mode.
    controller_.activate();
}

void Form1::cancelOpen()
{
    giveBackMainWindow();
    controller_.activate();
}

void Form1::giveBackMainWindow()
{
    if (openDialog_)
        openDialog_->dismiss();
    setEnabled(true);
    activateWindow();
    canvas_->setFocus();
}

void Form1::closeEvent(QCloseEvent *event)
{
    // On No the window stays, and nothing else sees the close.
    if (!ExitCommand(editor_).run()) {
        event->ignore();
        return;
    }
    event->accept();
    if (openDialog_)
        openDialog_->dismiss();
    // At once, whatever events are still waiting: nothing is saved.
    QCoreApplication::exit(0);
}
