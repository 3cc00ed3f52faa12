#pragma once

#include <QByteArray>
#include <QImage>

// Windows bitmap encoding and decoding. The editor writes 32-bit bitmaps,
// bottom-up, uncompressed: the layout a board already has in memory, so a
// write and a read cost little more than moving the bytes.
namespace BmpCodec {

QByteArray encode(const QImage &image);

// Decodes a Windows bitmap: the editor's own layout directly, any other that
// a Windows program may write (1 to 32 bits, run-length encoded or not,
// either row order) by a strict reader, within Qt's image allocation limit.
// Returns a null image when the bytes are no whole, well-formed bitmap.
QImage decode(const QByteArray &bytes);

} // namespace BmpCodec
