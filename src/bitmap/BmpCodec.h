#pragma once

// Qt's codec writes a board as 24-bit bitmap rows, converting every pixel on
// the way out and back in: the editor writes 32-bit bitmaps, bottom-up,
// uncompressed, the layout a board already has in memory, so a write and a
// read cost little more than moving the bytes.

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>

// Windows bitmap encoding and decoding.
namespace BmpCodec {

QByteArray encode(const QImage &image);

// The editor's own layout: the headers, then 32-bit pixels, uncompressed,
// from the bottom row up, each row the image's own scan line.
inline constexpr int OwnHeaderSize = 54;

// The headers of an encoded image of this size.
QByteArray header(int width, int height);

// The size of the image a file in the editor's own layout holds, from its
// first OwnHeaderSize bytes and its length in bytes; an empty size for a
// file of any other layout, or too short for its pixels.
QSize ownLayoutSize(QByteArrayView head, qint64 fileSize);

// Sets the unused byte of every pixel, as an opaque image wants: rows read
// straight from a file hold whatever its writer put there.
void makeOpaque(QImage &image);

// Decodes a Windows bitmap: the editor's own layout directly, any other that
// a Windows program may write (1 to 32 bits, run-length encoded or not,
// either row order) by a strict reader, within Qt's image allocation limit.
// Returns a null image when the bytes are no whole, well-formed bitmap.
QImage decode(const QByteArray &bytes);

// Reads length bytes of a file from offset on into to; false when it cannot.
using ReadAt = std::function<bool(qint64 offset, qint64 length, char *to)>;

// Decodes the top-left part, at most `most` in size, of a bitmap file of
// fileSize bytes, as decode() reads any bitmap. Only the headers, the palette
// and the start of each row the part covers are read, so the memory taken
// follows the part, not the file; a run-length encoded file is read whole, up
// to a bound. A null image when refused; when the user can do something about
// it, *advice says what, in French.
QImage decodeTopLeft(qint64 fileSize, QSize most, const ReadAt &readAt, QString *advice);

// The size of the picture a bitmap's headers describe, or an invalid size
// when they are broken or promise more pixels than the bytes can hold. Reads
// no pixel and allocates nothing in proportion to the picture: decode()
// refuses, before any allocation, every bitmap refused here.
QSize pictureSize(const QByteArray &bytes);

} // namespace BmpCodec
