#pragma once

#include <QWidget>

#include <memory>

class BoardCanvas;
class BoardController;
class Editor;

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

    BoardController &controller() { return *controller_; }
    BoardCanvas *board() const { return canvas_; }

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    Editor &editor_;
    std::unique_ptr<BoardController> controller_;
    BoardCanvas *canvas_ = nullptr;
    bool shownOnce_ = false;
};
