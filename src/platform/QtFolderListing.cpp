#include "QtFolderListing.h"

#include "Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <filesystem>
#include <system_error>

QStringList QtFolderListing::drives() const
{
    QStringList roots;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        // Containers mount single files too; only folders can be browsed.
        if (volume.isValid() && QFileInfo(root).isDir() && !roots.contains(root))
            roots.append(root);
    }
    if (!roots.contains(QDir::rootPath()))
        roots.append(QDir::rootPath());
    roots.sort(Qt::CaseInsensitive);
    return roots;
}

bool QtFolderListing::list(const QString &folder, QStringList *folders, QStringList *files,
                           QString *error) const
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::directory_iterator it(fs::path(QFile::encodeName(folder).toStdString()), ec);
    QStringList foundFolders;
    QStringList foundFiles;
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const QString name = QFile::decodeName(it->path().filename().string().c_str());
        if (name.startsWith(QLatin1Char('.')))
            continue;
        std::error_code kind;
        if (it->is_directory(kind))
            foundFolders.append(name);
        else if (it->is_regular_file(kind))
            foundFiles.append(name);
    }
    if (ec) {
        if (error)
            *error = Files::errorInFrench(QString::fromLocal8Bit(ec.message().c_str()));
        return false;
    }
    foundFolders.sort(Qt::CaseInsensitive);
    foundFiles.sort(Qt::CaseInsensitive);
    if (folders)
        *folders = foundFolders;
    if (files)
        *files = foundFiles;
    return true;
}
