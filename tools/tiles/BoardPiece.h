#pragma once

#include <QImage>
#include <QString>

// A board piece (corridor, junction, room or room section) drawn from a map of
// its 13-pixel squares, one character a square, rows separated by '/':
//   '#' wall, '.' floor, 'o' shaft pit (a floor square with a pit in it),
//   anything else no square of the piece.
// A floor square on the picture's edge is an open end: the piece continues
// there, and so do the walls beside it along that edge. Everywhere else the
// piece is closed by a black contour three pixels inside its outer squares.
namespace BoardPiece {

inline constexpr int Square = 13;

QImage draw(const QString &map);

} // namespace BoardPiece
