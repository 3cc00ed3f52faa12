#pragma once

// Qt's codec would decode every tile and window picture from its compressed
// file at each start: a pack holds them as the pixels the images show.

#include <QByteArrayView>
#include <QImage>
#include <QString>

// A pack of pictures as plain pixels, compiled uncompressed into the
// program's resources: the images show the pixels where they lie in the
// program's image, with nothing decoded. Little-endian: a four-letter mark,
// the count of entries, then the entries, laid out as each pack says; this
// reads them front to back.
class PixelPack
{
public:
    PixelPack(const QString &resource, const char *mark);

    // The count of entries; 0 when the resource is missing, compressed or
    // carries another mark.
    quint32 count() const { return count_; }
    // Whether that many more bytes are there to read.
    bool has(qint64 bytes) const { return bytes >= 0 && offset_ + bytes <= size_; }

    // The next 32-bit word.
    quint32 word();
    // The next bytes.
    QByteArrayView bytes(qint64 count);
    // The next width x height pixels of 32 bits as an image, or a copy of
    // them where their scan lines would not lie on word boundaries; a null
    // image when the pack ends before they do.
    QImage image(qint64 width, qint64 height, QImage::Format format);

private:
    const uchar *data_ = nullptr;
    qint64 size_ = 0;
    qint64 offset_ = 0;
    quint32 count_ = 0;
};
