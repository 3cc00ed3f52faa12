#pragma once

// Qt's image writer stores a board in 24 bits, and its reader and writer move
// it row by row through a device, converting every pixel: the board's own
// rows go to and come from its files here unconverted, a whole board in one
// system call each way where the system allows it.

#include "FileReplace.h"

#include <QImage>
#include <QString>

// Writing and reading the board's bitmap files. Every write replaces the file
// atomically: a reader sees either the old file or the new one, whole.
namespace BitmapFiles {

// Writes the image as a Windows bitmap. On failure returns false and
// describes the reason in French in *error.
bool write(const QString &path, const QImage &image, FileRole role, QString *error);

// Reads a picture file, of it only its top-left part of at most the size
// given, if any; a null image on failure, with the reason in *error, and in
// *advice what the user can do about it, when there is something.
QImage read(const QString &path, QString *error, QSize most = {}, QString *advice = nullptr);

} // namespace BitmapFiles
