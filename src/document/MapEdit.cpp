#include "MapEdit.h"

namespace {

// The map is opaque: three bytes a pixel are enough, and pack faster.
QByteArray pack(const QImage &pixels)
{
    const QImage image = pixels.format() == QImage::Format_RGB32
                             ? pixels
                             : pixels.convertToFormat(QImage::Format_RGB32);
    QByteArray raw(qsizetype(image.width()) * image.height() * 3, Qt::Uninitialized);
    auto *out = reinterpret_cast<uchar *>(raw.data());
    for (int y = 0; y < image.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            *out++ = uchar(qRed(in[x]));
            *out++ = uchar(qGreen(in[x]));
            *out++ = uchar(qBlue(in[x]));
        }
    }
    // qCompress leaves room for the worst case: the step keeps only what
    // its pixels took.
    QByteArray packed = qCompress(raw, 1);
    packed.squeeze();
    return packed;
}

QImage unpack(const QByteArray &packed, QSize size)
{
    const QByteArray raw = qUncompress(packed);
    if (raw.size() != qsizetype(size.width()) * size.height() * 3)
        return {};
    QImage image(size, QImage::Format_RGB32);
    const auto *in = reinterpret_cast<const uchar *>(raw.constData());
    for (int y = 0; y < size.height(); ++y) {
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x, in += 3)
            out[x] = qRgb(in[0], in[1], in[2]);
    }
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
    // Beyond its members and pixels a step costs QUndoCommand's private part,
    // the stack's pointer to it, and a header on each block it allocates:
    // measured at about 160 bytes a step.
    constexpr qsizetype Upkeep = 160;
    return qsizetype(sizeof(MapEdit)) + Upkeep + before_.capacity() + after_.capacity();
}

MapEdit *MapEdit::clone() const { return new MapEdit(*this); }
