#pragma once

#include <QImage>
#include <QRectF>
#include <QString>

// The map written for other programs: a PNG picture enlarged pixel for
// pixel, or the printed page as a PDF document. Each file is written whole or
// not at all: an earlier file of that name stays as it was on failure, and a
// file protected against writing is never replaced.
namespace MapExport {

inline constexpr int MaximumScale = 4;
inline constexpr int DefaultScale = 2;

// The map with every board pixel a square of scale x scale image pixels,
// enlarged by nearest neighbour so that it stays sharp.
QImage scaled(const QImage &map, int scale);

// On failure returns false with the reason, in French, in *error.
bool writePng(const QString &path, const QImage &picture, QString *error);
// One landscape page, laid out as the printed one on A4: the picture
// stretched into the target, in twips from the printable area's corner.
bool writePdf(const QString &path, const QImage &picture, const QRectF &targetTwips,
              QString *error);

} // namespace MapExport
