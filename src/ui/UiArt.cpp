#include "UiArt.h"

#include <QFile>

namespace UiArt {
namespace {

QString resource(const QString &fileName) { return QStringLiteral(":/ui/") + fileName; }

void addIfPresent(QIcon &icon, const QString &fileName)
{
    const QString path = resource(fileName);
    if (QFile::exists(path))
        icon.addFile(path);
}

} // namespace

QIcon buttonIcon(const QString &stem)
{
    QIcon icon;
    addIfPresent(icon, stem + QStringLiteral(".png"));
    addIfPresent(icon, stem + QStringLiteral("16.png"));
    return icon;
}

QPixmap banner() { return QPixmap(resource(QStringLiteral("banner.png"))); }

QIcon programIcon()
{
    QIcon icon;
    // A window icon needs no more than 64 pixels; the larger sizes are for
    // the desktop's icon theme, installed beside the program.
    for (int size : {16, 32, 48, 64})
        addIfPresent(icon, QStringLiteral("icon-%1.png").arg(size));
    if (icon.isNull())
        addIfPresent(icon, QStringLiteral("icon.png"));
    return icon;
}

} // namespace UiArt
