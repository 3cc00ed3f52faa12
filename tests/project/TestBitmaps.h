#pragma once

#include "bitmap/BmpCodec.h"

#include <QFile>
#include <QImage>

// Bitmaps the project tests put in their folders.
inline QImage solid(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

inline void writeBitmap(const QString &path, const QImage &image)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(BmpCodec::encode(image)) < 0)
        qFatal("cannot write a test bitmap");
}
