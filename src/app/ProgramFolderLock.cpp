#include "ProgramFolderLock.h"

#include "document/Editor.h"
#include "platform/Dialogs.h"
#include "project/ProjectFiles.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSysInfo>

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The holder's process and machine, as the lock file names them; empty when
// it names none.
QString holderOf(int fd)
{
    char text[512];
    const ssize_t got = ::pread(fd, text, sizeof text - 1, 0);
    if (got <= 0)
        return {};
    const QStringList lines
        = QString::fromUtf8(text, got).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (lines.size() < 2)
        return {};
    return QStringLiteral("\n(processus %1 sur la machine « %2 »)").arg(lines.at(0), lines.at(1));
}

// Whether the file open on fd still stands at path: a holder that ends
// removes the file after another editor may have opened it.
bool standsAt(int fd, const QByteArray &path)
{
    struct stat held {
    };
    struct stat named {
    };
    return ::fstat(fd, &held) == 0 && ::stat(path.constData(), &named) == 0
           && held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

} // namespace

ProgramFolderLock::ProgramFolderLock(const QString &programFolder)
    : path_(QDir(programFolder).filePath(ProjectFiles::Lock))
{}

ProgramFolderLock::~ProgramFolderLock() { release(); }

bool ProgramFolderLock::take(Editor &editor)
{
    if (fd_ >= 0)
        return true;
    const QByteArray path = QFile::encodeName(path_);
    for (;;) {
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
        // In a folder that cannot be written the writability check tells the
        // user what to do.
        if (fd < 0)
            return true;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            if (!standsAt(fd, path)) {
                ::close(fd);
                continue;
            }
            fd_ = fd;
            break;
        }
        const int code = errno;
        if (code != EWOULDBLOCK) {
            // A file system without locks: nothing can tell a second editor.
            ::close(fd);
            return true;
        }
        const QString holder = holderOf(fd);
        ::close(fd);
        editor.platform().dialogs.error(
            QStringLiteral("Vantorel Editor est déjà ouvert sur ce dossier du programme :\n%1%2\n\n"
                           "Deux éditeurs sur le même dossier réécriraient les fichiers l'un de "
                           "l'autre. Revenez à l'éditeur déjà ouvert, ou fermez-le avant d'en "
                           "ouvrir un autre.")
                .arg(QDir::toNativeSeparators(editor.folder().path()), holder),
            Editor::ProgramName);
        return false;
    }
    // Names the holder for a second editor's message.
    const QByteArray holder = QByteArray::number(qint64(::getpid())) + '\n'
                              + QSysInfo::machineHostName().toUtf8() + '\n';
    if (::ftruncate(fd_, 0) == 0) {
        [[maybe_unused]] const ssize_t written
            = ::pwrite(fd_, holder.constData(), size_t(holder.size()), 0);
    }
    return true;
}

void ProgramFolderLock::release()
{
    if (fd_ < 0)
        return;
    // Removed while still held, so that no other editor takes a file that is
    // about to lose its name.
    ::unlink(QFile::encodeName(path_).constData());
    ::close(fd_);
    fd_ = -1;
}
