#pragma once

#include "document/BoardModel.h"

#include <QImage>

// The two maps save_loop saves in turn. They differ at every pixel, so a
// file holding part of one and part of the other shows.
inline QImage saveLoopBoard(int which)
{
    QImage board(Board::Width, Board::Height, QImage::Format_RGB32);
    for (int y = 0; y < board.height(); ++y)
        for (int x = 0; x < board.width(); ++x)
            board.setPixel(x, y,
                           which == 0 ? qRgb(x % 256, y % 256, 40)
                                      : qRgb(255 - x % 256, 200, 255 - y % 256));
    return board;
}
