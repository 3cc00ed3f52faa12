#pragma once

#include <QString>

// Looking files up and trying a folder, and the reasons file operations fail,
// worded in French. Names are matched without regard to letter case, on every
// platform, so a folder never holds two names that differ only in case.
namespace Files {

// The path of the plain file in the folder whose name matches without regard
// to case, or the folder joined with the name when there is none.
QString resolve(const QString &folder, const QString &name);

// Whether a plain file of that name exists in the folder, case aside.
bool exists(const QString &folder, const QString &name);

// Whether a file stands at path that is protected against writing: one this
// process may not write, or one whose owner may not, which the superuser
// could write all the same.
bool isReadOnly(const QString &path);

// Whether new files can be made in the folder, found out by creating and
// removing a uniquely named file there: permission bits say nothing for the
// superuser, on a read-only disk or under access control lists.
bool canCreateFiles(const QString &folder, QString *error);

// The reason of a failed file operation in French. The system reports its
// reasons in English; the common ones are worded anew, any other is kept.
QString errorInFrench(const QString &systemError);

// The same from the system's error number, errno.
QString errorInFrench(int code);

// The reason given when the file to replace is protected against writing.
QString readOnlyError();

} // namespace Files
