#include "BoardController.h"

#include "Editor.h"
#include "Selection.h"
#include "board/Board.h"

#include <algorithm>
#include <cmath>

BoardController::BoardController(Editor &editor) : editor_(editor) {}

void BoardController::pointerMove(Qt::MouseButtons, QPointF position)
{
    EditorState &s = editor_.state();
    BoardModel &board = editor_.board();
    const QPoint at(Board::snap(position.x(), s.GridStep), Board::snap(position.y(), s.GridStep));
    keyboardAt_ = at;
    switch (s.Mode) {
    case EditMode::Placement:
        s.TileX = at.x();
        s.TileY = at.y();
        board.clearDrawings();
        board.drawTile(editor_.catalogue().picture(s.CurrentTile), QPoint(s.TileX, s.TileY));
        editor_.flushBoard();
        break;
    case EditMode::SelectionArmed:
        s.GridX = at.x();
        s.GridY = at.y();
        if (s.GridX != s.MarkX || s.GridY != s.MarkY) {
            clearDrawings();
            board.drawCircle(QPoint(s.GridX, s.GridY), Selection::MarkRadius, Selection::ink(),
                             Selection::Pen);
            s.MarkX = s.GridX;
            s.MarkY = s.GridY;
            editor_.flushBoard();
        }
        break;
    case EditMode::SelectionDragged:
        s.GridX = at.x();
        s.GridY = at.y();
        clearDrawings();
        board.drawRectangle(QPointF(s.SelX1, s.SelY1), QPointF(s.GridX, s.GridY), Selection::ink(),
                            Selection::Pen);
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
            // The tile lands where the last move showed it, whatever the
            // position of the press.
            const BoardModel &board = editor_.board();
            editor_.changeMap(board.tileArea(), board.tilePixels(), board.tileWhole());
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
    clearDrawings();
    editor_.flushBoard();
}

bool BoardController::key(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat)
{
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const int step = editor_.state().GridStep;
    switch (key) {
    case Qt::Key_Left:
        stepKeyboard(QPoint(-step, 0));
        return true;
    case Qt::Key_Right:
        stepKeyboard(QPoint(step, 0));
        return true;
    case Qt::Key_Up:
        stepKeyboard(QPoint(0, -step));
        return true;
    case Qt::Key_Down:
        stepKeyboard(QPoint(0, step));
        return true;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!autoRepeat)
            pressAtKeyboard();
        return true;
    case Qt::Key_R:
        if (!autoRepeat) {
            buttonPress(Qt::RightButton, keyboardAt_);
            buttonRelease(Qt::RightButton, keyboardAt_);
            // The right button shows the turn at the next move; the keyboard
            // user sees it at once, and the next stamp lays what is shown.
            replayAtKeyboard();
        }
        return true;
    default:
        return false;
    }
}

QRect BoardController::keyboardRange() const
{
    const int step = editor_.state().GridStep;
    if (editor_.state().Mode == EditMode::Placement)
        return QRect(QPoint(0, 0), QPoint(Board::snap(Board::Width - 1, step),
                                          Board::snap(Board::Height - 1, step)));
    // The first grid points at or past the right and bottom edges.
    return QRect(QPoint(0, 0),
                 QPoint(-Board::snap(-Board::Width, step), -Board::snap(-Board::Height, step)));
}

void BoardController::stepKeyboard(QPoint step)
{
    // In mode 4 the pointer does nothing, so neither do the arrows.
    if (editor_.state().Mode == EditMode::SelectionMade)
        return;
    const QRect range = keyboardRange();
    const QPoint to = keyboardAt_ + step;
    pointerMove(keyboardButtons(), QPoint(std::clamp(to.x(), range.left(), range.right()),
                                          std::clamp(to.y(), range.top(), range.bottom())));
}

void BoardController::pressAtKeyboard()
{
    switch (editor_.state().Mode) {
    case EditMode::Placement:
        // The preview is drawn again first: the tile picked or turned since
        // the last move is the one laid, where the keyboard is.
        replayAtKeyboard();
        buttonPress(Qt::LeftButton, keyboardAt_);
        buttonRelease(Qt::LeftButton, keyboardAt_);
        break;
    case EditMode::SelectionArmed:
        buttonPress(Qt::LeftButton, keyboardAt_);
        break;
    case EditMode::SelectionDragged:
        buttonRelease(Qt::LeftButton, keyboardAt_);
        break;
    case EditMode::SelectionMade:
        break;
    }
}

void BoardController::replayAtKeyboard() { pointerMove(keyboardButtons(), keyboardAt_); }

Qt::MouseButtons BoardController::keyboardButtons() const
{
    return editor_.state().Mode == EditMode::SelectionDragged ? Qt::LeftButton : Qt::NoButton;
}

void BoardController::clearDrawings() { editor_.board().clearDrawings(); }

void BoardController::activate() { pointerMove(Qt::NoButton, QPointF(0, 0)); }
