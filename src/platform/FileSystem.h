#pragma once

#include "Durability.h"

#include <QString>

// File existence, lookup and copy. Names are matched without regard to letter
// case, on every platform, so a folder never holds two names that differ only
// in case.
class FileSystem
{
public:
    virtual ~FileSystem() = default;

    // The path of the plain file in the folder whose name matches without
    // regard to case, or the folder joined with the name when there is none.
    virtual QString resolve(const QString &folder, const QString &name) const = 0;

    // Whether a plain file of that name exists in the folder, case aside.
    virtual bool exists(const QString &folder, const QString &name) const = 0;

    // Copies a file byte for byte, replacing the destination atomically. A
    // durable copy refuses a read-only destination and keeps the permissions
    // of the one it replaces. Copying a file onto itself leaves it as it is
    // and succeeds.
    virtual bool copyFile(const QString &from, const QString &to, Durability durability,
                          QString *error)
        = 0;

    // Whether a file stands at path that is protected against writing: one
    // this process may not write, or one whose owner may not.
    virtual bool isReadOnly(const QString &path) const = 0;

    // Whether new files can be made in the folder, found out by creating and
    // removing a uniquely named file there: permission bits say nothing for
    // the superuser, on a read-only disk or under access control lists.
    virtual bool canCreateFiles(const QString &folder, QString *error) = 0;
};
