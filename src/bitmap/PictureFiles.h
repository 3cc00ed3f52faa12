#pragma once

#include "platform/Durability.h"

#include <QImage>
#include <QString>

// Writing and reading picture files. Every write replaces the file
// atomically: a reader sees either the old file or the new one, whole.
class PictureFiles
{
public:
    virtual ~PictureFiles() = default;

    // Writes the image as a Windows bitmap. A durable write refuses to replace
    // a read-only file and keeps the permissions of the file it replaces. On
    // failure returns false and describes the reason in *error.
    virtual bool writeBitmap(const QString &path, const QImage &image, Durability durability,
                             QString *error)
        = 0;

    // Reads a picture file; a null image on failure, with the reason in *error.
    virtual QImage readPicture(const QString &path, QString *error) = 0;

    // Reads back a file just written from an image, as readPicture reads it,
    // and tells in *same whether it held exactly the pixels written.
    virtual QImage readBack(const QString &path, const QImage &written, bool *same, QString *error);

    // Whether two opaque images have the same size and the same pixels.
    static bool samePixels(const QImage &a, const QImage &b);
};
