#include "QtPictureFiles.h"

#include "BmpCodec.h"
#include "FrenchReason.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <filesystem>
#include <system_error>

#if defined(Q_OS_LINUX)
#include <fcntl.h>
#endif

namespace {

// A picture file larger than this is refused before it is read: no bitmap the
// editor could show needs more.
constexpr qint64 kMaxPictureFileBytes = 256LL * 1024 * 1024;

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

// Writes through a temporary file in the same folder renamed over the target,
// without waiting for the disk.
bool writeMirror(const QString &path, const QByteArray &bytes, QString *error)
{
    const QFileInfo target(path);
    QTemporaryFile temp(target.absolutePath() + QStringLiteral("/.") + target.fileName()
                        + QStringLiteral(".XXXXXX"));
    temp.setAutoRemove(true);
    if (!temp.open())
        return fail(error, frenchReason(temp.errorString()));
#if defined(Q_OS_LINUX)
    // Blocks reserved before the write leave no delayed allocation behind,
    // which ext4 would otherwise start writing out when the file is renamed
    // over the old one: the replace then costs no more than a plain write.
    // Where reserving is not supported the write goes on without it.
    (void)::fallocate(temp.handle(), 0, 0, off_t(bytes.size()));
#endif
    if (temp.write(bytes) != bytes.size() || !temp.flush())
        return fail(error, frenchReason(temp.errorString()));
    temp.close();
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(temp.fileName().toStdString()),
                            std::filesystem::path(path.toStdString()), ec);
    if (ec)
        return fail(error, frenchReason(QString::fromLocal8Bit(ec.message().c_str())));
    temp.setAutoRemove(false); // it is the target now
    return true;
}

bool writeDurable(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(error, frenchReason(file.errorString()));
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(error, frenchReason(reason));
    }
    if (!file.commit())
        return fail(error, frenchReason(file.errorString()));
    return true;
}

} // namespace

bool QtPictureFiles::writeBitmap(const QString &path, const QImage &image, Durability durability,
                                 QString *error)
{
    if (image.isNull())
        return fail(error, QStringLiteral("image vide"));
    const QByteArray bytes = BmpCodec::encode(image);
    return durability == Durability::Mirror ? writeMirror(path, bytes, error)
                                            : writeDurable(path, bytes, error);
}

QImage QtPictureFiles::readPicture(const QString &path, QString *error)
{
    QFile file(path);
    if (!QFileInfo(path).isFile()) {
        fail(error, QStringLiteral("fichier introuvable"));
        return {};
    }
    if (!file.open(QIODevice::ReadOnly)) {
        fail(error, frenchReason(file.errorString()));
        return {};
    }
    if (file.size() > kMaxPictureFileBytes) {
        fail(error, QStringLiteral("fichier trop volumineux"));
        return {};
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        fail(error, frenchReason(file.errorString()));
        return {};
    }
    QImage image = BmpCodec::decode(bytes);
    if (image.isNull())
        fail(error, QStringLiteral("ce n'est pas une image lisible"));
    return image;
}
