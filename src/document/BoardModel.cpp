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

// Copies rows of 32-bit pixels from a rectangle of one image to a point of
// another; both areas lie within their images.
void copyPixels(const QImage &from, const QRect &rect, QImage &to, QPoint at)
{
    const size_t bytes = size_t(rect.width()) * 4;
    for (int row = 0; row < rect.height(); ++row)
        std::memcpy(to.scanLine(at.y() + row) + qsizetype(at.x()) * 4,
                    from.constScanLine(rect.top() + row) + qsizetype(rect.left()) * 4, bytes);
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

BoardModel::BoardModel() : map_(whiteBoard()) {}

const QImage &BoardModel::blank() const
{
    if (blank_.isNull())
        blank_ = white(789, 554);
    return blank_;
}

void BoardModel::setMap(const QImage &picture)
{
    map_ = normalized(picture);
    damage_ = QRegion(Board::area());
}

void BoardModel::putPixels(const QImage &pixels, QPoint topLeft)
{
    const QRect rect(topLeft, pixels.size());
    Q_ASSERT(Board::area().contains(rect));
    copyPixels(pixels, pixels.rect(), map_, topLeft);
    damage_ += rect;
}

void BoardModel::clearDrawings()
{
    for (const Drawing &drawing : drawings_)
        damage_ += drawing.bounds;
    drawings_.clear();
}

void BoardModel::add(Drawing drawing)
{
    // The print frame is drawn again at every pointer move over its button:
    // the same drawing on top changes nothing.
    if (!drawings_.empty() && drawings_.back() == drawing)
        return;
    drawing.bounds = drawing.bounds.intersected(Board::area());
    if (drawing.bounds.isEmpty())
        return;
    damage_ += drawing.bounds;
    drawings_.push_back(std::move(drawing));
}

void BoardModel::drawTile(const QImage &tile, QPoint topLeft)
{
    if (tile.isNull())
        return;
    QRect from = tile.rect();
    from.setWidth(qMin(from.width(), MaxBlit));
    from.setHeight(qMin(from.height(), MaxBlit));
    const QRect to = QRect(topLeft, from.size()).intersected(Board::area());
    if (to.isEmpty())
        return;
    from = QRect(from.topLeft() + (to.topLeft() - topLeft), to.size());
    Drawing drawing;
    drawing.tile
        = tile.format() == QImage::Format_RGB32 ? tile : tile.convertToFormat(QImage::Format_RGB32);
    drawing.from = from;
    drawing.bounds = to;
    add(std::move(drawing));
}

void BoardModel::drawCircle(QPoint centre, int radius, QColor colour, int penWidth)
{
    Drawing drawing;
    drawing.kind = Drawing::Kind::Circle;
    drawing.corner1 = centre;
    drawing.corner2 = QPointF(radius, 0);
    drawing.colour = colour;
    drawing.pen = penWidth;
    const int reach = radius + penWidth + 1;
    drawing.bounds = QRect(centre.x() - reach, centre.y() - reach, 2 * reach + 1, 2 * reach + 1);
    add(std::move(drawing));
}

void BoardModel::drawRectangle(QPointF corner1, QPointF corner2, QColor colour, int penWidth)
{
    Drawing drawing;
    drawing.kind = Drawing::Kind::Rectangle;
    drawing.corner1 = corner1;
    drawing.corner2 = corner2;
    drawing.colour = colour;
    drawing.pen = penWidth;
    const int reach = penWidth / 2 + 2;
    drawing.bounds = QRectF(corner1, corner2)
                         .normalized()
                         .toAlignedRect()
                         .adjusted(-reach, -reach, reach, reach);
    if (!drawings_.empty() && drawings_.back() == drawing)
        return;
    // Only the outline changes pixels: its four sides are repainted, not the inside.
    const QRect outer = drawing.bounds;
    const int band = 2 * reach + 1;
    const QRect sides[] = {{outer.left(), outer.top(), outer.width(), band},
                           {outer.left(), outer.bottom() - band + 1, outer.width(), band},
                           {outer.left(), outer.top(), band, outer.height()},
                           {outer.right() - band + 1, outer.top(), band, outer.height()}};
    add(std::move(drawing));
    damage_ -= outer;
    for (const QRect &side : sides)
        damage_ += side.intersected(Board::area());
}

QRect BoardModel::tileArea() const
{
    for (auto it = drawings_.rbegin(); it != drawings_.rend(); ++it)
        if (it->kind == Drawing::Kind::Tile)
            return it->bounds;
    return {};
}

QImage BoardModel::tilePixels() const
{
    for (auto it = drawings_.rbegin(); it != drawings_.rend(); ++it)
        if (it->kind == Drawing::Kind::Tile)
            return it->from == it->tile.rect() ? it->tile : it->tile.copy(it->from);
    return {};
}

bool BoardModel::tileWhole() const
{
    for (auto it = drawings_.rbegin(); it != drawings_.rend(); ++it)
        if (it->kind == Drawing::Kind::Tile)
            return it->from == it->tile.rect();
    return false;
}

void BoardModel::paint(QPainter &painter, const Drawing &drawing) const
{
    switch (drawing.kind) {
    case Drawing::Kind::Tile:
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(drawing.bounds.topLeft(), drawing.tile, drawing.from);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        break;
    case Drawing::Kind::Circle:
        painter.setPen(QPen(drawing.colour, drawing.pen));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(drawing.corner1, drawing.corner2.x(), drawing.corner2.x());
        break;
    case Drawing::Kind::Rectangle: {
        QPen pen(drawing.colour, drawing.pen);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(drawing.corner1, drawing.corner2).normalized());
        break;
    }
    }
}

QImage BoardModel::composed(const QRect &area) const
{
    const QRect rect = area.intersected(Board::area());
    if (rect.isEmpty())
        return {};
    if (rect == Board::area() && drawings_.empty())
        return map_;
    // A board-sized picture goes where the board's own memory is kept.
    QImage image = ImageBuffers::rgb32(rect.width(), rect.height());
    if (image.isNull())
        return {};
    copyPixels(map_, rect, image, QPoint(0, 0));
    QPainter painter;
    for (const Drawing &drawing : drawings_) {
        if (!drawing.bounds.intersects(rect))
            continue;
        // A preview alone, the usual case, is copied without a painter.
        if (drawing.kind == Drawing::Kind::Tile && !painter.isActive()) {
            const QRect part = drawing.bounds.intersected(rect);
            copyPixels(drawing.tile,
                       part.translated(drawing.from.topLeft() - drawing.bounds.topLeft()), image,
                       part.topLeft() - rect.topLeft());
            continue;
        }
        if (!painter.isActive()) {
            painter.begin(&image);
            painter.translate(-rect.topLeft());
        }
        paint(painter, drawing);
    }
    return image;
}

QRegion BoardModel::takeDamage()
{
    QRegion damage = damage_;
    damage_ = QRegion();
    return damage;
}
