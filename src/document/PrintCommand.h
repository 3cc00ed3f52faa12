#pragma once

#include <QRectF>
#include <QtGlobal>

class Editor;

// The "&Print" button: the map as last committed on one landscape page of
// the default printer, scaled so that the print zone covers the page.
class PrintCommand
{
public:
    // Outer size of the board canvas, border included, in pixels.
    static constexpr int CanvasWidth = 777;
    static constexpr int CanvasHeight = 550;
    // Where the zone lands on the page, in points.
    static constexpr int PageWidth = 804;
    static constexpr int PageHeight = 545;
    static constexpr int Offset = 20; // twips from the printable area's corner

    // The rectangle of the page, in twips, that the board is stretched into.
    static QRectF targetTwips(double printWidth, qint16 printHeight);

    explicit PrintCommand(Editor &editor);

    // True when the page went to the printer; otherwise the user was told why.
    bool run();

private:
    Editor &editor_;
};
