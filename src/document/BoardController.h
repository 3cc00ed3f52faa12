#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <Qt>

class Editor;

// What the pointer and the keyboard do on the board: the tile preview on the
// grid, stamping, turning the current tile, the pointer work of the
// selection cycle and cancelling a selection. The keys draw without a mouse
// by replaying the pointer and its buttons at the keyboard's position, the
// grid point of the last pointer move.
class BoardController
{
public:
    explicit BoardController(Editor &editor);

    void pointerMove(Qt::MouseButtons held, QPointF position);
    void buttonPress(Qt::MouseButton button, QPointF position);
    void buttonRelease(Qt::MouseButton button, QPointF position);
    // A character typed on the board; only Escape means something.
    void character(int code);

    // A key pressed on the board, by its Qt::Key code. The arrows move the
    // pointer one grid square, Space and Enter press the left button there
    // as placement or the selection needs it, R turns the current tile as
    // the right button does. False for any other key, or one held with
    // Ctrl, Alt or Meta; a held Space, Enter or R counts once.
    bool key(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat = false);
    // The keyboard came to the board: the pointer is replayed where it
    // was, so the board shows what a key would act on.
    void replayAtKeyboard();
    QPoint keyboardPosition() const { return keyboardAt_; }
    // The grid points the arrows reach in the current mode. A tile's corner
    // stays on the board; a selection corner reaches the board's far edges,
    // so a block can take in the last, partial column.
    QRect keyboardRange() const;

    // The main window became active: a move to (0, 0) with nothing held.
    void activate();

    static constexpr int EscapeCode = 27;

private:
    void turnCurrentTile();
    void stepKeyboard(QPoint step);
    void pressAtKeyboard();
    // The buttons a pointer move replayed by the keyboard holds.
    Qt::MouseButtons keyboardButtons() const;
    void clearDrawings();

    Editor &editor_;
    QPoint keyboardAt_;
};
