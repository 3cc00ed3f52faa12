#pragma once

#include <QImage>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

class Editor;

// A map of coloured blocks at known places, and the check that a printed
// page shows it where the print rectangle puts it.
namespace PrintedPage {

// The tile preview and the print-zone frame, which no page may show.
constexpr QRgb PreviewColour = 0xffff00ff;
constexpr QRgb FrameColour = 0xffff0000;

// Commits the map as a move or an erase does, without any pointer move: the
// board picture still shows the old map afterwards.
void commitPattern(Editor &editor);

// Draws the tile preview and the print-zone frame over the map, as the
// pointer and the print frame leave them.
void drawPreviewAndFrame(Editor &editor);

// Every page of the PDF document at 72 dots per inch, one pixel a point.
// Empty, with the reason, when it cannot be rendered.
QList<QImage> render(const QString &pdf, QString *error);

// What is wrong with the page, or an empty text when it shows the map's
// blocks at their places for the target rectangle (twips) drawn from the
// printable area's corner (points), and neither preview nor frame. A page
// the printer laid portrait is turned back first.
QString check(const QImage &page, QPointF printableCorner, const QRectF &targetTwips);

} // namespace PrintedPage
