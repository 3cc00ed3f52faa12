#pragma once

#include <QByteArray>
#include <QImage>

// Writes an image as an 8-bit RGB PNG with a deflate coder of its own, so that
// the bytes depend on nothing but the pixels: the system's zlib and libpng may
// compress differently from one machine to the next.
namespace PngEncoder {

QByteArray encode(const QImage &image);

} // namespace PngEncoder
