#include "QtFileSystem.h"
#include "FrenchReason.h"
#include "bitmap/FileReplace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

QString QtFileSystem::resolve(const QString &folder, const QString &name) const
{
    QString exact = QDir(folder).filePath(name);
    if (QFileInfo(exact).exists())
        return exact;
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden
                                                       | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return QDir(folder).filePath(entry);
    return exact;
}

bool QtFileSystem::exists(const QString &folder, const QString &name) const
{
    const QFileInfo info(resolve(folder, name));
    return info.exists() && info.isFile();
}

bool QtFileSystem::copyFile(const QString &from, const QString &to, Durability durability,
                            QString *error)
{
    const QFileInfo source(from);
    const QFileInfo target(to);
    if (target.exists() && source.exists()
        && source.canonicalFilePath() == target.canonicalFilePath())
        return true; // a file copied onto itself stays as it is

    QFile in(from);
    if (!in.open(QIODevice::ReadOnly)) {
        if (error)
            *error = frenchReason(in.errorString());
        return false;
    }
    if (durability == Durability::Mirror) {
        // The documents copied this way are small: read whole, written at once.
        const QByteArray bytes = in.readAll();
        if (in.error() != QFileDevice::NoError) {
            if (error)
                *error = frenchReason(in.errorString());
            return false;
        }
        const QByteArrayView parts[] = {bytes};
        return FileReplace::writeWorkingFile(to, parts, FileReplace::Access::Inherited, error);
    }
    QSaveFile out(to);
    if (!FileReplace::openDurable(out, error))
        return false;
    char chunk[64 * 1024];
    for (;;) {
        const qint64 n = in.read(chunk, sizeof chunk);
        if (n < 0) {
            if (error)
                *error = frenchReason(in.errorString());
            out.cancelWriting();
            return false;
        }
        if (n == 0)
            break;
        if (out.write(chunk, n) != n) {
            if (error)
                *error = frenchReason(out.errorString());
            out.cancelWriting();
            return false;
        }
    }
    if (!out.commit()) {
        if (error)
            *error = frenchReason(out.errorString());
        return false;
    }
    return true;
}

bool QtFileSystem::isReadOnly(const QString &path) const { return FileReplace::isReadOnly(path); }

bool QtFileSystem::canCreateFiles(const QString &folder, QString *error)
{
    // A hidden name, so that a probe left behind by a crash stays out of sight.
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".vantorel-XXXXXX.tmp")));
    probe.setAutoRemove(false);
    if (!probe.open()) {
        if (error)
            *error = frenchReason(probe.errorString());
        return false;
    }
    probe.close();
    if (!probe.remove()) {
        if (error)
            *error = frenchReason(probe.errorString());
        return false;
    }
    return true;
}
