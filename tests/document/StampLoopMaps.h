#pragma once

#include <QCryptographicHash>
#include <QImage>

// What stamp_loop prints of each map it commits, and the kill test compares.
inline QByteArray mapHash(const QImage &map)
{
    const QImage pixels = map.convertToFormat(QImage::Format_RGB32);
    return QCryptographicHash::hash(QByteArrayView(pixels.constBits(), pixels.sizeInBytes()),
                                    QCryptographicHash::Sha1)
        .toHex();
}
