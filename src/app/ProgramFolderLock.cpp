#include "ProgramFolderLock.h"

#include "document/Editor.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "project/ProjectFiles.h"

#include <QDir>

ProgramFolderLock::ProgramFolderLock(const QString &programFolder)
    : lock_(QDir(programFolder).filePath(ProjectFiles::Lock))
{
    // An editor stays open for hours: only a holder that no longer runs
    // makes its lock stale, never the lock's age.
    lock_.setStaleLockTime(0);
}

ProgramFolderLock::~ProgramFolderLock()
{
    if (attempt_.joinable())
        attempt_.join();
}

void ProgramFolderLock::begin()
{
    attempt_ = std::thread([this] { attemptLocked_ = lock_.tryLock(0); });
}

bool ProgramFolderLock::take(Editor &editor)
{
    bool locked = false;
    if (attempt_.joinable()) {
        attempt_.join();
        locked = attemptLocked_;
    } else {
        locked = lock_.tryLock(0);
    }
    if (locked)
        return true;
    Platform &platform = editor.platform();
    // In a folder that cannot be written even a crashed editor's lock cannot
    // be taken over; the writability check tells the user what to do.
    QString reason;
    if (lock_.error() != QLockFile::LockFailedError
        || !Files::canCreateFiles(editor.folder().path(), &reason))
        return true;

    qint64 pid = 0;
    QString host;
    QString application;
    QString holder;
    if (lock_.getLockInfo(&pid, &host, &application))
        holder = QStringLiteral("\n(processus %1 sur la machine « %2 »)").arg(pid).arg(host);
    platform.dialogs.error(
        QStringLiteral("Vantorel Editor est déjà ouvert sur ce dossier du programme :\n%1%2\n\n"
                       "Deux éditeurs sur le même dossier réécriraient les fichiers l'un de "
                       "l'autre. Revenez à l'éditeur déjà ouvert, ou fermez-le avant d'en "
                       "ouvrir un autre.")
            .arg(QDir::toNativeSeparators(editor.folder().path()), holder),
        Editor::ProgramName);
    return false;
}
