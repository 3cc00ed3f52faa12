#include "ProgramFolder.h"

#include "platform/FileSystem.h"

#include <QDir>

ProgramFolder::ProgramFolder(const QString &path, const FileSystem &files)
    : path_(QDir::cleanPath(path)), files_(files)
{}

QString ProgramFolder::file(const QString &name) const { return files_.resolve(path_, name); }

bool ProgramFolder::exists(const QString &name) const { return files_.exists(path_, name); }

QString ProgramFolder::displayPath(const QString &name) const
{
    if (name.isEmpty())
        return QDir::toNativeSeparators(path_);
    return QDir::toNativeSeparators(path_ + QLatin1Char('/') + name);
}
