#pragma once

#include <QByteArray>

class QImage;

namespace Png {

// Encodes an image as PNG with a deflate coder of our own, so that the bytes depend on the
// pixels alone and not on the zlib build of the machine. An image whose pixels are all opaque
// is written as 8-bit RGB, any other as 8-bit RGBA with straight (not premultiplied) alpha.
QByteArray encode(const QImage &image);

} // namespace Png
