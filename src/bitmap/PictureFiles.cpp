#include "PictureFiles.h"

#include <cstring>

QImage PictureFiles::readBack(const QString &path, const QImage &written, bool *same,
                              QString *error)
{
    QImage image = readPicture(path, error);
    *same = samePixels(image, written);
    return image;
}

bool PictureFiles::samePixels(const QImage &a, const QImage &b)
{
    if (a.isNull() || a.size() != b.size() || a.format() != QImage::Format_RGB32
        || b.format() != QImage::Format_RGB32)
        return false;
    const size_t rowBytes = size_t(a.width()) * 4;
    for (int y = 0; y < a.height(); ++y)
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), rowBytes) != 0)
            return false;
    return true;
}
