#include "TileCatalogue.h"

#include "bitmap/PixelPack.h"

TileCatalogue::TileCatalogue()
{
    // The pictures are plain pixels in the program's image: each one is
    // shown in place, with nothing decoded or copied. An entry is its index,
    // width and height, a word of padding, then its pixels.
    PixelPack pack(QStringLiteral(":/tiles.pack"), "VTPK");
    for (quint32 n = 0; n < pack.count() && pack.has(16); ++n) {
        const quint32 index = pack.word();
        const qint64 width = pack.word();
        const qint64 height = pack.word();
        pack.word();
        if (index < 1 || index >= quint32(TileTable::EntryCount)
            || QSize(int(width), int(height)) != TileTable::pictureSize(int(index)))
            break;
        const QImage picture = pack.image(width, height, QImage::Format_RGB32);
        if (picture.isNull())
            break;
        pictures_[index] = picture;
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
