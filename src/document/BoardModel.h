#pragma once

#include "board/Board.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRegion>

// The board's images. The board picture lies under the board drawings (tile
// preview, selection marks, print-zone frame, painted blocks); together they
// make the displayed board. The committed board is the last accepted map and
// the undo copy the board picture from just before the last change.
//
// The displayed board is one persistent buffer: resetting it to the same
// picture restores only the areas that drawings touched, so a pointer move
// costs what its tile covers, not the whole board; a new picture changes, and
// marks as changed, only the pixels where it differs from the display.
class BoardModel
{
public:
    // A board-sized opaque image: the picture's pixels from its top-left
    // corner, cut off at the board or white beyond it.
    static QImage normalized(const QImage &picture);
    static QImage whiteBoard();

    BoardModel();

    const QImage &picture() const { return picture_; }
    const QImage &displayed() const { return displayed_; }
    const QImage &committed() const { return committed_; }
    // Null until the first change: "no picture", which shows as blank.
    const QImage &undoCopy() const { return undoCopy_; }
    // The blank background that erasing copies from, wider than the board.
    const QImage &blank() const;

    // Sets the board picture; every drawing goes with it.
    void setPicture(const QImage &picture);
    // Removes every drawing, leaving the board picture alone on display.
    void clearDrawings();

    // Copies a rectangle of the source opaquely onto the drawings at dest,
    // clipped to the board.
    void blit(const QImage &source, const QRect &sourceRect, QPoint dest);
    void copyTile(const QImage &tile, QPoint topLeft);

    void drawCircle(QPoint centre, int radius, QColor colour, int penWidth);
    // Outline of the rectangle with these opposite corners.
    void drawRectangle(QPointF corner1, QPointF corner2, QColor colour, int penWidth);

    // The committed board; asDisplayed when it holds exactly the pixels on
    // display, as a board read back after a commit does: set as the picture
    // before the display changes, it then needs no comparing.
    void setCommitted(const QImage &board, bool asDisplayed = false);
    void setUndoCopy(const QImage &picture) { undoCopy_ = picture; }

    // The area of the displayed board changed since the last call.
    QRegion takeDamage();

private:
    void restore(const QRegion &region);
    void copyDifferences();
    void touched(const QRect &rect);
    void changed(const QRect &rect);

    QImage picture_;
    QImage displayed_;
    QImage committed_;
    QImage undoCopy_;
    mutable QImage blank_; // made at the first erase
    QRegion drawn_; // where the drawings may differ from the picture
    QRegion damage_; // where the displayed board changed
    quint64 changes_ = 0; // to the displayed board, counted
    quint64 committedAsDisplayed_ = ~quint64(0); // the count when the two matched
};
