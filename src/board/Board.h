#pragma once

#include <QRect>

// The board's drawing area and its grid of square cells, in board pixels:
// origin at the area's top-left corner, x to the right, y downwards.
namespace Board {

// The side of a grid cell, one square of the game board.
inline constexpr int Step = 13;
// 59 whole columns and 6 pixels across, 42 rows down.
inline constexpr int Width = 773;
inline constexpr int Height = 546;
// The sunken border round the drawing area of the board's picture holder.
inline constexpr int Border = 2;
inline constexpr int OuterWidth = Width + 2 * Border;
inline constexpr int OuterHeight = Height + 2 * Border;

inline QRect area() { return QRect(0, 0, Width, Height); }

// A coordinate snapped to the grid of that step: the top-left corner of the
// cell that holds it, flooring towards minus infinity (-0.5 gives -13).
int snap(double coordinate, int step = Step);

} // namespace Board
