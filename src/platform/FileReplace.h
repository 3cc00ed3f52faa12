#pragma once

#include <QByteArrayView>
#include <QString>

#include <span>

// Replacing a working file without waiting for the disk. The new content goes
// to a hidden file beside the old one, which then takes its name in one step:
// a reader sees the old file or the new one, whole, and never a mix.
namespace FileReplace {

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
