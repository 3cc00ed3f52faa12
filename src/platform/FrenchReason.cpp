#include "FrenchReason.h"

#include <QList>

namespace {

const char *const kReadOnly = "le fichier existant est protégé en écriture";

} // namespace

QString readOnlyReason() { return QString::fromUtf8(kReadOnly); }

QString frenchReason(const QString &systemReason)
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
        {"is not writable", kReadOnly},
    };
    for (const Wording &w : wordings)
        if (systemReason.contains(QLatin1String(w.english), Qt::CaseInsensitive))
            return QString::fromUtf8(w.french);
    return systemReason.isEmpty() ? QStringLiteral("erreur inconnue") : systemReason;
}
