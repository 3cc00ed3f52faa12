#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The window's own pictures: button faces, title banner and program icon,
// compiled in as one pack of plain pixels, so that start-up decodes none. A
// missing picture gives a null icon or pixmap, so the window still opens
// without its artwork.
namespace UiArt {

// A button face by file stem ("select", "erase", ...), with its 16-pixel
// version when there is one ("erase16").
QIcon buttonIcon(const QString &stem);

QPixmap banner();

// The program icon at every size drawn.
QIcon programIcon();

} // namespace UiArt
