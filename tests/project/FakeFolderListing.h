#pragma once

#include "platform/FolderListing.h"

#include <QMap>
#include <QSet>

// Folders in memory: a path maps to its subfolders and files. Paths in
// 'unreadable' fail to list, as a drive without its medium does.
class FakeFolderListing : public FolderListing
{
public:
    struct Contents {
        QStringList folders;
        QStringList files;
    };
    QStringList roots = {QStringLiteral("/")};
    QMap<QString, Contents> tree;
    QSet<QString> unreadable;

    QStringList drives() const override { return roots; }
    bool list(const QString &folder, QStringList *folders, QStringList *files,
              QString *error) const override
    {
        if (unreadable.contains(folder) || !tree.contains(folder)) {
            *error = QStringLiteral("aucun disque dans le lecteur");
            return false;
        }
        *folders = tree.value(folder).folders;
        *files = tree.value(folder).files;
        return true;
    }
};
