#pragma once

#include <QColor>
#include <QRect>

class Editor;
struct EditorState;

// What the tools that act on a selection share: the block it covers and the
// way a selection cycle ends.
namespace Selection {

// The grid-point marker and the rectangle are drawn in the board's ink, a
// pixel wide.
inline constexpr int Pen = 1;
inline constexpr int MarkRadius = 2;
inline QColor ink() { return Qt::black; }

// The block between the selection corners as the user sees it: corners put
// in order whichever way the rectangle was dragged, cut to the board. Empty
// when no part of it with width and height lies on the board.
QRect block(const EditorState &state);

// Blanks the block on the map, one step of the history, and commits the
// map; the selection's drawings go.
void blank(Editor &editor, const QRect &block);

// Back to placement with the tool buttons of placement: select enabled,
// move and erase disabled.
void end(Editor &editor);

} // namespace Selection
