#pragma once

#include "PictureFiles.h"

#include <QByteArray>

class QtPictureFiles : public PictureFiles
{
public:
    bool writeBitmap(const QString &path, const QImage &image, Durability durability,
                     QString *error) override;
    QImage readPicture(const QString &path, QString *error) override;
    QImage readBack(const QString &path, const QImage &written, bool *same,
                    QString *error) override;

private:
    // Reads a picture file, and with an image written, compares them.
    QImage read(const QString &path, const QImage &written, bool *same, QString *error);

    // The bytes of the last file read, kept so that the next one of its size
    // lands in memory already in use.
    QByteArray readBuffer_;
};
