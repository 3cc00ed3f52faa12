#pragma once

#include <QHash>
#include <QList>
#include <QWidget>

#include <memory>

class BoardCanvas;
class BoardController;
class Editor;
class PaletteEntry;
class PaletteSelection;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollBar;
class ShapeOutline;

// The main window: palette strip, board canvas and control panel at fixed
// positions over a light blue-violet background. It lays the controls out,
// draws the palette frame and forwards events; the editing state lives in
// the editor and in the command objects it owns.
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
    BoardController &controller() { return *controller_; }
    PaletteSelection &paletteSelection() { return *palette_; }
    BoardCanvas *board() const { return canvas_; }

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
    QGroupBox *FramePrint = nullptr;
    QScrollBar *HScroll1 = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;
    ShapeOutline *Shape1 = nullptr;

public slots:
    // A click on palette entry i.
    void pickPaletteEntry(int index);
    // Moves the keyboard focus to palette entry i.
    void focusPaletteEntry(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildBackground();
    void buildPalette();
    void buildPanel();
    void buildHidden();
    void orderTabs();
    void setPaletteTabStop(int index);
    void showTools();

    Editor &editor_;
    std::unique_ptr<BoardController> controller_;
    std::unique_ptr<PaletteSelection> palette_;
    BoardCanvas *canvas_ = nullptr;
    QHash<int, PaletteEntry *> paletteEntries_;
    int paletteTabStop_ = -1;
    // The panel buttons' commands, one binder per group of buttons.
    QList<QObject *> bindings_;
    bool shownOnce_ = false;
};
