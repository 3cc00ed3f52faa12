#pragma once

#include <QByteArrayView>
#include <QString>

#include <span>

class QSaveFile;

// Replacing files. The new content goes to a hidden file beside the old one,
// which then takes its name in one step: a reader sees the old file or the
// new one, whole, and never a mix. A working file is replaced without waiting
// for the disk; a user's file goes through QSaveFile, flushed first.
namespace FileReplace {

// Whether a file stands at path that is protected against writing: one this
// process may not write, or one whose owner may not, which the superuser
// could write all the same.
bool isReadOnly(const QString &path);

// Opens a user's file to be replaced through QSaveFile. A read-only file is
// refused; a replaced file keeps its permissions exactly (QSaveFile alone
// would give its owner read and write access). On failure the reason is given
// in French in *error.
bool openDurable(QSaveFile &file, QString *error);

// The permissions the new file gets.
enum class Access {
    OwnerOnly, // read and write for the owner alone
    Inherited // those of the file replaced; for a new file, the usual ones
};

// Writes the parts one after the other as the new content of path. On
// failure the old file stays as it was, nothing is left behind, and the
// reason is given in French in *error.
bool writeWorkingFile(const QString &path, std::span<const QByteArrayView> parts, Access access,
                      QString *error);

} // namespace FileReplace
