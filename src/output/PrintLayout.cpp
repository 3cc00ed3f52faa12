#include "PrintLayout.h"

#include "board/Board.h"

QRectF PrintLayout::targetTwips(double printWidth, qint16 printHeight)
{
    // A zone never set yet prints as the start-up zone.
    const double width = printWidth > 0 ? printWidth : StartWidth;
    const double height = printHeight > 0 ? printHeight : StartHeight;
    return QRectF(Offset, Offset, Board::OuterWidth * 20.0 * PageWidth / width,
                  Board::OuterHeight * 20.0 * PageHeight / height);
}
