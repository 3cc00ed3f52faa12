#include "TileCatalogue.h"

TileCatalogue::TileCatalogue()
{
    for (int i = 1; i < TileTable::EntryCount; ++i) {
        QImage image(resourcePath(i));
        const QSize size = TileTable::pictureSize(i);
        if (image.size() != size) {
            // A missing or mis-sized resource shows as a blank tile of the
            // listed size rather than breaking placement.
            image = QImage(size, QImage::Format_RGB32);
            image.fill(Qt::white);
        }
        pictures_[i] = image.convertToFormat(QImage::Format_RGB32);
    }
}

const QImage &TileCatalogue::picture(int index) const { return pictures_.at(size_t(index)); }

QString TileCatalogue::tag(int index) { return QString::number(TileTable::entry(index).tag); }

void TileCatalogue::setMoveBuffer(const QImage &block)
{
    pictures_[TileTable::MoveBufferIndex] =
        block.isNull() ? QImage() : block.convertToFormat(QImage::Format_RGB32);
}

QSize TileCatalogue::moveBufferOuterSize() const
{
    const QImage &buffer = pictures_[TileTable::MoveBufferIndex];
    return QSize(buffer.width() + 4, buffer.height() + 4);
}

QString TileCatalogue::resourcePath(int index)
{
    return QStringLiteral(":/tiles/tile_%1.png").arg(index, 2, 10, QLatin1Char('0'));
}
