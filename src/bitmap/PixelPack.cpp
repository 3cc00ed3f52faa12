// What Qt's codec would decode at start-up is read here in place: an image
// made on the pack's own bytes, with nothing copied or converted.

#include "PixelPack.h"

#include <QResource>
#include <QtEndian>

#include <cstring>

PixelPack::PixelPack(const QString &resource, const char *mark)
{
    const QResource pack(resource);
    if (!pack.isValid() || pack.compressionAlgorithm() != QResource::NoCompression
        || pack.size() < 8 || std::memcmp(pack.data(), mark, 4) != 0)
        return;
    data_ = pack.data();
    size_ = pack.size();
    offset_ = 4;
    count_ = word();
}

quint32 PixelPack::word()
{
    if (!has(4))
        return 0;
    const quint32 value = qFromLittleEndian<quint32>(data_ + offset_);
    offset_ += 4;
    return value;
}

QByteArrayView PixelPack::bytes(qint64 count)
{
    if (!has(count))
        return {};
    const QByteArrayView view(data_ + offset_, count);
    offset_ += count;
    return view;
}

QImage PixelPack::image(qint64 width, qint64 height, QImage::Format format)
{
    if (width < 1 || height < 1 || width > 1 << 15 || height > 1 << 15 || !has(width * height * 4))
        return {};
    const uchar *pixels = data_ + offset_;
    offset_ += width * height * 4;
    const QImage picture(pixels, int(width), int(height), int(width * 4), format);
    return quintptr(pixels) % 4 == 0 ? picture : picture.copy();
}
