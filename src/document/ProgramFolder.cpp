#include "ProgramFolder.h"

#include "platform/Files.h"

#include <QDir>

ProgramFolder::ProgramFolder(const QString &path) : path_(QDir::cleanPath(path)) {}

QString ProgramFolder::file(const QString &name) const { return Files::resolve(path_, name); }

bool ProgramFolder::exists(const QString &name) const { return Files::exists(path_, name); }

QString ProgramFolder::displayPath(const QString &name) const
{
    if (name.isEmpty())
        return QDir::toNativeSeparators(path_);
    return QDir::toNativeSeparators(path_ + QLatin1Char('/') + name);
}
