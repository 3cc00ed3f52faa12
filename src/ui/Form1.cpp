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
#include "document/ClipboardCommand.h"
#include "document/DroppedMap.h"
#include "document/Editor.h"
#include "document/EraseTool.h"
#include "document/ExitCommand.h"
#include "document/ExportCommand.h"
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
#include "platform/Dialogs.h"
#include "platform/Printer.h"
#include "project/ProjectBrowser.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
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

// Keeps a menu item enabled exactly while its button is, the window's own
// state included.
class EnabledFollower : public QObject
{
public:
    EnabledFollower(QPushButton *button, QAction *action)
        : QObject(action), button_(button), action_(action)
    {
        action_->setEnabled(button_->isEnabled());
        button_->installEventFilter(this);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::EnabledChange)
            action_->setEnabled(button_->isEnabled());
        return false;
    }

private:
    QPushButton *button_;
    QAction *action_;
};

// The keys of an item: its own, then Qt's standard ones for the platform,
// each once.
QList<QKeySequence> keysWith(QList<QKeySequence> keys, QKeySequence::StandardKey standard)
{
    for (const QKeySequence &key : QKeySequence::keyBindings(standard))
        if (!keys.contains(key))
            keys.append(key);
    return keys;
}

void setColour(QWidget *widget, QPalette::ColorRole role, QColor colour)
{
    QPalette pal = widget->palette();
    pal.setColor(role, colour);
    widget->setPalette(pal);
}

} // namespace

const QString Form1::ContactAddress = QStringLiteral("vantorel@example.org");

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
    setColour(this, QPalette::Window, background());
    setAutoFillBackground(true);
    // Every control of the window shows a caption fixed in the program; the
    // dialogs, which show what the user typed, have fonts of their own.
    setFont(Fonts::caption(Fonts::SansSerif, 8.25));

    // Creation order is stacking order: what is drawn on the window's
    // background comes first, beneath the palette, the board and the panel.
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("ClientArea"));
    // Drawn on its own, the client area shows the window's background.
    client_->setAutoFillBackground(true);
    buildBackground();
    palette_ = new PaletteStrip(editor_, client_);
    canvas_ = new BoardCanvas(editor_, controller_, client_);
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
    buildMenuBar();
    const int barHeight = menuBar_->sizeHint().height();
    menuBar_->setGeometry(0, 0, ClientWidth, barHeight);
    client_->setGeometry(0, barHeight, ClientWidth, ClientHeight);
    setGeometry(ScreenLeft, ScreenTop, ClientWidth, barHeight + ClientHeight);
    setAcceptDrops(true);
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

void Form1::followRedo()
{
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
    Shape1 = new ShapeOutline(QColor(64, 0, 64), 2, client_);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(200, 592, 777, 113);
    Shape1->setAccessibleName(QStringLiteral("Panneau de commandes"));

    Image1 = new StretchedPicture(client_);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(640, 600, 315, 93);
    Image1->setPixmap(UiArt::banner());
    Image1->setAccessibleName(Editor::ProgramName);
    Image1->setAccessibleDescription(QStringLiteral("Bannière du programme"));

    // The credit line lies on the banner with no background of its own.
    Label1 = new QLabel(ContactAddress + QStringLiteral(", 1998"), client_);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(647, 672, 193, 25);
    Label1->setFont(Fonts::caption(Fonts::Narrow, 12, true));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setAutoFillBackground(false);
    setColour(Label1, QPalette::WindowText, QColor(255, 255, 192));
}

void Form1::buildPanel()
{
    FramePrint = new PrintFrame(client_);
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
    BoutOpen = makeButton(client_, "BoutOpen", QStringLiteral("&OPEN"), {328, 600, 65, 33},
                          QStringLiteral("Ouvrir un projet"));
    BoutOpen->setFont(comic);
    BoutSAVE = makeButton(client_, "BoutSAVE", QStringLiteral("&SAVE"), {328, 656, 65, 33},
                          QStringLiteral("Enregistrer le projet"));
    BoutSAVE->setFont(comic);
    BoutSelect = makeGraphicButton(
        client_, "BoutSelect", QStringLiteral("select"), QStringLiteral("Sélectionner un bloc"),
        QStringLiteral("Rectangle en pointillés avec un petit pointeur"), {416, 600, 33, 33});
    BoutEfface = makeGraphicButton(
        client_, "BoutEfface", QStringLiteral("erase"), QStringLiteral("Effacer la sélection"),
        QStringLiteral("Crayon dont la gomme efface un gribouillis"), {472, 600, 33, 33});
    BoutDeplace = makeGraphicButton(
        client_, "BoutDeplace", QStringLiteral("move"), QStringLiteral("Déplacer la sélection"),
        QStringLiteral("Flèche du pointeur avec une croix de déplacement"), {528, 600, 33, 33});
    Command4 = makeButton(client_, "Command4", QStringLiteral("?"), {576, 600, 49, 33},
                          QStringLiteral("Aide"));
    Command4->setFont(Fonts::caption(Fonts::SansSerif, 18));
    Command6
        = makeGraphicButton(client_, "Command6", QStringLiteral("undo"),
                            QStringLiteral("Annuler la dernière modification"),
                            QStringLiteral("Flèche courbe vers la gauche"), {416, 656, 33, 33});
    Command3 = makeButton(client_, "Command3", QStringLiteral("Text Editor"), {472, 656, 89, 33},
                          QStringLiteral("Éditeur de texte du scénario"));
    Command3->setFont(comic);
    Command2 = makeButton(client_, "Command2", QStringLiteral("&EXIT"), {576, 656, 49, 33},
                          QStringLiteral("Quitter"));
    Command2->setFont(comic);
}

void Form1::buildHidden()
{
    makeHiddenHolder(client_, "PictureSave", QSize(89, 105));
    QFrame *blank = makeHiddenHolder(client_, "PictureFond", QSize(793, 558));
    setColour(blank, QPalette::Window, Qt::white);
    auto *committed = new QLabel(client_);
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

bool Form1::startUp(bool keepStartDocument)
{
    if (!editor_.startUp(keepStartDocument))
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

void Form1::buildMenuBar()
{
    menuBar_ = new QMenuBar(this);
    menuBar_->setObjectName(QStringLiteral("MenuBar"));
    menuBar_->setAccessibleName(QStringLiteral("Barre de menus"));
    // A desktop's menu bar, apart from the window's own colours; its captions keep
    // the window's font, which start-up has loaded already.
    QPalette desktop = QApplication::palette(menuBar_);
    desktop.setResolveMask(~QPalette::ResolveMask(0));
    menuBar_->setPalette(desktop);
    menuBar_->setAutoFillBackground(true);
    const auto ctrl = [](Qt::Key key) { return QKeySequence(Qt::CTRL | key); };

    QMenu *file = menuBar_->addMenu(QStringLiteral("&Fichier"));
    file->setObjectName(QStringLiteral("MenuFichier"));
    addButtonItem(file, "ActionOuvrir", QStringLiteral("&Ouvrir…"),
                  keysWith({ctrl(Qt::Key_O)}, QKeySequence::Open), BoutOpen);
    addButtonItem(file, "ActionEnregistrer", QStringLiteral("&Enregistrer…"),
                  keysWith({ctrl(Qt::Key_S)}, QKeySequence::Save), BoutSAVE);
    file->addSeparator();
    connect(addItem(file, "ActionExporterImage", QStringLiteral("Exporter en &image…"), {}),
            &QAction::triggered, this, [this] { ExportCommand(editor_).exportImage(); });
    connect(addItem(file, "ActionExporterPdf", QStringLiteral("Exporter en P&DF…"), {}),
            &QAction::triggered, this, [this] { ExportCommand(editor_).exportPdf(); });
    file->addSeparator();
    connect(addItem(file, "ActionApercu", QStringLiteral("&Aperçu avant impression…"), {}),
            &QAction::triggered, this, &Form1::showPrintPreview);
    addButtonItem(file, "ActionImprimer", QStringLiteral("Im&primer"),
                  keysWith({ctrl(Qt::Key_P)}, QKeySequence::Print), Command1);
    addButtonItem(file, "ActionEditeurTexte", QStringLiteral("Éditeur de &texte"),
                  {ctrl(Qt::Key_E)}, Command3);
    file->addSeparator();
    addButtonItem(file, "ActionQuitter", QStringLiteral("&Quitter"),
                  keysWith({ctrl(Qt::Key_Q)}, QKeySequence::Quit), Command2);

    QMenu *edit = menuBar_->addMenu(QStringLiteral("É&dition"));
    edit->setObjectName(QStringLiteral("MenuEdition"));
    addButtonItem(edit, "ActionAnnuler", QStringLiteral("&Annuler"),
                  keysWith({ctrl(Qt::Key_Z)}, QKeySequence::Undo), Command6);
    // Rétablir has no button: it follows the history and the mode.
    ActionRetablir
        = addItem(edit, "ActionRetablir", QStringLiteral("&Rétablir"),
                  keysWith({ctrl(Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
                           QKeySequence::Redo));
    followRedo();
    edit->addSeparator();
    connect(addItem(edit, "ActionCopier", QStringLiteral("&Copier"),
                    keysWith({ctrl(Qt::Key_C)}, QKeySequence::Copy)),
            &QAction::triggered, this, &Form1::copyToClipboard);
    pasteAction_ = addItem(edit, "ActionColler", QStringLiteral("C&oller"),
                           keysWith({ctrl(Qt::Key_V)}, QKeySequence::Paste));
    connect(pasteAction_, &QAction::triggered, this, &Form1::pasteFromClipboard);
    edit->addSeparator();
    addButtonItem(edit, "ActionSelectionner", QStringLiteral("&Sélectionner"), {}, BoutSelect);
    addButtonItem(edit, "ActionEffacer", QStringLiteral("E&ffacer"),
                  keysWith({QKeySequence(Qt::Key_Delete), QKeySequence(Qt::Key_Backspace)},
                           QKeySequence::Delete),
                  BoutEfface);
    addButtonItem(edit, "ActionDeplacer", QStringLiteral("&Déplacer"), {}, BoutDeplace);

    QMenu *help = menuBar_->addMenu(QStringLiteral("&Aide"));
    help->setObjectName(QStringLiteral("MenuAide"));
    addButtonItem(help, "ActionAide", QStringLiteral("&Aide"),
                  keysWith({QKeySequence(Qt::Key_F1)}, QKeySequence::HelpContents), Command4);
    connect(addItem(help, "ActionAPropos", QStringLiteral("À &propos de Vantorel Editor"), {}),
            &QAction::triggered, this, &Form1::showAbout);

    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &Form1::followClipboard);
    followClipboard();
}

QAction *Form1::addItem(QMenu *menu, const char *name, const QString &text,
                        const QList<QKeySequence> &keys)
{
    auto *action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(name));
    // The keys work wherever the focus is in the window, menus closed.
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    menu->addAction(action);
    return action;
}

QAction *Form1::addButtonItem(QMenu *menu, const char *name, const QString &text,
                              const QList<QKeySequence> &keys, QPushButton *button)
{
    QAction *action = addItem(menu, name, text, keys);
    new EnabledFollower(button, action);
    // The button's own click runs its command, its focus moves included.
    connect(action, &QAction::triggered, button, [button] {
        if (button->isEnabled())
            button->click();
    });
    return action;
}

void Form1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (menuBar_)
        menuBar_->resize(width(), menuBar_->height());
}

void Form1::showPrintPreview()
{
    auto *preview = new QPrintPreviewDialog(this);
    preview->setObjectName(QStringLiteral("ApercuAvantImpression"));
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->setWindowTitle(QStringLiteral("Aperçu avant impression"));
    preview->printer()->setPageOrientation(QPageLayout::Landscape);
    preview->printer()->setDocName(Editor::ProgramName);
    connect(preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *printer) {
        const PrintCommand::Page page = PrintCommand::page(editor_);
        QPainter painter(printer);
        Printer::drawPage(painter, printer->resolution(), page.picture, page.targetTwips);
    });
    preview->open();
}

void Form1::showAbout()
{
    editor_.platform().dialogs.message(
        {QStringLiteral("%1\nVersion %2\n%3")
             .arg(Editor::ProgramName, QCoreApplication::applicationVersion(), ContactAddress),
         QStringLiteral("À propos de %1").arg(Editor::ProgramName), Dialogs::Buttons::Ok,
         Dialogs::Icon::Information, Dialogs::Answer::Ok});
}

void Form1::copyToClipboard()
{
    QGuiApplication::clipboard()->setImage(ClipboardCommand::copied(editor_));
}

void Form1::pasteFromClipboard()
{
    if (ClipboardCommand::paste(editor_, controller_, QGuiApplication::clipboard()->image()))
        canvas_->setFocus();
}

void Form1::followClipboard()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    pasteAction_->setEnabled(data && data->hasImage());
}

bool Form1::mayReplaceMap() { return UnsavedMapGuard::mayDropMap(editor_); }

void Form1::dragEnterEvent(QDragEnterEvent *event)
{
    if (!DroppedMap::bitmapOf(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void Form1::dragMoveEvent(QDragMoveEvent *event)
{
    if (!DroppedMap::bitmapOf(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent *event)
{
    const QString path = DroppedMap::bitmapOf(event->mimeData());
    if (path.isEmpty() || openDialog_ || !mayReplaceMap()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    if (OpenCommand(editor_).openFile(path))
        controller_.activate();
}

void Form1::showOpenDialog()
{
    if (openDialog_ || !UnsavedMapGuard::mayDropMap(editor_))
        return;
    // No parent: a disabled window disables its child windows too. The
    // dialog shows the program folder, where SAVE writes, whatever folder
    // the editor was started from.
    openDialog_ = new Form_Fichier(editor_.platform().folders, editor_.platform().dialogs,
                                   editor_.folder().path());
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
