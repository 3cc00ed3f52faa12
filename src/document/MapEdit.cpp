#include "MapEdit.h"

#include <cstring>

namespace {

QByteArray pack(const QImage &pixels)
{
    const QImage image = pixels.format() == QImage::Format_RGB32
                             ? pixels
                             : pixels.convertToFormat(QImage::Format_RGB32);
    const size_t rowBytes = size_t(image.width()) * 4;
    QByteArray raw(qsizetype(rowBytes) * image.height(), Qt::Uninitialized);
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(raw.data() + qsizetype(rowBytes) * y, image.constScanLine(y), rowBytes);
    return qCompress(raw, 1);
}

QImage unpack(const QByteArray &packed, QSize size)
{
    const QByteArray raw = qUncompress(packed);
    QImage image(size, QImage::Format_RGB32);
    const size_t rowBytes = size_t(size.width()) * 4;
    if (raw.size() != qsizetype(rowBytes) * size.height())
        return {};
    for (int y = 0; y < size.height(); ++y)
        std::memcpy(image.scanLine(y), raw.constData() + qsizetype(rowBytes) * y, rowBytes);
    return image;
}

} // namespace

MapEdit::MapEdit(Show show, QPoint topLeft, const QImage &before, const QImage &after)
    : MapEdit(std::move(show), QRect(topLeft, before.size()), pack(before), pack(after))
{}

MapEdit::MapEdit(Show show, QRect rect, QByteArray before, QByteArray after)
    : show_(std::move(show)), rect_(rect), before_(std::move(before)), after_(std::move(after))
{}

void MapEdit::undo() { show(before_); }

void MapEdit::redo() { show(after_); }

void MapEdit::show(const QByteArray &pixels)
{
    show_(unpack(pixels, rect_.size()), rect_.topLeft());
}

qsizetype MapEdit::bytes() const
{
    return qsizetype(sizeof(MapEdit)) + before_.capacity() + after_.capacity();
}

MapEdit *MapEdit::clone() const { return new MapEdit(show_, rect_, before_, after_); }
