#include "Selection.h"

#include "Editor.h"

#include <algorithm>
#include <cstdlib>

namespace Selection {

QRect block(const EditorState &state)
{
    const int left = std::min(state.SelX1, state.SelX2);
    const int top = std::min(state.SelY1, state.SelY2);
    const QRect drawn(left, top, std::abs(state.SelX2 - state.SelX1),
                      std::abs(state.SelY2 - state.SelY1));
    return drawn.intersected(Board::area());
}

void blankAndCommit(Editor &editor, const QRect &block)
{
    BoardModel &board = editor.board();
    // The committed board, not the board picture: the picture is renewed only
    // by pointer moves in placement and may still lack the last commit.
    board.setPicture(board.committed());
    board.setUndoCopy(board.committed());
    board.blit(board.blank(), QRect(QPoint(0, 0), block.size()), block.topLeft());
    editor.CommitBoard();
    // Saving and printing read the board picture, so it follows the commit at once.
    board.setPicture(board.committed());
}

void end(Editor &editor)
{
    editor.setTools({true, false, false});
    editor.state().Mode = EditMode::Placement;
}

} // namespace Selection
