#pragma once

#include "Durability.h"

#include <QImage>
#include <QString>

// Writing and reading picture files. Every write replaces the file
// atomically: a reader sees either the old file or the new one, whole.
class PictureFiles
{
public:
    virtual ~PictureFiles() = default;

    // Writes the image as a Windows bitmap. On failure returns false and
    // describes the reason in *error.
    virtual bool writeBitmap(const QString &path, const QImage &image, Durability durability,
                             QString *error)
        = 0;

    // Reads a picture file; a null image on failure, with the reason in *error.
    virtual QImage readPicture(const QString &path, QString *error) = 0;
};
