#include "bitmap/BmpCodec.h"
#include "document/BoardModel.h"

#include <QByteArray>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// The open path from a project file's bytes to the committed board: the
// bitmap is decoded, and committed when it decodes. Whatever the bytes, a
// picture that decodes has the size its headers give and opaque pixels, and
// the board made of it is board-sized with the picture in its top-left
// corner. Any breach aborts, which libFuzzer reports as a crash.

namespace {

void require(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "open path broken: %s\n", what);
        std::abort();
    }
}

bool opaque(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(row[x]) != 255)
                return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes
        = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const QSize headerSize = BmpCodec::pictureSize(bytes);
    const QImage picture = BmpCodec::decode(bytes);
    // A file is opened by its corner the board shows, read piece by piece.
    const BmpCodec::ReadAt readAt = [&bytes](qint64 offset, qint64 length, char *to) {
        if (offset < 0 || length < 0 || offset + length > bytes.size())
            return false;
        std::memcpy(to, bytes.constData() + offset, size_t(length));
        return true;
    };
    QString advice;
    const QImage corner
        = BmpCodec::decodeTopLeft(bytes.size(), Board::area().size(), readAt, &advice);
    require(corner.isNull()
                || (corner.width() <= Board::Width && corner.height() <= Board::Height
                    && corner.format() == QImage::Format_RGB32 && opaque(corner)),
            "the board's corner of a picture is no opaque board-sized part");
    if (picture.isNull())
        return 0;
    require(corner == picture.copy(Board::area() & picture.rect()),
            "the board's corner differs from the whole picture's");
    require(headerSize.isValid(), "a bitmap its headers refuse was decoded");
    require(picture.size() == headerSize, "the picture differs in size from its headers");
    require(picture.format() == QImage::Format_RGB32, "the picture is not 32-bit RGB");
    require(opaque(picture), "the picture has a pixel that is not opaque");

    // One board for every input, as the editor keeps one for every open.
    static BoardModel board;
    board.setMap(picture);
    const QImage &committed = board.map();
    require(committed.size() == Board::area().size(), "the board is not board-sized");
    require(committed.format() == QImage::Format_RGB32, "the board is not 32-bit RGB");
    const QRect shown = Board::area() & picture.rect();
    const qsizetype shownBytes = qsizetype(shown.width()) * 4;
    for (int y = 0; y < Board::Height; ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(committed.constScanLine(y));
        const int from = y < shown.height() ? shown.width() : 0;
        require(from == 0 || std::memcmp(row, picture.constScanLine(y), size_t(shownBytes)) == 0,
                "the board does not show the picture from its top-left corner");
        require(std::all_of(row + from, row + Board::Width,
                            [](QRgb pixel) { return pixel == qRgb(255, 255, 255); }),
                "the board is not white beyond the picture");
    }
    return 0;
}
