#pragma once

#include <QImage>
#include <QRect>
#include <QString>

// Pictures the tests draw on, open and write, made the same way everywhere.

// A board whose every pixel differs from all the others, so a block out of
// place or lost shows.
QImage patternedMap();

// A picture of random colours, the same for the same seed.
QImage noise(int width, int height, quint32 seed);

// A picture of one colour.
QImage solid(int width, int height, QRgb colour);

// The picture with the rectangle filled with the colour.
QImage withFill(const QImage &picture, const QRect &rect, QRgb colour);

// The picture with the rectangle whitened: what an erase of it must leave.
QImage withBlank(const QImage &picture, const QRect &rect);

// Lays the tile over the picture with its top-left corner there, as a stamp
// lays it.
void stampInto(QImage &picture, const QImage &tile, QPoint at);

// Whether every pixel of the rectangle is white.
bool isWhite(const QImage &picture, const QRect &rect);

// Writes the picture as the editor writes a bitmap; a test that cannot write
// its input stops.
void writeBitmap(const QString &path, const QImage &image);

// Writes a bottom-up, uncompressed bitmap of 1, 8 or 24 bits of any size, a
// pattern every pixel of which differs from its neighbours, row by row. Only
// the top rows, as many as the shown size's height, hold the pattern: the
// others are a hole in the file, zeros that take no disk. Returns the
// picture's top-left part of the shown size, as it must open; a null image
// when the file cannot be written.
QImage writeLargeBitmap(const QString &path, int width, int height, int bits, QSize shown);
