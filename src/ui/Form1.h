#pragma once

#include "document/BoardController.h"

#include <QPointer>
#include <QWidget>

class BoardCanvas;
class Editor;
class Form_Fichier;
class PaletteStrip;
class PrintFrame;
class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QScrollBar;
class ShapeOutline;

// The main window: a menu bar over the client area, which holds the palette
// strip, board canvas and control panel at fixed positions over a light
// blue-violet background. It lays the controls out
// and connects them to the editor's commands; the editing state lives in the
// editor. It also runs the open dialog's life: the window is disabled while
// the dialog exists and given back, with its board preview replayed, when
// the dialog closes by either button or by the window manager.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    // The client area, under the menu bar; the window is as much higher
    // as the bar is.
    static constexpr int ClientWidth = 1085;
    static constexpr int ClientHeight = 741;
    // Where the window opens on the screen when not maximised.
    static constexpr int ScreenLeft = 11;
    static constexpr int ScreenTop = 30;
    static QColor background() { return QColor(128, 128, 255); }
    // The contact address on the banner.
    static const QString ContactAddress;

    explicit Form1(Editor &editor, QWidget *parent = nullptr);
    ~Form1() override;

    // Runs the editor's start-up and places the board; false when the editor
    // cannot open.
    bool startUp(bool keepStartDocument = false);

    Editor &editor() { return editor_; }
    BoardController &controller() { return controller_; }
    PaletteStrip *paletteStrip() const { return palette_; }
    BoardCanvas *board() const { return canvas_; }
    QMenuBar *menuBar() const { return menuBar_; }
    // The widget every control of the window lies on, under the menu bar.
    QWidget *clientArea() const { return client_; }
    // The open dialog while it is up.
    Form_Fichier *openDialog() const;

    // The controls of the panel, by their names.
    QPushButton *BoutOpen = nullptr;
    QPushButton *BoutSAVE = nullptr;
    QPushButton *BoutSelect = nullptr;
    QPushButton *BoutEfface = nullptr;
    QPushButton *BoutDeplace = nullptr;
    QPushButton *Command1 = nullptr; // print
    QPushButton *Command2 = nullptr; // exit
    QPushButton *Command3 = nullptr; // text editor
    QPushButton *Command4 = nullptr; // help
    QPushButton *Command6 = nullptr; // undo
    QAction *ActionRetablir = nullptr; // redo, by its keys
    PrintFrame *FramePrint = nullptr;
    QScrollBar *HScroll1 = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;
    ShapeOutline *Shape1 = nullptr;

public slots:
    // "&OPEN": shows the open dialog over the disabled window, once the user
    // had the choice to save a map that is not saved.
    void showOpenDialog();

protected:
    void showEvent(QShowEvent *event) override;
    // The window manager's close (title-bar button, Alt+F4, the desktop's
    // close at logout) and "&EXIT" alike ask before the editor ends.
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    // One bitmap file dropped on the window opens as a map of its folder.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildBackground();
    void buildPanel();
    void buildHidden();
    void orderTabs();
    void connectCommands();
    void buildMenuBar();
    QAction *addItem(QMenu *menu, const char *name, const QString &text,
                     const QList<QKeySequence> &keys);
    QAction *addButtonItem(QMenu *menu, const char *name, const QString &text,
                           const QList<QKeySequence> &keys, QPushButton *button);
    void showPrintPreview();
    void showAbout();
    void copyToClipboard();
    void pasteFromClipboard();
    void followClipboard();
    // Whether the map on the board may give way to another one.
    bool mayReplaceMap();
    void showTools();
    void showCaption(const QString &caption);
    void followRedo();
    void openChosenProject();
    void cancelOpen();
    void giveBackMainWindow();

    Editor &editor_;
    BoardController controller_;
    QMenuBar *menuBar_ = nullptr;
    QWidget *client_ = nullptr;
    QAction *pasteAction_ = nullptr;
    PaletteStrip *palette_ = nullptr;
    BoardCanvas *canvas_ = nullptr;
    QPointer<Form_Fichier> openDialog_;
    bool shownOnce_ = false;
};
