#include "TestPictures.h"

#include "bitmap/BmpCodec.h"
#include "board/Board.h"

#include <QFile>
#include <QRandomGenerator>

QImage patternedMap()
{
    QImage map(Board::Width, Board::Height, QImage::Format_RGB32);
    for (int y = 0; y < map.height(); ++y)
        for (int x = 0; x < map.width(); ++x)
            map.setPixel(x, y, qRgb(x % 256, y % 256, 64 + 16 * (x / 256) + y / 256));
    return map;
}

QImage noise(int width, int height, quint32 seed)
{
    QRandomGenerator random(seed);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, 0xff000000u | (random.generate() & 0xffffffu));
    return image;
}

QImage solid(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QImage withFill(const QImage &picture, const QRect &rect, QRgb colour)
{
    QImage result = picture.copy();
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            result.setPixel(x, y, colour);
    return result;
}

QImage withBlank(const QImage &picture, const QRect &rect)
{
    return withFill(picture, rect, qRgb(255, 255, 255));
}

bool isWhite(const QImage &picture, const QRect &rect)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (picture.pixel(x, y) != qRgb(255, 255, 255))
                return false;
    return true;
}

void writeBitmap(const QString &path, const QImage &image)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(BmpCodec::encode(image)) < 0)
        qFatal("cannot write a test bitmap");
}
