#include "ProjectName.h"

#include "project/ProjectFiles.h"

#include <QStringList>

namespace {

const QString Forbidden = QStringLiteral("/\\:*?\"<>|");

bool isControl(QChar c) { return c.unicode() < 0x20 || c.category() == QChar::Other_Control; }

// Windows gives these names to devices, with or without an extension and
// with trailing blanks: "con", "Nul.a" and "aux " all name a device.
bool isReservedByWindows(const QString &name)
{
    static const QStringList devices = [] {
        QStringList list = {QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"),
                            QStringLiteral("NUL")};
        for (int i = 1; i <= 9; ++i) {
            list.append(QStringLiteral("COM%1").arg(i));
            list.append(QStringLiteral("LPT%1").arg(i));
        }
        return list;
    }();
    QString base = name.section(QLatin1Char('.'), 0, 0);
    while (base.endsWith(QLatin1Char(' ')))
        base.chop(1);
    return devices.contains(base, Qt::CaseInsensitive);
}

} // namespace

int ProjectName::length(const QString &name) { return int(name.toUcs4().size()); }

QString ProjectName::trimmed(const QString &name)
{
    qsizetype first = 0;
    qsizetype last = name.size();
    while (first < last && name.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && name.at(last - 1) == QLatin1Char(' '))
        --last;
    return name.mid(first, last - first);
}

QString ProjectName::refusal(const QString &name)
{
    for (QChar c : name) {
        if (isControl(c))
            return QStringLiteral("Le nom contient un caractère de contrôle, interdit dans un nom "
                                  "de fichier.");
        if (Forbidden.contains(c))
            return QStringLiteral("Le nom « %1 » contient le caractère « %2 », interdit dans un "
                                  "nom de fichier.\nCes caractères ne sont pas admis : / \\ : * ? "
                                  "\" < > |")
                .arg(name, c);
    }
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("Le nom « %1 » désigne un dossier et ne peut pas nommer un projet.")
            .arg(name);
    if (isReservedByWindows(name))
        return QStringLiteral("Le nom « %1 » est réservé par Windows à un périphérique (CON, PRN, "
                              "AUX, NUL, COM1 à COM9, LPT1 à LPT9).")
            .arg(name);
    if (namesHelpDocument(name))
        return QStringLiteral("Le nom « %1 » est celui du document d'aide du programme.").arg(name);
    // Every start makes the start-up project's document anew from the
    // template: a scenario saved under its name would not outlive the session.
    if (trimmed(name).compare(ProjectFiles::StartProject, Qt::CaseInsensitive) == 0)
        return QStringLiteral("Le nom « %1 » est celui du projet de démarrage : son scénario "
                              "serait le document « %2 », que Vantorel Editor remplace par le "
                              "modèle vierge à chaque démarrage. Il serait perdu.")
            .arg(name, ProjectFiles::StartDocument);
    // The editor rewrites these bitmaps at every change of the board: a map
    // saved under their name would not stay as it was saved.
    for (const QString &working : {ProjectFiles::CommittedBoard, ProjectFiles::MovedBlock})
        if ((name + ProjectFiles::BitmapSuffix).compare(working, Qt::CaseInsensitive) == 0)
            return QStringLiteral("Le nom « %1 » est celui d'un fichier de travail du programme, "
                                  "réécrit à chaque modification du plan.")
                .arg(name);
    // Opening takes a project's name from its file name up to the first dot:
    // a map saved as "v1.2" could never be opened again under its name.
    if (name.contains(QLatin1Char('.')))
        return QStringLiteral("Le nom « %1 » contient un point : le projet ne pourrait pas être "
                              "rouvert sous ce nom, l'ouverture ne lisant le nom que jusqu'au "
                              "premier point.")
            .arg(name);
    return {};
}

bool ProjectName::namesHelpDocument(const QString &name)
{
    return (trimmed(name) + ProjectFiles::DocumentSuffix)
               .compare(ProjectFiles::Help, Qt::CaseInsensitive)
           == 0;
}

QString ProjectName::ofFileName(const QString &fileName)
{
    return trimmed(fileName.section(QLatin1Char('.'), 0, 0));
}

bool ProjectName::staysInFolder(const QString &fileName)
{
    return !fileName.contains(QLatin1Char('/')) && !fileName.contains(QChar(0))
           && fileName != QLatin1String(".") && fileName != QLatin1String("..");
}
