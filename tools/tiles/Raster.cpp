#include "Raster.h"

namespace Raster {

QImage blank(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(White);
    return image;
}

void fill(QImage &image, const QRect &rect, QRgb colour)
{
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            image.setPixel(x, y, colour);
}

void fill(QImage &image, const Shape &shape, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (shape(x, y))
                image.setPixel(x, y, colour);
}

void frame(QImage &image, const QRect &rect, QRgb colour)
{
    const QRect inner = rect.adjusted(1, 1, -1, -1);
    fill(
        image, [&](int x, int y) { return rect.contains(x, y) && !inner.contains(x, y); }, colour);
}

void outline(QImage &image, const Shape &shape, QRgb colour)
{
    const QRect area = image.rect();
    auto outside = [&](int x, int y) { return area.contains(x, y) && !shape(x, y); };
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!shape(x, y))
                continue;
            bool edge = false;
            for (int dy = -1; dy <= 1 && !edge; ++dy)
                for (int dx = -1; dx <= 1 && !edge; ++dx)
                    edge = outside(x + dx, y + dy);
            if (edge)
                image.setPixel(x, y, colour);
        }
    }
}

void stamp(QImage &image, QPoint topLeft, std::span<const char *const> rows, QRgb colour)
{
    int y = topLeft.y();
    for (const char *row : rows) {
        for (int x = 0; row[x] != '\0'; ++x)
            if (row[x] == '#')
                image.setPixel(topLeft.x() + x, y, colour);
        ++y;
    }
}

QImage quarterTurn(const QImage &image, bool clockwise)
{
    const int w = image.width();
    const int h = image.height();
    QImage turned(h, w, image.format());
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (clockwise)
                turned.setPixel(h - 1 - y, x, image.pixel(x, y));
            else
                turned.setPixel(y, w - 1 - x, image.pixel(x, y));
        }
    }
    return turned;
}

} // namespace Raster
