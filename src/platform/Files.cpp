#include "Files.h"

#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QTemporaryFile>

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

QString errorInFrench(const QString &systemError)
{
    struct Wording {
        const char *english;
        const char *french;
    };
    static const QList<Wording> wordings = {
        {"No such file or directory", "fichier ou dossier introuvable"},
        {"Permission denied", "accès refusé"},
        {"Operation not permitted", "opération interdite"},
        {"Is a directory", "un dossier porte ce nom"},
        {"Not a directory", "le chemin ne mène pas à un dossier"},
        {"No space left on device", "plus de place sur le disque"},
        {"Read-only file system", "le disque est en lecture seule"},
        {"File name too long", "nom de fichier trop long"},
        {"Disk quota exceeded", "quota disque dépassé"},
        {"Input/output error", "erreur d'entrée-sortie du disque"},
        {"Too many open files", "trop de fichiers ouverts"},
        {"Directory not empty", "le dossier n'est pas vide"},
        // Qt's own wordings when a file is replaced through a temporary file.
        {"Filename refers to a directory", "un dossier porte ce nom"},
        {"is not writable", ReadOnlyReason},
    };
    for (const Wording &w : wordings)
        if (systemError.contains(QLatin1String(w.english), Qt::CaseInsensitive))
            return QString::fromUtf8(w.french);
    return systemError.isEmpty() ? QStringLiteral("erreur inconnue") : systemError;
}

} // namespace Files
