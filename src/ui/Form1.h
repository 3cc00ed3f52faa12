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
class QPushButton;
class QScrollBar;
class ShapeOutline;

// The main window: palette strip, board canvas and control panel at fixed
// positions over a light blue-violet background. It lays the controls out
// and connects them to the editor's commands; the editing state lives in the
// editor. It also runs the open dialog's life: the window is disabled while
// the dialog exists and given back, with its board preview replayed, when
// the dialog closes by either button or by the window manager.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    static constexpr int ClientWidth = 1085;
    static constexpr int ClientHeight = 741;
    // Where the client area opens on the screen when not maximised.
    static constexpr int ScreenLeft = 11;
    static constexpr int ScreenTop = 30;
    static QColor background() { return QColor(128, 128, 255); }

    explicit Form1(Editor &editor, QWidget *parent = nullptr);
    ~Form1() override;

    // Runs the editor's start-up and places the board; false when the editor
    // cannot open.
    bool startUp();

    Editor &editor() { return editor_; }
    BoardController &controller() { return controller_; }
    PaletteStrip *paletteStrip() const { return palette_; }
    BoardCanvas *board() const { return canvas_; }
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

private:
    void buildBackground();
    void buildPanel();
    void buildHidden();
    void orderTabs();
    void connectCommands();
    void addShortcuts();
    void showTools();
    void showCaption(const QString &caption);
    void addRedo();
    void openChosenProject();
    void cancelOpen();
    void giveBackMainWindow();

    Editor &editor_;
    BoardController controller_;
    PaletteStrip *palette_ = nullptr;
    BoardCanvas *canvas_ = nullptr;
    QPointer<Form_Fichier> openDialog_;
    bool shownOnce_ = false;
};
