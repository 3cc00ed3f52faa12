#include "PixelArt.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace PixelArt {
namespace {

// A run of device pixels, end excluded.
struct Span {
    int begin;
    int end;
};

// The device pixels that show logical pixels first to last - 1.
Span showing(int first, int last, qreal ratio)
{
    return {int(std::ceil(first * ratio)), int(std::ceil(last * ratio))};
}

// The device pixels that logical pixels first to last - 1 touch, even in
// part, as the clip of a repaint rounds them out.
Span touching(int first, int last, qreal ratio)
{
    return {int(std::floor(first * ratio)), int(std::ceil(last * ratio))};
}

Span common(Span a, Span b) { return {std::max(a.begin, b.begin), std::min(a.end, b.end)}; }

// The picture's pixels for device pixels left, top onwards: each one the
// pixel of the logical pixel floor(d / ratio), the picture's top-left pixel
// being logical pixel origin.
QImage blownUp(const QImage &picture, QPoint origin, qreal ratio, QRect device)
{
    std::vector<int> columns(static_cast<size_t>(device.width()));
    for (int x = 0; x < device.width(); ++x)
        columns[size_t(x)] = int(std::floor((device.left() + x) / ratio)) - origin.x();
    QImage scaled(device.size(), picture.format());
    const size_t rowBytes = size_t(device.width()) * 4;
    int lastRow = -1;
    for (int y = 0; y < device.height(); ++y) {
        const int row = int(std::floor((device.top() + y) / ratio)) - origin.y();
        auto *out = reinterpret_cast<quint32 *>(scaled.scanLine(y));
        if (row == lastRow) {
            std::memcpy(out, scaled.constScanLine(y - 1), rowBytes);
            continue;
        }
        const auto *in = reinterpret_cast<const quint32 *>(picture.constScanLine(row));
        for (int x = 0; x < device.width(); ++x)
            out[x] = in[columns[size_t(x)]];
        lastRow = row;
    }
    return scaled;
}

} // namespace

void draw(QPainter &painter, QPoint topLeft, const QImage &picture, const QRect &area)
{
    const QRect logical = QRect(topLeft, picture.size()).intersected(area);
    if (logical.isEmpty())
        return;
    const QTransform device = painter.deviceTransform();
    const qreal ratio = device.m11();
    if (device.type() != QTransform::TxScale || ratio != device.m22() || ratio <= 1) {
        // One device pixel per logical pixel, or a transform no ratio
        // explains: the painter draws it, without smoothing.
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(logical.topLeft(), picture, logical.translated(-topLeft));
        painter.restore();
        return;
    }

    // The painter's origin lies a whole number of logical pixels from the
    // device's: a widget stands at a whole logical position in its window.
    const QPointF origin = device.map(QPointF(0, 0));
    const QPoint shift(qRound(origin.x() / ratio), qRound(origin.y() / ratio));
    const QRect placed(topLeft + shift, picture.size());
    const QRect within = area.translated(shift);
    const Span xs = common(showing(placed.left(), placed.right() + 1, ratio),
                           touching(within.left(), within.right() + 1, ratio));
    const Span ys = common(showing(placed.top(), placed.bottom() + 1, ratio),
                           touching(within.top(), within.bottom() + 1, ratio));
    if (xs.end <= xs.begin || ys.end <= ys.begin)
        return;
    const QRect onDevice(QPoint(xs.begin, ys.begin), QPoint(xs.end - 1, ys.end - 1));
    const QImage source = picture.depth() == 32
                              ? picture
                              : picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);

    // Drawn in device pixels: the world transform undoes the device's.
    painter.save();
    painter.setWorldTransform(device.inverted() * painter.worldTransform());
    painter.drawImage(onDevice.topLeft(), blownUp(source, placed.topLeft(), ratio, onDevice));
    painter.restore();
}

} // namespace PixelArt
