#pragma once

#include <QByteArray>
#include <QImage>

// Windows bitmap encoding and decoding. The editor writes 32-bit bitmaps,
// bottom-up, uncompressed: the layout a board already has in memory, so a
// write and a read cost little more than moving the bytes.
namespace BmpCodec {

QByteArray encode(const QImage &image);

// Decodes a picture file's bytes: the editor's own layout directly, any other
// bitmap or picture through Qt's readers within their allocation limit.
// Returns a null image when the bytes are no readable picture.
QImage decode(const QByteArray &bytes);

} // namespace BmpCodec
