#pragma once

#include "FileSystem.h"

class QtFileSystem : public FileSystem
{
public:
    QString resolve(const QString &folder, const QString &name) const override;
    bool exists(const QString &folder, const QString &name) const override;
    bool copyFile(const QString &from, const QString &to, Durability durability,
                  QString *error) override;
    bool isReadOnly(const QString &path) const override;
    bool canCreateFiles(const QString &folder, QString *error) override;
};
