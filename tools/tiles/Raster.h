#pragma once

#include <QImage>
#include <QRect>

#include <functional>
#include <span>

// Pixel-exact drawing on RGB images: every operation decides each pixel by
// integer arithmetic, so the pictures come out the same on every machine.
namespace Raster {

inline constexpr QRgb White = 0xFFFFFFFF;
inline constexpr QRgb Black = 0xFF000000;
inline constexpr QRgb WallGrey = 0xFFC8C8C8; // 200, 200, 200
inline constexpr QRgb GridGrey = 0xFF969696; // 150, 150, 150: lines between floor squares
inline constexpr QRgb MarkGrey = 0xFF808080; // 128, 128, 128: grey parts of markers

// Which pixels belong to a shape, in picture coordinates.
using Shape = std::function<bool(int x, int y)>;

QImage blank(int width, int height);

void fill(QImage &image, const QRect &rect, QRgb colour);
void fill(QImage &image, const Shape &shape, QRgb colour);

// The one-pixel border of a rectangle.
void frame(QImage &image, const QRect &rect, QRgb colour);

// Paints the pixels of the shape that touch, side or corner, a pixel of the
// picture outside the shape: a line one pixel wide along its boundary. The
// picture's own edge is no boundary: a shape that runs off the edge stays open.
void outline(QImage &image, const Shape &shape, QRgb colour);

// Pixels in the rows of a glyph, '#' for ink, drawn from the top-left corner.
void stamp(QImage &image, QPoint topLeft, std::span<const char *const> rows, QRgb colour);

// The picture turned a quarter turn, each pixel moved without resampling.
QImage quarterTurn(const QImage &image, bool clockwise);

} // namespace Raster
