#pragma once

#include "PictureFiles.h"

class QtPictureFiles : public PictureFiles
{
public:
    bool writeBitmap(const QString &path, const QImage &image, Durability durability,
                     QString *error) override;
    QImage readPicture(const QString &path, QString *error) override;
};
