#include "QtExportDialogs.h"

#include <QFileDialog>
#include <QInputDialog>

int QtExportDialogs::chooseScale(int proposed, int maximum)
{
    bool ok = false;
    const int scale = QInputDialog::getInt(
        parent_, QStringLiteral("Exporter en image"),
        QStringLiteral("Pixels de l'image par pixel du plan (1 à %1) :").arg(maximum), proposed, 1,
        maximum, 1, &ok);
    return ok ? scale : 0;
}

QString QtExportDialogs::saveFileName(const QString &title, const QString &proposedPath,
                                      const QString &filter)
{
    // The save dialog asks before replacing a file of that name.
    return QFileDialog::getSaveFileName(parent_, title, proposedPath, filter);
}
