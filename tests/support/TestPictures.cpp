#include "TestPictures.h"

#include "bitmap/BmpCodec.h"
#include "board/Board.h"

#include <QFile>
#include <QList>
#include <QPainter>
#include <QRandomGenerator>
#include <QtEndian>

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

void stampInto(QImage &picture, const QImage &tile, QPoint at)
{
    QPainter painter(&picture);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(at, tile);
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

QImage writeLargeBitmap(const QString &path, int width, int height, int bits, QSize shown)
{
    QList<QRgb> palette;
    if (bits <= 8)
        for (int i = 0; i < (1 << bits); ++i)
            palette << qRgb(i * 37 % 256, 255 - i, (i * 11 + 100) % 256);
    const auto index
        = [bits](int x, int y) { return bits == 1 ? (x / 3 + y) % 2 : (x + 3 * y) % 256; };
    const auto colour = [&](int x, int y) -> QRgb {
        return bits == 24 ? qRgb(x % 251, y % 241, (x + y) % 239) : palette.at(index(x, y));
    };
    const qint64 stride = (qint64(width) * bits + 31) / 32 * 4;
    const qint64 offset = 54 + qint64(palette.size()) * 4;
    QByteArray head(int(offset), '\0');
    auto *p = reinterpret_cast<uchar *>(head.data());
    p[0] = 'B';
    p[1] = 'M';
    qToLittleEndian<quint32>(quint32(offset + stride * height), p + 2);
    qToLittleEndian<quint32>(quint32(offset), p + 10);
    qToLittleEndian<quint32>(40, p + 14);
    qToLittleEndian<qint32>(width, p + 18);
    qToLittleEndian<qint32>(height, p + 22);
    qToLittleEndian<quint16>(1, p + 26);
    qToLittleEndian<quint16>(quint16(bits), p + 28);
    qToLittleEndian<quint32>(quint32(stride * height), p + 34);
    qToLittleEndian<quint32>(quint32(palette.size()), p + 46);
    for (int i = 0; i < palette.size(); ++i)
        qToLittleEndian<quint32>(palette.at(i) & 0xffffff, p + 54 + 4 * i);

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(head) != head.size()
        || !file.resize(offset + stride * height))
        return {};
    const int rows = qMin(height, shown.height());
    QImage expected(qMin(width, shown.width()), rows, QImage::Format_RGB32);
    QByteArray row(int(stride), '\0');
    auto *out = reinterpret_cast<uchar *>(row.data());
    for (int y = 0; y < rows; ++y) {
        row.fill('\0');
        for (int x = 0; x < width; ++x) {
            if (bits == 24) {
                const QRgb c = colour(x, y);
                out[3 * x] = uchar(qBlue(c));
                out[3 * x + 1] = uchar(qGreen(c));
                out[3 * x + 2] = uchar(qRed(c));
            } else if (bits == 8) {
                out[x] = uchar(index(x, y));
            } else if (index(x, y) == 1) {
                out[x / 8] |= uchar(0x80 >> (x % 8));
            }
            if (x < expected.width())
                expected.setPixel(x, y, colour(x, y));
        }
        if (!file.seek(offset + stride * (height - 1 - y)) || file.write(row) != row.size())
            return {};
    }
    return expected;
}
