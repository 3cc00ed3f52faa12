#pragma once

#include "FolderListing.h"

class QtFolderListing : public FolderListing
{
public:
    QStringList drives() const override;
    bool list(const QString &folder, QStringList *folders, QStringList *files,
              QString *error) const override;
};
