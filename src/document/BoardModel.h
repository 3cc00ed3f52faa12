#pragma once

#include "board/Board.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRegion>

#include <vector>

class QPainter;

// The map and what is drawn over it. The map is the one image of the board's
// content: edits change it, saving and printing read it, "demo.bmp" mirrors
// it. The drawings (the tile preview, the selection marks, the print-zone
// frame) lie over the map for as long as the board shows them and never
// touch its pixels; the canvas composes both where the screen needs it.
class BoardModel
{
public:
    // A board-sized opaque image: the picture's pixels from its top-left
    // corner, cut off at the board or white beyond it.
    static QImage normalized(const QImage &picture);
    static QImage whiteBoard();

    BoardModel();

    const QImage &map() const { return map_; }
    // The blank background that erasing copies from, wider than the board.
    const QImage &blank() const;

    // Replaces the whole map, as opening a project does.
    void setMap(const QImage &picture);
    // Puts pixels into the map with their top-left corner at topLeft; the
    // rectangle must lie on the board.
    void putPixels(const QImage &pixels, QPoint topLeft);

    // Removes every drawing, leaving the map alone on display.
    void clearDrawings();
    // The tile drawn opaquely with its top-left corner at topLeft, clipped to
    // the board and to the largest block a transfer copies.
    void drawTile(const QImage &tile, QPoint topLeft);
    void drawCircle(QPoint centre, int radius, QColor colour, int penWidth);
    // Outline of the rectangle with these opposite corners.
    void drawRectangle(QPointF corner1, QPointF corner2, QColor colour, int penWidth);

    // The part of the last tile drawn that lies on the board, and where: what
    // a stamp lays. Empty when no tile is drawn.
    QRect tileArea() const;
    QImage tilePixels() const;
    // Whether those are the tile's own picture, whole.
    bool tileWhole() const;

    // The map with its drawings over it, in the board area given, as an
    // image of that area's size.
    QImage composed(const QRect &area) const;
    // The whole board as the user sees it.
    QImage displayed() const { return composed(Board::area()); }

    // The area of the board whose look changed since the last call.
    QRegion takeDamage();

private:
    struct Drawing {
        enum class Kind { Tile, Circle, Rectangle } kind = Kind::Tile;
        QImage tile;
        QRect from; // the tile's part drawn, in the tile
        QPointF corner1, corner2; // circle: centre and (radius, 0)
        QColor colour;
        int pen = 0;
        QRect bounds; // the board pixels it may change
        bool operator==(const Drawing &) const = default;
    };

    void add(Drawing drawing);
    void paint(QPainter &painter, const Drawing &drawing) const;

    QImage map_;
    mutable QImage blank_; // made at the first erase
    std::vector<Drawing> drawings_;
    QRegion damage_;
};
