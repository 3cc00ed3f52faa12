#include "UiArt.h"

#include "bitmap/PixelPack.h"

#include <QHash>

namespace UiArt {
namespace {

// The pictures by file name, as plain pixels in the program's image: each
// one is shown from there, with nothing decoded. An entry is the length of
// its name, its width, height and image format, the name padded to whole
// words, then its pixels. A pack that is missing or does not read right
// gives no picture.
QHash<QString, QImage> unpack()
{
    QHash<QString, QImage> pictures;
    PixelPack pack(QStringLiteral(":/ui.pack"), "VPPK");
    for (quint32 n = 0; n < pack.count() && pack.has(16); ++n) {
        const qint64 nameBytes = pack.word();
        const qint64 width = pack.word();
        const qint64 height = pack.word();
        const auto format = QImage::Format(pack.word());
        const QByteArrayView padded = pack.bytes((nameBytes + 3) / 4 * 4);
        if (padded.size() < nameBytes
            || (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32))
            break;
        const QImage image = pack.image(width, height, format);
        if (image.isNull())
            break;
        pictures.insert(QString::fromUtf8(padded.first(nameBytes)), image);
    }
    return pictures;
}

QImage picture(const QString &fileName)
{
    static const QHash<QString, QImage> pictures = unpack();
    return pictures.value(fileName);
}

void addIfPresent(QIcon &icon, const QString &fileName)
{
    const QImage image = picture(fileName);
    if (!image.isNull())
        icon.addPixmap(QPixmap::fromImage(image));
}

} // namespace

QIcon buttonIcon(const QString &stem)
{
    QIcon icon;
    addIfPresent(icon, stem + QStringLiteral(".png"));
    addIfPresent(icon, stem + QStringLiteral("16.png"));
    return icon;
}

QPixmap banner() { return QPixmap::fromImage(picture(QStringLiteral("banner.png"))); }

QIcon programIcon()
{
    QIcon icon;
    // A window icon needs no more than 64 pixels; the larger sizes are for
    // the desktop's icon theme, installed beside the program.
    for (int size : {16, 32, 48, 64})
        addIfPresent(icon, QStringLiteral("icon-%1.png").arg(size));
    return icon;
}

} // namespace UiArt
