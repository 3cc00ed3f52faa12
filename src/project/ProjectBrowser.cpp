#include "ProjectBrowser.h"

#include "ProjectFiles.h"
#include "platform/Dialogs.h"
#include "platform/FolderListing.h"

#include <QDir>

const QString ProjectBrowser::ErrorTitle = QStringLiteral("Erreur");

ProjectBrowser::ProjectBrowser(FolderListing &listing, Dialogs &dialogs)
    : listing_(listing), dialogs_(dialogs)
{}

void ProjectBrowser::start(const QString &folder)
{
    drives_ = listing_.drives();
    if (openFolder(folder))
        return;
    // The lists must show something: the first drive that can be read.
    for (const QString &root : std::as_const(drives_)) {
        QStringList folders, files;
        QString error;
        if (listing_.list(root, &folders, &files, &error)) {
            openFolder(root);
            return;
        }
    }
}

bool ProjectBrowser::isBitmapName(const QString &fileName)
{
    return fileName.endsWith(ProjectFiles::BitmapSuffix, Qt::CaseInsensitive);
}

int ProjectBrowser::driveOf(const QString &path) const
{
    int best = -1;
    for (int i = 0; i < drives_.size(); ++i) {
        const QString root = QDir::cleanPath(drives_.at(i));
        const bool holds
            = path == root || root == QDir::rootPath() || path.startsWith(root + QLatin1Char('/'));
        if (holds && (best < 0 || root.size() > QDir::cleanPath(drives_.at(best)).size()))
            best = i;
    }
    return best;
}

bool ProjectBrowser::chooseDrive(int index)
{
    if (index < 0 || index >= drives_.size() || index == driveIndex_)
        return true;
    const QString root = QDir::cleanPath(drives_.at(index));
    QStringList folders, files;
    if (!read(root, QStringLiteral("Le lecteur"), &folders, &files))
        return false;
    const QString last = lastFolderOnDrive_.value(root);
    if (!last.isEmpty() && openFolder(last))
        return true;
    return openFolder(root);
}

bool ProjectBrowser::read(const QString &path, const QString &what, QStringList *folders,
                          QStringList *files)
{
    QString error;
    if (listing_.list(path, folders, files, &error))
        return true;
    dialogs_.warning(QStringLiteral("%1 « %2 » ne peut pas être lu :\n%3")
                         .arg(what, QDir::toNativeSeparators(path), error),
                     ErrorTitle);
    return false;
}

bool ProjectBrowser::openFolderRow(int row)
{
    if (row < 0 || row >= rows_.size())
        return false;
    return openFolder(rows_.at(row).path);
}

bool ProjectBrowser::openFolder(const QString &path)
{
    const QString target = QDir::cleanPath(path);
    QStringList folders, files;
    if (!read(target, QStringLiteral("Le dossier"), &folders, &files))
        return false;

    folder_ = target;
    driveIndex_ = driveOf(target);
    const QString root
        = driveIndex_ >= 0 ? QDir::cleanPath(drives_.at(driveIndex_)) : QDir::rootPath();
    lastFolderOnDrive_.insert(root, target);

    // The drive's root, then each folder down to the current one.
    rows_.clear();
    rows_.append({QDir::toNativeSeparators(root), root, 0});
    QString walked = root;
    const QStringList parts = target.mid(root.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        walked = QDir::cleanPath(walked + QLatin1Char('/') + part);
        rows_.append({part, walked, int(rows_.size())});
    }
    currentRow_ = int(rows_.size()) - 1;
    const int depth = int(rows_.size());
    for (const QString &name : std::as_const(folders))
        rows_.append({name, QDir::cleanPath(target + QLatin1Char('/') + name), depth});

    files_.clear();
    for (const QString &name : std::as_const(files))
        if (isBitmapName(name))
            files_.append(name);
    // The name box keeps its text, and the new list selects what it names.
    fileIndex_ = entryNamed(nameText_);
    return true;
}

void ProjectBrowser::selectFile(int index)
{
    if (index < 0 || index >= files_.size()) {
        fileIndex_ = -1;
        return;
    }
    fileIndex_ = index;
    nameText_ = files_.at(index);
}

void ProjectBrowser::editName(const QString &text)
{
    nameText_ = text;
    fileIndex_ = entryNamed(text);
}

int ProjectBrowser::entryNamed(const QString &text) const
{
    for (int i = 0; i < files_.size(); ++i)
        if (files_.at(i).compare(text, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}
