#include "BoardController.h"

#include "Selection.h"
#include "app/Editor.h"

#include <cmath>

BoardController::BoardController(Editor &editor) : editor_(editor) {}

int BoardController::snap(double coordinate, int step)
{
    return step * int(std::floor(coordinate / step));
}

void BoardController::pointerMove(Qt::MouseButtons, QPointF position)
{
    EditorState &s = editor_.state();
    BoardModel &board = editor_.board();
    switch (s.Mode) {
    case EditMode::Placement:
        s.TileX = snap(position.x(), s.GridStep);
        s.TileY = snap(position.y(), s.GridStep);
        board.setPicture(board.committed());
        board.copyTile(editor_.catalogue().picture(s.CurrentTile), QPoint(s.TileX, s.TileY));
        editor_.flushBoard();
        break;
    case EditMode::SelectionArmed:
        s.GridX = snap(position.x(), s.GridStep);
        s.GridY = snap(position.y(), s.GridStep);
        if (s.GridX != s.MarkX || s.GridY != s.MarkY) {
            showCommitted();
            board.drawCircle(QPoint(s.GridX, s.GridY), 2, editor_.foreColor(), editor_.penWidth());
            s.MarkX = s.GridX;
            s.MarkY = s.GridY;
            editor_.flushBoard();
        }
        break;
    case EditMode::SelectionDragged:
        s.GridX = snap(position.x(), s.GridStep);
        s.GridY = snap(position.y(), s.GridStep);
        showCommitted();
        board.drawRectangle(QPointF(s.SelX1, s.SelY1), QPointF(s.GridX, s.GridY),
                            editor_.foreColor(), editor_.penWidth());
        editor_.flushBoard();
        break;
    case EditMode::SelectionMade:
        break;
    }
}

void BoardController::buttonPress(Qt::MouseButton button, QPointF)
{
    EditorState &s = editor_.state();
    if (button == Qt::LeftButton) {
        if (s.Mode == EditMode::Placement) {
            // The displayed board holds the preview drawn by the last move, so
            // the tile lands there whatever the position of the press.
            editor_.board().setUndoCopy(editor_.board().picture());
            editor_.CommitBoard();
        }
        if (s.Mode == EditMode::SelectionArmed) {
            s.SelX1 = s.GridX;
            s.SelY1 = s.GridY;
            s.Mode = EditMode::SelectionDragged;
        }
    }
    if (s.TileVariants > 0 && button == Qt::RightButton)
        turnCurrentTile();
}

void BoardController::turnCurrentTile()
{
    EditorState &s = editor_.state();
    if (s.VariantStep < s.TileVariants) {
        ++s.VariantStep;
        ++s.CurrentTile;
    } else {
        s.VariantStep = 0;
        s.CurrentTile -= s.TileVariants;
    }
}

void BoardController::buttonRelease(Qt::MouseButton button, QPointF)
{
    EditorState &s = editor_.state();
    if (button != Qt::LeftButton || s.Mode != EditMode::SelectionDragged)
        return;
    s.Mode = EditMode::SelectionMade;
    s.SelX2 = s.GridX;
    s.SelY2 = s.GridY;
    Editor::ToolButtons tools = editor_.tools();
    tools.erase = true;
    tools.move = true;
    editor_.setTools(tools);
}

void BoardController::character(int code)
{
    EditorState &s = editor_.state();
    if (code != EscapeCode || s.Mode == EditMode::Placement)
        return;
    Selection::end(editor_);
    showCommitted();
    editor_.flushBoard();
}

void BoardController::showCommitted()
{
    // A stamp leaves the board picture behind the committed board until the
    // next move in placement; the selection is drawn over the map as it is.
    // When the picture is up to date this only clears the drawings.
    BoardModel &board = editor_.board();
    board.setPicture(board.committed());
}

void BoardController::activate() { pointerMove(Qt::NoButton, QPointF(0, 0)); }
