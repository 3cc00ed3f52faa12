#pragma once

#include <QString>
#include <QStringList>

// What the open dialog browses: the volumes and the contents of a folder.
class FolderListing
{
public:
    virtual ~FolderListing() = default;

    // Root folders of the mounted volumes.
    virtual QStringList drives() const = 0;

    // The subfolders and files of a folder by name, hidden ones left out,
    // sorted without regard to case. False, with the reason in French, when
    // the folder cannot be read.
    virtual bool list(const QString &folder, QStringList *folders, QStringList *files,
                      QString *error) const = 0;
};
