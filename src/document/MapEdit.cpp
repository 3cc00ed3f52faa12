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

MapEdit::MapEdit(Show show, Total &total, QPoint topLeft, const QImage &before, const QImage &after,
                 bool afterShared)
    : show_(std::move(show)), total_(total), rect_(topLeft, before.size()), before_(pack(before))
{
    if (afterShared)
        afterShared_ = after;
    else
        after_ = pack(after);
    firstAfter_ = after;
    total_ += bytes();
}

MapEdit::MapEdit(const MapEdit &other)
    : QUndoCommand(), show_(other.show_), total_(other.total_), rect_(other.rect_),
      before_(other.before_), after_(other.after_), afterShared_(other.afterShared_)
{
    total_ += bytes();
}

MapEdit::~MapEdit() { total_ -= bytes(); }

void MapEdit::undo() { show_(unpack(before_, rect_.size()), rect_.topLeft()); }

void MapEdit::redo()
{
    if (!firstAfter_.isNull()) {
        show_(firstAfter_, rect_.topLeft());
        firstAfter_ = QImage();
    } else {
        show_(afterShared_.isNull() ? unpack(after_, rect_.size()) : afterShared_, rect_.topLeft());
    }
}

qsizetype MapEdit::bytes() const
{
    return qsizetype(sizeof(MapEdit)) + before_.capacity() + after_.capacity();
}

MapEdit *MapEdit::clone() const { return new MapEdit(*this); }
