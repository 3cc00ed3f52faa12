#pragma once

// Qt's codec writes a bitmap through QSaveFile, which waits for the disk at
// every commit: the working files the editor rewrites at each edit replace
// the old file here without waiting, a user's file keeps its permissions, and
// a write that fails, on a full disk for one, leaves the old file as it was.

#include <QByteArrayView>
#include <QString>

#include <span>

// Whose file a write replaces. Either way the file is replaced atomically: a
// reader sees the old file or the new one, whole, and never a mix.
enum class FileRole {
    WorkingFile, // one the editor remakes at will: need not wait for the disk
    UserFile // a user's: refused when read-only, flushed to the disk before it takes the name
};

// Replacing files. The new content goes to a hidden file beside the old one,
// which then takes its name in one step. A working file is replaced without
// waiting for the disk; a user's file is flushed to the disk first.
// On failure the old file stays as it was, nothing is left behind, and the
// reason is given in French in *error.
namespace FileReplace {

// Writes bytes as the new content of a user's file. A read-only file is
// refused; a replaced file keeps its permissions exactly (QSaveFile would
// give its owner read and write access); a link leads to the file written.
bool writeUserFile(const QString &path, QByteArrayView bytes, QString *error);

// The permissions a new working file gets.
enum class Access {
    // Read and write for the owner alone. Such a file is written over a
    // hidden spare beside it, ".name.spare", which then swaps names with it:
    // a reader that opens it reads it whole unless two more rewrites come
    // before it has finished.
    OwnerOnly,
    Inherited // those of the file replaced; for a new file, the usual ones
};

// The name of the spare kept beside a working file of that name.
QString spareName(const QString &fileName);

// Writes the parts one after the other as the new content of path.
bool writeWorkingFile(const QString &path, std::span<const QByteArrayView> parts, Access access,
                      QString *error);

// Copies a file byte for byte in place of another, which keeps its
// permissions. Copying a file onto itself leaves it as it is and succeeds.
bool copy(const QString &from, const QString &to, FileRole role, QString *error);

} // namespace FileReplace
