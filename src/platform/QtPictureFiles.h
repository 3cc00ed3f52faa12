#pragma once

#include "PictureFiles.h"

#include <QByteArray>

class QtPictureFiles : public PictureFiles
{
public:
    bool writeBitmap(const QString &path, const QImage &image, Durability durability,
                     QString *error) override;
    QImage readPicture(const QString &path, QString *error) override;

private:
    // The bytes of the last file read, kept so that the next one of its size
    // lands in memory already in use.
    QByteArray readBuffer_;
};
