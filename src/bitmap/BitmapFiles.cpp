// Qt's reader would decode the board's own files as any bitmap, through a
// device, into a freshly allocated image: their rows are read here straight
// into an image from ImageBuffers.

#include "BitmapFiles.h"

#include "BmpCodec.h"
#include "platform/Files.h"

#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <limits>
#include <vector>

#if defined(Q_OS_UNIX)
#include "ImageBuffers.h"
#include "VectoredIo.h"

#include <cerrno>
#endif

namespace BitmapFiles {
namespace {

const QString Unreadable = QStringLiteral("ce n'est pas une image lisible");

constexpr QSize NoBound(std::numeric_limits<int>::max(), std::numeric_limits<int>::max());

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

// A working file: the headers, then the rows from the bottom one up, straight
// from the image.
bool writeWorkingFile(const QString &path, const QImage &image, QString *error)
{
    const QByteArray header = BmpCodec::header(image.width(), image.height());
    const qsizetype rowBytes = qsizetype(image.width()) * 4;
    std::vector<QByteArrayView> parts;
    parts.reserve(size_t(image.height()) + 1);
    parts.emplace_back(header);
    for (int y = image.height() - 1; y >= 0; --y)
        parts.emplace_back(reinterpret_cast<const char *>(image.constScanLine(y)), rowBytes);
    return FileReplace::writeWorkingFile(path, parts, FileReplace::Access::OwnerOnly, error);
}

enum class OwnLayout { Read, Other, Failed };

// Reads the rows of a file in the editor's own layout straight into a new
// image, from the bottom row up, with nothing decoded or copied: the file
// holds the image's own scan lines, made opaque in one pass.
OwnLayout readOwnLayout(QFile &file, qint64 size, QSize most, QImage *image, QString *error)
{
#if defined(Q_OS_UNIX)
    char head[BmpCodec::OwnHeaderSize];
    const qint64 got = file.read(head, sizeof head);
    const QSize pixels = BmpCodec::ownLayoutSize(QByteArrayView(head, qMax<qint64>(got, 0)), size);
    if (pixels.isEmpty() || pixels.width() > most.width() || pixels.height() > most.height())
        return OwnLayout::Other;
    QImage rows = ImageBuffers::rgb32(pixels.width(), pixels.height());
    if (rows.isNull())
        return OwnLayout::Other;
    const size_t rowBytes = size_t(pixels.width()) * 4;
    std::vector<iovec> pieces;
    pieces.reserve(size_t(pixels.height()));
    for (int y = pixels.height() - 1; y >= 0; --y)
        pieces.push_back({rows.scanLine(y), rowBytes});
    off_t offset = BmpCodec::OwnHeaderSize;
    const int fd = file.handle();
    const bool read = VectoredIo::transferAll(pieces, [fd, &offset](const iovec *some, int count) {
        const ssize_t moved = ::preadv(fd, some, count, offset);
        offset += qMax<ssize_t>(moved, 0);
        return moved;
    });
    if (!read) {
        // A file cut short since it was opened is no picture any more.
        fail(error, errno == EIO && offset < size ? Unreadable : Files::errorInFrench(errno));
        return OwnLayout::Failed;
    }
    BmpCodec::makeOpaque(rows);
    *image = rows;
    return OwnLayout::Read;
#else
    Q_UNUSED(file);
    Q_UNUSED(size);
    Q_UNUSED(most);
    Q_UNUSED(image);
    Q_UNUSED(error);
    return OwnLayout::Other;
#endif
}

// Reads a picture file, its top-left part of at most the size given.
QImage readFile(const QString &path, QSize most, QString *error, QString *advice)
{
    QFile file(path);
    if (!QFileInfo(path).isFile()) {
        fail(error, QStringLiteral("fichier introuvable"));
        return {};
    }
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        fail(error, Files::errorInFrench(file.errorString()));
        return {};
    }
    const qint64 size = file.size();
    QImage image;
    switch (readOwnLayout(file, size, most, &image, error)) {
    case OwnLayout::Read:
        return image;
    case OwnLayout::Failed:
        return {};
    case OwnLayout::Other:
        break;
    }
    // Read up to the size found on opening: a file that grows meanwhile is
    // cut there, one that shrinks fails.
    const BmpCodec::ReadAt readAt = [&file, size](qint64 offset, qint64 length, char *to) {
        return offset + length <= size && file.seek(offset) && file.read(to, length) == length;
    };
    image = BmpCodec::decodeTopLeft(size, most, readAt, advice);
    if (image.isNull())
        fail(error, file.error() != QFileDevice::NoError ? Files::errorInFrench(file.errorString())
                                                         : Unreadable);
    return image;
}

} // namespace

bool write(const QString &path, const QImage &image, FileRole role, QString *error)
{
    if (image.isNull())
        return fail(error, QStringLiteral("image vide"));
    if (role == FileRole::UserFile)
        return FileReplace::writeUserFile(path, BmpCodec::encode(image), error);
    if (image.format() == QImage::Format_RGB32)
        return writeWorkingFile(path, image, error);
    return writeWorkingFile(path, image.convertToFormat(QImage::Format_RGB32), error);
}

QImage read(const QString &path, QString *error, QSize most, QString *advice)
{
    if (!most.isValid())
        most = NoBound;
    return readFile(path, most, error, advice);
}

} // namespace BitmapFiles
