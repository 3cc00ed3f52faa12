#pragma once

#include <QPointF>
#include <Qt>

class Editor;

// What the pointer and the keyboard do on the board: the tile preview on the
// grid, stamping, turning the current tile, the pointer work of the
// selection cycle and cancelling a selection.
class BoardController
{
public:
    explicit BoardController(Editor &editor);

    // A coordinate snapped to the grid: the top-left corner of its cell,
    // flooring towards minus infinity.
    static int snap(double coordinate, int step);

    void pointerMove(Qt::MouseButtons held, QPointF position);
    void buttonPress(Qt::MouseButton button, QPointF position);
    void buttonRelease(Qt::MouseButton button, QPointF position);
    // A character typed on the board; only Escape means something.
    void character(int code);

    // The main window became active: a move to (0, 0) with nothing held.
    void activate();

    static constexpr int EscapeCode = 27;

private:
    void turnCurrentTile();
    // Clears the drawings over the committed board.
    void showCommitted();

    Editor &editor_;
};
