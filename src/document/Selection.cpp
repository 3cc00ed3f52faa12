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

void blank(Editor &editor, const QRect &block)
{
    BoardModel &board = editor.board();
    board.clearDrawings();
    editor.changeMap(block, board.blank().copy(QRect(QPoint(0, 0), block.size())));
}

void end(Editor &editor)
{
    // The mode first: whoever follows the buttons may look at it.
    editor.state().Mode = EditMode::Placement;
    editor.setTools({true, false, false});
}

} // namespace Selection
