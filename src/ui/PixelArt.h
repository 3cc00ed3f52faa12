#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

class QPainter;

// Pictures drawn pixel for pixel on a screen of any device pixel ratio: each
// device pixel shows the one picture pixel of the logical pixel its top-left
// corner lies in, never a blend of neighbours. At a ratio of 2 every pixel
// is a 2 x 2 block; at 1.5 the pixels are by turns one and two device pixels
// wide. That logical pixel is also the one the pointer over the device pixel
// reports, so what the user points at is what the board receives.
namespace PixelArt {

// Draws the picture with its top-left pixel at topLeft, on the device pixels
// that the logical rectangle area touches; both are in the painter's
// coordinates.
void draw(QPainter &painter, QPoint topLeft, const QImage &picture, const QRect &area);

} // namespace PixelArt
