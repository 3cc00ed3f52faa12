#pragma once

#include "FolderListing.h"

class QtFolderListing : public FolderListing
{
public:
    QString currentFolder() const override;
    QStringList drives() const override;
    bool list(const QString &folder, QStringList *folders, QStringList *files,
              QString *error) const override;
};
