#include "Files.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>

namespace Files {
namespace {

const char *const ReadOnlyReason = "le fichier existant est protégé en écriture";

} // namespace

QString resolve(const QString &folder, const QString &name)
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

bool exists(const QString &folder, const QString &name)
{
    const QFileInfo info(resolve(folder, name));
    return info.exists() && info.isFile();
}

bool isReadOnly(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && (!info.isWritable() || !info.permission(QFileDevice::WriteOwner));
}

bool canCreateFiles(const QString &folder, QString *error)
{
    // A hidden name, so that a probe left behind by a crash stays out of sight.
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".vantorel-XXXXXX.tmp")));
    probe.setAutoRemove(false);
    if (!probe.open()) {
        if (error)
            *error = errorInFrench(probe.errorString());
        return false;
    }
    probe.close();
    if (!probe.remove()) {
        if (error)
            *error = errorInFrench(probe.errorString());
        return false;
    }
    return true;
}

QString readOnlyError() { return QString::fromUtf8(ReadOnlyReason); }

namespace {

// The system's reasons: its error number, its English wording, ours.
struct Wording {
    int code;
    const char *english;
    const char *french;
};

const Wording Wordings[] = {
    {ENOENT, "No such file or directory", "fichier ou dossier introuvable"},
    {EACCES, "Permission denied", "accès refusé"},
    {EPERM, "Operation not permitted", "opération interdite"},
    {EISDIR, "Is a directory", "un dossier porte ce nom"},
    {ENOTDIR, "Not a directory", "le chemin ne mène pas à un dossier"},
    {ENOSPC, "No space left on device", "plus de place sur le disque"},
    {EROFS, "Read-only file system", "le disque est en lecture seule"},
    {ENAMETOOLONG, "File name too long", "nom de fichier trop long"},
    {EDQUOT, "Disk quota exceeded", "quota disque dépassé"},
    {EIO, "Input/output error", "erreur d'entrée-sortie du disque"},
    {EMFILE, "Too many open files", "trop de fichiers ouverts"},
    {ENOTEMPTY, "Directory not empty", "le dossier n'est pas vide"},
    {EFBIG, "File too large", "fichier trop volumineux pour ce disque"},
    // Qt's own wordings when a file is replaced through a temporary file.
    {0, "Filename refers to a directory", "un dossier porte ce nom"},
    {0, "is not writable", ReadOnlyReason},
    // Qt's when the system gave no reason.
    {0, "Unknown error", "erreur inconnue"},
};

} // namespace

QString errorInFrench(const QString &systemError)
{
    for (const Wording &w : Wordings)
        if (systemError.contains(QLatin1String(w.english), Qt::CaseInsensitive))
            return QString::fromUtf8(w.french);
    return systemError.isEmpty() ? QStringLiteral("erreur inconnue") : systemError;
}

QString errorInFrench(int code)
{
    for (const Wording &w : Wordings)
        if (w.code == code && code != 0)
            return QString::fromUtf8(w.french);
    return errorInFrench(QString::fromLocal8Bit(std::strerror(code)));
}

} // namespace Files
