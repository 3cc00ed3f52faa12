#include "BmpCodec.h"

#include <QBuffer>
#include <QImageReader>

#include <QtEndian>

#include <cstring>

// A 32-bit pixel of QImage::Format_RGB32 is stored B, G, R, unused: the byte
// order of a 32-bit bitmap, on the little-endian machines the editor runs on.
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN);

namespace BmpCodec {
namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kPixelOffset = kFileHeaderSize + kInfoHeaderSize;
constexpr quint32 kPixelsPerMetre = 3780; // 96 dots per inch
constexpr qint64 kMaxDirectPixels = 64LL * 1024 * 1024;

void put16(uchar *p, quint16 v)
{
    p[0] = uchar(v);
    p[1] = uchar(v >> 8);
}

void put32(uchar *p, quint32 v)
{
    p[0] = uchar(v);
    p[1] = uchar(v >> 8);
    p[2] = uchar(v >> 16);
    p[3] = uchar(v >> 24);
}

quint16 get16(const uchar *p) { return quint16(p[0] | (p[1] << 8)); }

quint32 get32(const uchar *p)
{
    return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
}

// The editor's own layout: 32 bits, uncompressed, bottom-up, pixels right
// after the 40-byte header. Anything else goes to the general readers.
QImage decodeDirect(const QByteArray &bytes)
{
    if (bytes.size() < kPixelOffset)
        return {};
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData());
    if (p[0] != 'B' || p[1] != 'M' || get32(p + 10) != quint32(kPixelOffset)
        || get32(p + 14) != quint32(kInfoHeaderSize))
        return {};
    const qint32 width = qint32(get32(p + 18));
    const qint32 height = qint32(get32(p + 22));
    if (get16(p + 26) != 1 || get16(p + 28) != 32 || get32(p + 30) != 0)
        return {};
    if (width <= 0 || height <= 0 || qint64(width) * height > kMaxDirectPixels)
        return {};
    const qint64 rowBytes = qint64(width) * 4;
    if (bytes.size() < kPixelOffset + rowBytes * height)
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    const uchar *src = p + kPixelOffset;
    for (int y = 0; y < height; ++y) {
        const auto *in = reinterpret_cast<const quint32 *>(src + rowBytes * (height - 1 - y));
        auto *out = reinterpret_cast<quint32 *>(image.scanLine(y));
        // The fourth byte is unused in this layout; the image wants it opaque.
        for (int x = 0; x < width; ++x)
            out[x] = in[x] | 0xff000000u;
    }
    return image;
}

QImage decodeGeneral(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return {};
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull())
        return {};
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

QByteArray encode(const QImage &source)
{
    const QImage image = source.format() == QImage::Format_RGB32
                             ? source
                             : source.convertToFormat(QImage::Format_RGB32);
    const int width = image.width();
    const int height = image.height();
    const qint64 rowBytes = qint64(width) * 4;
    const qint64 pixelBytes = rowBytes * height;
    QByteArray bytes(kPixelOffset + pixelBytes, Qt::Uninitialized);
    auto *p = reinterpret_cast<uchar *>(bytes.data());
    std::memset(p, 0, kPixelOffset);
    p[0] = 'B';
    p[1] = 'M';
    put32(p + 2, quint32(bytes.size()));
    put32(p + 10, kPixelOffset);
    put32(p + 14, kInfoHeaderSize);
    put32(p + 18, quint32(width));
    put32(p + 22, quint32(height));
    put16(p + 26, 1);
    put16(p + 28, 32);
    put32(p + 34, quint32(pixelBytes));
    put32(p + 38, kPixelsPerMetre);
    put32(p + 42, kPixelsPerMetre);
    uchar *dst = p + kPixelOffset;
    for (int y = 0; y < height; ++y)
        std::memcpy(dst + rowBytes * (height - 1 - y), image.constScanLine(y), size_t(rowBytes));
    return bytes;
}

QImage decode(const QByteArray &bytes)
{
    QImage image = decodeDirect(bytes);
    if (image.isNull())
        image = decodeGeneral(bytes);
    return image;
}

} // namespace BmpCodec
