// Qt's QSaveFile flushes every file to the disk before it takes the name, a
// wait the working files rewritten at each edit cannot afford, and loses the
// error of a write it buffered until its commit, which a full disk then turns
// into an empty file: files are replaced here by the system calls Qt does not
// offer (an exchange of names, writev, a close away from the caller), every
// one of them checked. A working file rewritten at every edit is written over
// a spare copy kept beside it, which the system need neither allocate nor
// free: that costs a third of writing a new file.

#include "FileReplace.h"

#include "VectoredIo.h"
#include "platform/Files.h"

#include <QFile>
#include <QFileInfo>

#if defined(Q_OS_UNIX)
#include <QRandomGenerator>
#include <QThreadPool>

#include <cerrno>
#include <cstdio>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QSaveFile>
#endif

namespace FileReplace {

#if defined(Q_OS_UNIX)
namespace {

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

// A new hidden file beside the target, under a name no other file has.
int createBeside(const QFileInfo &target, mode_t mode, QByteArray *name)
{
    const QString stem
        = target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".");
    for (int attempt = 0; attempt < 100; ++attempt) {
        *name
            = QFile::encodeName(stem + QString::number(QRandomGenerator::global()->generate(), 36));
        const int fd = ::open(name->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Writes every part, however many pieces the system takes at a time. A board
// goes out as its rows, straight from the image, with nothing copied first.
bool writeAll(int fd, std::span<const QByteArrayView> parts)
{
    std::vector<iovec> pieces;
    pieces.reserve(parts.size());
    for (const QByteArrayView &part : parts)
        if (!part.isEmpty())
            pieces.push_back({const_cast<char *>(part.data()), size_t(part.size())});
    return VectoredIo::transferAll(
        pieces, [fd](const iovec *some, int count) { return ::writev(fd, some, count); });
}

// Closes the last handle on a replaced file away from the caller: the file
// system frees its blocks then, which may wait on the device (some mounts
// discard freed blocks there and then) and would otherwise hold up the edit.
void releaseLater(int fd)
{
    QThreadPool::globalInstance()->start([fd] { ::close(fd); });
}

// Puts the new file in place of the old one. Swapping the two names and then
// removing the old file leaves the new one to be written out whenever the
// system likes; a rename over an existing file makes some file systems start
// writing the new one at once. Where a swap is not possible, a rename does.
bool takeName(const QByteArray &temp, const QByteArray &target, int old)
{
#if defined(Q_OS_LINUX)
    struct stat info {
    };
    if (old >= 0 && ::fstat(old, &info) == 0 && S_ISREG(info.st_mode)
        && ::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, target.constData(), RENAME_EXCHANGE)
               == 0) {
        ::unlink(temp.constData()); // the old file, still held by old
        return true;
    }
#endif
    return ::rename(temp.constData(), target.constData()) == 0;
}

// Flushes a folder's entries, so that a name just given survives a crash.
void syncFolder(const QString &folder)
{
    const int fd
        = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// Writes the parts to a new file beside path, which then takes its name. A
// file to keep is flushed to the disk first, and its folder after the rename,
// so that neither a crash nor a full disk leaves an empty or partial file in
// its place: every write is checked, and on failure the new file goes.
bool replace(const QString &path, std::span<const QByteArrayView> parts, Access access,
             bool durable, QString *error)
{
    const QByteArray target = QFile::encodeName(path);
    // Held open, the old file outlives its name until released.
    const int old = ::open(target.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    struct stat oldInfo {
    };
    const bool inherit = access == Access::Inherited && old >= 0 && ::fstat(old, &oldInfo) == 0
                         && S_ISREG(oldInfo.st_mode);

    QByteArray temp;
    // A new file gets the usual permissions from the process's mask.
    const int fd = createBeside(QFileInfo(path), access == Access::OwnerOnly ? 0600 : 0666, &temp);
    bool written = fd >= 0 && writeAll(fd, parts)
                   && (!inherit || ::fchmod(fd, oldInfo.st_mode & 07777) == 0)
                   && (!durable || ::fsync(fd) == 0);
    int code = errno;
    if (fd >= 0 && ::close(fd) != 0 && written) {
        written = false;
        code = errno;
    }
    const bool placed = written && takeName(temp, target, old);
    if (written && !placed)
        code = errno;
    if (old >= 0)
        releaseLater(old);
    if (placed) {
        if (durable)
            syncFolder(QFileInfo(path).absolutePath());
        return true;
    }
    if (fd >= 0)
        ::unlink(temp.constData());
    return fail(error, Files::errorInFrench(code));
}

#if defined(Q_OS_LINUX)

enum class Rewrite { Done, Failed, NotPossible };

// Writes the parts over the spare file, then swaps the names of the spare and
// the target, so that the target is whole at every moment and the old content
// becomes the next spare. A spare that is anything but this user's plain file
// with one name (a link, or a file hard-linked elsewhere) is never written
// into: its name goes, and the caller writes a new file instead.
Rewrite rewriteSpare(const QString &path, std::span<const QByteArrayView> parts, QString *error)
{
    const QFileInfo file(path);
    const QByteArray spare
        = QFile::encodeName(file.absolutePath() + QLatin1Char('/') + spareName(file.fileName()));
    const QByteArray target = QFile::encodeName(path);
    const int fd = ::open(spare.constData(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    struct stat info {
    };
    if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_nlink != 1
        || info.st_uid != ::geteuid()) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(spare.constData());
        return Rewrite::NotPossible;
    }
    std::vector<iovec> pieces;
    pieces.reserve(parts.size());
    off_t size = 0;
    for (const QByteArrayView &part : parts) {
        if (!part.isEmpty())
            pieces.push_back({const_cast<char *>(part.data()), size_t(part.size())});
        size += part.size();
    }
    off_t offset = 0;
    bool written = VectoredIo::transferAll(pieces, [fd, &offset](const iovec *some, int count) {
        const ssize_t moved = ::pwritev(fd, some, count, offset);
        offset += qMax<ssize_t>(moved, 0);
        return moved;
    });
    written = written && (info.st_size <= size || ::ftruncate(fd, size) == 0);
    int code = errno;
    if (::close(fd) != 0 && written) {
        written = false;
        code = errno;
    }
    if (written) {
        struct stat old {
        };
        const bool swapped = ::lstat(target.constData(), &old) == 0 && S_ISREG(old.st_mode)
                             && ::renameat2(AT_FDCWD, spare.constData(), AT_FDCWD,
                                            target.constData(), RENAME_EXCHANGE)
                                    == 0;
        if (swapped || ::rename(spare.constData(), target.constData()) == 0)
            return Rewrite::Done;
        code = errno;
    }
    // What is left under the spare's name is torn: it goes, with its space.
    ::unlink(spare.constData());
    fail(error, Files::errorInFrench(code));
    return Rewrite::Failed;
}
#endif

} // namespace

bool writeUserFile(const QString &path, QByteArrayView bytes, QString *error)
{
    // A link is followed: the file it leads to is the user's.
    const QFileInfo file(path);
    const QString real = file.isSymLink() && file.exists() ? file.canonicalFilePath() : path;
    if (Files::isReadOnly(real))
        return fail(error, Files::readOnlyError());
    const QByteArrayView parts[] = {bytes};
    return replace(real, parts, Access::Inherited, true, error);
}

bool writeWorkingFile(const QString &path, std::span<const QByteArrayView> parts, Access access,
                      QString *error)
{
#if defined(Q_OS_LINUX)
    // The spare's permissions are its own: only a file for the owner alone
    // may be written over it.
    if (access == Access::OwnerOnly) {
        switch (rewriteSpare(path, parts, error)) {
        case Rewrite::Done:
            return true;
        case Rewrite::Failed:
            return false;
        case Rewrite::NotPossible:
            break;
        }
    }
#endif
    return replace(path, parts, access, false, error);
}

#else

namespace {

// Opens a user's file to be replaced through QSaveFile. A read-only file is
// refused; a replaced file keeps its permissions exactly (QSaveFile alone
// would give its owner read and write access).
bool openUserFile(QSaveFile &file, QString *error)
{
    const auto failWith = [error](const QString &reason) {
        if (error)
            *error = reason;
        return false;
    };
    const QFileInfo old(file.fileName());
    if (Files::isReadOnly(old.filePath()))
        return failWith(Files::readOnlyError());
    // Unbuffered, so that every write reports its own failure.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failWith(Files::errorInFrench(file.errorString()));
    if (!old.isFile())
        return true;
    // The user bits tell what this process may do, which for the superuser is
    // everything: set from them, the owner's bits would gain read and write.
    const QFileDevice::Permissions kept
        = old.permissions()
          & ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
    if (file.setPermissions(kept))
        return true;
    const QString reason = Files::errorInFrench(file.errorString());
    file.cancelWriting();
    return failWith(reason);
}

} // namespace

bool writeUserFile(const QString &path, QByteArrayView bytes, QString *error)
{
    QSaveFile file(path);
    if (!openUserFile(file, error))
        return false;
    if (file.write(bytes.data(), bytes.size()) != bytes.size() || !file.commit()) {
        if (error)
            *error = Files::errorInFrench(file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}

bool writeWorkingFile(const QString &path, std::span<const QByteArrayView> parts, Access,
                      QString *error)
{
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly);
    for (const QByteArrayView &part : parts)
        ok = ok && file.write(part.data(), part.size()) == part.size();
    if (ok && file.commit())
        return true;
    if (error)
        *error = Files::errorInFrench(file.errorString());
    file.cancelWriting();
    return false;
}

#endif

QString spareName(const QString &fileName)
{
    return QLatin1Char('.') + fileName + QStringLiteral(".spare");
}

bool copy(const QString &from, const QString &to, FileRole role, QString *error)
{
    const auto failWith = [error](const QFileDevice &file) {
        if (error)
            *error = Files::errorInFrench(file.errorString());
        return false;
    };
    const QFileInfo source(from);
    const QFileInfo target(to);
    if (target.exists() && source.exists()
        && source.canonicalFilePath() == target.canonicalFilePath())
        return true; // a file copied onto itself stays as it is

    // The documents copied are small: read whole, written at once.
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return failWith(in);
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return failWith(in);
    if (role == FileRole::UserFile)
        return writeUserFile(to, bytes, error);
    const QByteArrayView parts[] = {bytes};
    return writeWorkingFile(to, parts, Access::Inherited, error);
}

} // namespace FileReplace
