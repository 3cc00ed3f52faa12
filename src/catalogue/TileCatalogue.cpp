#include "TileCatalogue.h"

#include <QResource>
#include <QtEndian>

#include <cstring>

namespace {

const QString PackPath = QStringLiteral(":/tiles.pack");
constexpr qint64 EntryHeader = 16;

quint32 word(const uchar *p) { return qFromLittleEndian<quint32>(p); }

} // namespace

TileCatalogue::TileCatalogue()
{
    // The pictures are plain pixels in the program's image: each one is
    // shown in place, with nothing decoded or copied.
    const QResource pack(PackPath);
    const uchar *data = pack.data();
    const qint64 size = pack.size();
    if (pack.isValid() && pack.compressionAlgorithm() == QResource::NoCompression && size >= 8
        && std::memcmp(data, "VTPK", 4) == 0) {
        const quint32 count = word(data + 4);
        qint64 offset = 8;
        for (quint32 n = 0; n < count && offset + EntryHeader <= size; ++n) {
            const quint32 index = word(data + offset);
            const qint64 width = word(data + offset + 4);
            const qint64 height = word(data + offset + 8);
            const uchar *pixels = data + offset + EntryHeader;
            offset += EntryHeader + width * height * 4;
            if (offset > size || index < 1 || index >= quint32(TileTable::EntryCount)
                || QSize(int(width), int(height)) != TileTable::pictureSize(int(index)))
                break;
            QImage picture(pixels, int(width), int(height), int(width * 4), QImage::Format_RGB32);
            // Scan lines must lie on word boundaries; otherwise keep a copy.
            pictures_[index] = quintptr(pixels) % 4 == 0 ? picture : picture.copy();
        }
    }
    for (int i = 1; i < TileTable::EntryCount; ++i) {
        if (!pictures_[i].isNull())
            continue;
        // A missing picture shows as a blank tile of its listed size rather
        // than breaking placement.
        pictures_[i] = QImage(TileTable::pictureSize(i), QImage::Format_RGB32);
        pictures_[i].fill(Qt::white);
    }
}

const QImage &TileCatalogue::picture(int index) const { return pictures_.at(size_t(index)); }

QString TileCatalogue::tag(int index) { return QString::number(TileTable::entry(index).tag); }

void TileCatalogue::setMoveBuffer(const QImage &block)
{
    pictures_[TileTable::MoveBufferIndex]
        = block.isNull() ? QImage() : block.convertToFormat(QImage::Format_RGB32);
}

QSize TileCatalogue::moveBufferOuterSize() const
{
    const QImage &buffer = pictures_[TileTable::MoveBufferIndex];
    return QSize(buffer.width() + 4, buffer.height() + 4);
}
