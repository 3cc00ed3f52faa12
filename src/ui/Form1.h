#pragma once

#include <QWidget>

#include <memory>

class BoardCanvas;
class BoardController;
class Editor;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollBar;

// The main window: palette strip, board canvas and control panel at fixed
// positions over a light blue-violet background.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    static constexpr int ClientWidth = 1085;
    static constexpr int ClientHeight = 741;

    explicit Form1(Editor &editor, QWidget *parent = nullptr);
    ~Form1() override;

    // Runs the editor's start-up and places the board; false when the editor
    // cannot open.
    bool startUp();

    Editor &editor() { return editor_; }
    BoardController &controller() { return *controller_; }
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

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildPanel();
    void showTools();

    Editor &editor_;
    std::unique_ptr<BoardController> controller_;
    BoardCanvas *canvas_ = nullptr;
    bool shownOnce_ = false;
};
