#pragma once

#include <QImage>
#include <QRectF>

class Editor;

// The "&Print" button: the map, without what is drawn over it, on one landscape page of
// the default printer, scaled so that the print zone covers the page.
class PrintCommand
{
public:
    // What every printed, previewed or exported page shows: the committed
    // board, the map as the user last changed it (the board picture can
    // still lag behind it after a move or an erase), stretched into a
    // rectangle in twips from the printable area's corner.
    struct Page {
        QImage picture;
        QRectF targetTwips;
    };
    static Page page(const Editor &editor);

    explicit PrintCommand(Editor &editor);

    // True when the page went to the printer; otherwise the user was told why.
    bool run();

private:
    Editor &editor_;
};
