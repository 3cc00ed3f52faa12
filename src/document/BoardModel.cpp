#include "BoardModel.h"

#include "bitmap/ImageBuffers.h"

#include <QPainter>

#include <cstring>

namespace {

// A block transfer never copies more than this in either direction.
constexpr int MaxBlit = 1790;

QImage white(int width, int height)
{
    QImage image = ImageBuffers::rgb32(width, height);
    image.fill(Qt::white);
    return image;
}

} // namespace

QImage BoardModel::whiteBoard() { return white(Board::Width, Board::Height); }

QImage BoardModel::normalized(const QImage &picture)
{
    if (picture.size() == QSize(Board::Width, Board::Height)
        && picture.format() == QImage::Format_RGB32)
        return picture;
    QImage board = whiteBoard();
    if (!picture.isNull()) {
        QPainter painter(&board);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.drawImage(QPoint(0, 0), picture.convertToFormat(QImage::Format_RGB32));
    }
    return board;
}

BoardModel::BoardModel()
    : picture_(whiteBoard()), displayed_(ImageBuffers::rgb32(Board::Width, Board::Height)),
      committed_(picture_)
{
    std::memcpy(displayed_.bits(), picture_.constBits(), size_t(picture_.sizeInBytes()));
}

const QImage &BoardModel::blank() const
{
    if (blank_.isNull())
        blank_ = white(789, 554);
    return blank_;
}

void BoardModel::setPicture(const QImage &picture)
{
    const QImage board = normalized(picture);
    if (board.cacheKey() == picture_.cacheKey()) {
        restore(drawn_);
    } else if (board.cacheKey() == committed_.cacheKey() && committedAsDisplayed_ == changes_) {
        // The display shows exactly this board already, drawings and all.
        picture_ = board;
    } else {
        picture_ = board;
        copyDifferences();
    }
    drawn_ = QRegion();
}

void BoardModel::copyDifferences()
{
    // Comparing costs less than copying, and what is equal needs no
    // repainting: a board read back after a commit usually matches the
    // display everywhere, the board an undo brings back everywhere but the
    // last change. Consecutive changed rows make one rectangle.
    const qsizetype stride = displayed_.bytesPerLine();
    uchar *dst = displayed_.bits();
    const uchar *src = picture_.constBits();
    const size_t rowBytes = size_t(Board::Width) * 4;
    QRect band;
    const auto endBand = [&] {
        if (!band.isNull())
            changed(band);
        band = QRect();
    };
    for (int y = 0; y < Board::Height; ++y) {
        const auto *from = reinterpret_cast<const quint32 *>(src + y * stride);
        auto *to = reinterpret_cast<quint32 *>(dst + y * stride);
        if (std::memcmp(from, to, rowBytes) == 0) {
            endBand();
            continue;
        }
        int left = 0;
        while (from[left] == to[left])
            ++left;
        int right = Board::Width - 1;
        while (from[right] == to[right])
            --right;
        std::memcpy(to + left, from + left, size_t(right - left + 1) * 4);
        const QRect span(left, y, right - left + 1, 1);
        band = band.isNull() ? span : band.united(span);
    }
    endBand();
}

void BoardModel::clearDrawings()
{
    restore(drawn_);
    drawn_ = QRegion();
}

void BoardModel::restore(const QRegion &region)
{
    const qsizetype stride = displayed_.bytesPerLine();
    uchar *dst = displayed_.bits();
    const uchar *src = picture_.constBits();
    for (const QRect &r : region) {
        const QRect rect = r.intersected(Board::area());
        if (rect.isEmpty())
            continue;
        const size_t bytes = size_t(rect.width()) * 4;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            const qsizetype offset = y * stride + qsizetype(rect.left()) * 4;
            std::memcpy(dst + offset, src + offset, bytes);
        }
        changed(rect);
    }
}

void BoardModel::touched(const QRect &rect)
{
    const QRect clipped = rect.intersected(Board::area());
    if (clipped.isEmpty())
        return;
    drawn_ += clipped;
    changed(clipped);
}

void BoardModel::changed(const QRect &rect)
{
    damage_ += rect;
    ++changes_;
}

void BoardModel::blit(const QImage &source, const QRect &sourceRect, QPoint dest)
{
    if (source.isNull())
        return;
    QRect from = sourceRect.intersected(source.rect());
    from.setWidth(qMin(from.width(), MaxBlit));
    from.setHeight(qMin(from.height(), MaxBlit));
    // Shift the destination along with any part of the source clipped away.
    QRect to(dest + (from.topLeft() - sourceRect.topLeft()), from.size());
    const QRect clipped = to.intersected(Board::area());
    if (clipped.isEmpty())
        return;
    from.translate(clipped.topLeft() - to.topLeft());
    from.setSize(clipped.size());

    const QImage src = source.format() == QImage::Format_RGB32
                           ? source
                           : source.convertToFormat(QImage::Format_RGB32);
    const size_t bytes = size_t(clipped.width()) * 4;
    for (int row = 0; row < clipped.height(); ++row) {
        const uchar *in = src.constScanLine(from.top() + row) + qsizetype(from.left()) * 4;
        uchar *out = displayed_.scanLine(clipped.top() + row) + qsizetype(clipped.left()) * 4;
        std::memcpy(out, in, bytes);
    }
    touched(clipped);
}

void BoardModel::copyTile(const QImage &tile, QPoint topLeft) { blit(tile, tile.rect(), topLeft); }

void BoardModel::drawCircle(QPoint centre, int radius, QColor colour, int penWidth)
{
    {
        QPainter painter(&displayed_);
        painter.setPen(QPen(colour, penWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QPointF(centre), radius, radius);
    }
    const int reach = radius + penWidth + 1;
    touched(QRect(centre.x() - reach, centre.y() - reach, 2 * reach + 1, 2 * reach + 1));
}

void BoardModel::drawRectangle(QPointF corner1, QPointF corner2, QColor colour, int penWidth)
{
    const QRectF rect = QRectF(corner1, corner2).normalized();
    {
        QPainter painter(&displayed_);
        QPen pen(colour, penWidth);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect);
    }
    // Only the outline changes pixels: mark its four sides, not the inside.
    const int reach = penWidth / 2 + 2;
    const QRect outer = rect.toAlignedRect().adjusted(-reach, -reach, reach, reach);
    const int band = 2 * reach + 1;
    touched(QRect(outer.left(), outer.top(), outer.width(), band));
    touched(QRect(outer.left(), outer.bottom() - band + 1, outer.width(), band));
    touched(QRect(outer.left(), outer.top(), band, outer.height()));
    touched(QRect(outer.right() - band + 1, outer.top(), band, outer.height()));
}

void BoardModel::setCommitted(const QImage &board, bool asDisplayed)
{
    committed_ = normalized(board);
    committedAsDisplayed_ = asDisplayed ? changes_ : ~quint64(0);
}

QRegion BoardModel::takeDamage()
{
    QRegion damage = damage_;
    damage_ = QRegion();
    return damage;
}
