// Qt's codec converts each row between 24 and 32 bits; these loops copy the
// board's rows as they are, and read any other bitmap by a strict reader
// that checks its headers against its bytes before it allocates anything.

#include "BmpCodec.h"

#include "ImageBuffers.h"

#include <QImageReader>
#include <QList>

#include <QtEndian>

#include <bit>
#include <cstring>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// A 32-bit pixel of QImage::Format_RGB32 is stored B, G, R, unused: the byte
// order of a 32-bit bitmap, on the little-endian machines the editor runs on.
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN);

namespace BmpCodec {
namespace {

constexpr int FileHeaderSize = 14;
constexpr int InfoHeaderSize = 40;
constexpr int PixelOffset = FileHeaderSize + InfoHeaderSize;
static_assert(PixelOffset == OwnHeaderSize);
constexpr quint32 PixelsPerMetre = 3780; // 96 dots per inch

// A run-length encoded bitmap can promise any number of pixels in a few bytes:
// an end of bitmap leaves the rest of the picture to the first palette colour.
// A run covers at most 255 pixels in two bytes, so a writer that encodes every
// row in runs spends more than a byte per 128 pixels. A picture larger than
// the free size must carry that much data, so that a small file cannot make
// the reader allocate and fill a huge image.
constexpr qint64 RlePixelsPerByte = 128;
constexpr qint64 RleFreePixels = qint64(2048) * 2048;
constexpr qint64 MaxRunLengthFileBytes = 64LL * 1024 * 1024;

void put16(uchar *p, quint16 v)
{
    p[0] = uchar(v);
    p[1] = uchar(v >> 8);
}

void put32(uchar *p, quint32 v)
{
    p[0] = uchar(v);
    p[1] = uchar(v >> 8);
    p[2] = uchar(v >> 16);
    p[3] = uchar(v >> 24);
}

quint16 get16(const uchar *p) { return quint16(p[0] | (p[1] << 8)); }

quint32 get32(const uchar *p)
{
    return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
}

// Qt's limit on the memory of one decoded image, which the editor keeps for
// every bitmap it reads.
bool fitsAllocationLimit(qint64 width, qint64 height)
{
    const qint64 limitMegabytes = QImageReader::allocationLimit();
    if (width <= 0 || height <= 0)
        return false;
    return limitMegabytes <= 0 || width <= limitMegabytes * 1024 * 1024 / 4 / height;
}

// Copies a row of 32-bit pixels whose fourth byte is unused and makes every
// pixel opaque, as the image wants; in and out may be the same row. The
// file's rows lie two bytes off a word boundary, so every load is unaligned;
// this runs once per board row at every open, hence the four-pixel steps.
void copyOpaqueRow(quint32 *out, const uchar *in, int width)
{
    int x = 0;
#if defined(__SSE2__)
    const __m128i opaque = _mm_set1_epi32(int(0xff000000u));
    for (; x + 4 <= width; x += 4) {
        const __m128i pixels = _mm_or_si128(
            _mm_loadu_si128(reinterpret_cast<const __m128i *>(in + 4 * qsizetype(x))), opaque);
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + x), pixels);
    }
#endif
    for (; x < width; ++x) {
        quint32 pixel;
        std::memcpy(&pixel, in + 4 * qsizetype(x), 4);
        out[x] = pixel | 0xff000000u;
    }
}

// The editor's own layout straight from memory. Anything else goes to the
// general reader.
QImage decodeDirect(const QByteArray &bytes)
{
    const QSize size = ownLayoutSize(bytes, bytes.size());
    if (size.isEmpty())
        return {};
    QImage image = ImageBuffers::rgb32(size.width(), size.height());
    if (image.isNull())
        return {};
    const qint64 rowBytes = qint64(size.width()) * 4;
    const uchar *src = reinterpret_cast<const uchar *>(bytes.constData()) + PixelOffset;
    for (int y = 0; y < size.height(); ++y)
        copyOpaqueRow(reinterpret_cast<quint32 *>(image.scanLine(y)),
                      src + rowBytes * (size.height() - 1 - y), size.width());
    return image;
}

enum Compression : quint32 {
    Rgb = 0,
    Rle8 = 1,
    Rle4 = 2,
    Bitfields = 3,
    Jpeg = 4,
    Png = 5,
    AlphaBitfields = 6
};

constexpr QSize Unbounded(std::numeric_limits<int>::max(), std::numeric_limits<int>::max());

// One colour channel of a 16- or 32-bit pixel, by its mask.
struct Channel {
    quint32 mask = 0;
    int shift = 0;
    int bits = 0;

    // A mask must be one run of set bits.
    bool set(quint32 m)
    {
        if (m == 0)
            return false;
        mask = m;
        shift = std::countr_zero(m);
        const quint32 run = m >> shift;
        if ((run & (run + 1)) != 0)
            return false;
        bits = std::popcount(run);
        return true;
    }

    // The channel widened to 8 bits by repeating its bits, as other readers
    // do, so that full intensity stays full: 5 bits v give (v << 3) | (v >> 2).
    int value(quint32 pixel) const
    {
        const quint32 v = (pixel & mask) >> shift;
        quint64 wide = 0;
        int filled = 0;
        while (filled < 8) {
            wide = (wide << bits) | v;
            filled += bits;
        }
        return int(wide >> (filled - 8));
    }
};

// A Windows bitmap read strictly: core and info headers up to the fifth
// version; 1, 4, 8, 16, 24 and 32 bits; uncompressed, RLE8, RLE4 and bit
// fields; bottom-up and top-down. A file that breaks the format anywhere, or
// ends before its pixels do, is refused rather than guessed at.
class BitmapReader
{
public:
    // The bytes of the whole file, decoded whole.
    explicit BitmapReader(QByteArrayView bytes) : BitmapReader(bytes, bytes.size(), Unbounded, {})
    {}

    // The first bytes of a file of fileSize bytes, at least up to its pixels,
    // the rows fetched from the file as they are needed; the picture is cut
    // to its top-left part of at most the size given.
    BitmapReader(QByteArrayView head, qint64 fileSize, QSize most, BmpCodec::ReadAt readAt)
        : p_(reinterpret_cast<const uchar *>(head.data())), held_(head.size()), size_(fileSize),
          most_(most), readAt_(std::move(readAt))
    {}

    // Reads the headers and the palette, and checks that the file can hold
    // the pixels the headers promise. Allocates nothing in proportion to the
    // picture, so every refusal here costs next to nothing.
    bool accept() { return readHeaders() && readPalette() && holdsPixels(); }

    QSize size() const { return {int(width_), int(height_)}; }
    bool isRunLength() const { return compression_ == Rle8 || compression_ == Rle4; }
    // JPEG or PNG inside a bitmap, which the reader refuses.
    bool isEmbedded() const { return compression_ == Jpeg || compression_ == Png; }

    // Decodes the pixels of an accepted bitmap, those of its top-left part.
    QImage read()
    {
        image_ = ImageBuffers::rgb32(int(shownWidth()), int(shownHeight()));
        if (image_.isNull())
            return {};
        const bool ok = isRunLength() ? readRunLengths() : readRows();
        return ok ? image_ : QImage();
    }

private:
    qint64 shownWidth() const { return qMin<qint64>(width_, most_.width()); }
    qint64 shownHeight() const { return qMin<qint64>(height_, most_.height()); }

    qint64 rowBytes() const { return (width_ * bitCount_ + 31) / 32 * 4; }

    // Where run-length data ends: at the size the header gives, if the file
    // holds that much, else at the end of the file.
    qint64 runLengthEnd() const
    {
        if (imageBytes_ != 0 && pixelOffset_ + qint64(imageBytes_) < size_)
            return pixelOffset_ + imageBytes_;
        return size_;
    }

    bool holdsPixels() const
    {
        if (isRunLength())
            return width_ * height_
                   <= qMax(RleFreePixels, (runLengthEnd() - pixelOffset_) * RlePixelsPerByte);
        // The last row may come without its padding.
        const qint64 lastRowBytes = (width_ * bitCount_ + 7) / 8;
        return pixelOffset_ + rowBytes() * (height_ - 1) + lastRowBytes <= size_;
    }

    bool readHeaders()
    {
        if (held_ < FileHeaderSize + 12 || p_[0] != 'B' || p_[1] != 'M')
            return false;
        pixelOffset_ = get32(p_ + 10);
        headerSize_ = get32(p_ + 14);
        const uchar *h = p_ + FileHeaderSize;
        qint64 height = 0;
        int planes = 0;
        if (headerSize_ == 12) {
            // The oldest layout: 16-bit sizes, palette entries of three bytes.
            width_ = get16(h + 4);
            height = get16(h + 6);
            planes = get16(h + 8);
            bitCount_ = get16(h + 10);
            compression_ = Rgb;
            paletteEntryBytes_ = 3;
            if (bitCount_ != 1 && bitCount_ != 4 && bitCount_ != 8 && bitCount_ != 24)
                return false;
        } else if (headerSize_ == 40 || headerSize_ == 52 || headerSize_ == 56 || headerSize_ == 64
                   || headerSize_ == 108 || headerSize_ == 124) {
            if (held_ < FileHeaderSize + qint64(headerSize_))
                return false;
            width_ = qint32(get32(h + 4));
            height = qint32(get32(h + 8));
            planes = get16(h + 12);
            bitCount_ = get16(h + 14);
            compression_ = get32(h + 16);
            imageBytes_ = get32(h + 20);
            coloursUsed_ = get32(h + 32);
            paletteEntryBytes_ = 4;
        } else {
            return false;
        }
        if (planes != 1 || width_ <= 0 || height == 0)
            return false;
        topDown_ = height < 0;
        height_ = topDown_ ? -height : height;
        if (!fitsAllocationLimit(shownWidth(), shownHeight()))
            return false;

        tableStart_ = FileHeaderSize + qint64(headerSize_);
        if (!readCompression())
            return false;
        // Run lengths are read from memory, the whole file.
        return pixelOffset_ >= tableStart_ && pixelOffset_ < size_ && pixelOffset_ <= held_
               && (!isRunLength() || held_ == size_);
    }

    bool readCompression()
    {
        switch (compression_) {
        case Rgb:
            if (bitCount_ == 16)
                return setMasks(0x7c00, 0x03e0, 0x001f);
            if (bitCount_ == 32)
                return setMasks(0xff0000, 0x00ff00, 0x0000ff);
            return bitCount_ == 1 || bitCount_ == 4 || bitCount_ == 8 || bitCount_ == 24;
        case Rle8:
            return bitCount_ == 8 && !topDown_;
        case Rle4:
            return bitCount_ == 4 && !topDown_;
        case Bitfields:
        case AlphaBitfields: {
            // The second layout of 64 bytes gives these codes other meanings.
            if ((bitCount_ != 16 && bitCount_ != 32) || headerSize_ == 64)
                return false;
            // Masks stand in the header from its third version on, else
            // right after it; the alpha mask is of no use on an opaque board.
            const qint64 maskBytes = compression_ == Bitfields ? 12 : 16;
            const uchar *m = p_ + FileHeaderSize + 40;
            if (headerSize_ == 40) {
                if (tableStart_ + maskBytes > held_)
                    return false;
                tableStart_ += maskBytes;
            }
            const quint32 r = get32(m), g = get32(m + 4), b = get32(m + 8);
            if (bitCount_ == 16 && ((r | g | b) >> 16) != 0)
                return false;
            return setMasks(r, g, b);
        }
        default:
            return false;
        }
    }

    bool setMasks(quint32 r, quint32 g, quint32 b)
    {
        if ((r & g) || (r & b) || (g & b))
            return false;
        return red_.set(r) && green_.set(g) && blue_.set(b);
    }

    bool readPalette()
    {
        if (bitCount_ > 8)
            return true;
        const qint64 full = qint64(1) << bitCount_;
        qint64 count = coloursUsed_ == 0 ? full : qMin<qint64>(coloursUsed_, full);
        // A short table ends where the pixels begin.
        count = qMin(count, (pixelOffset_ - tableStart_) / paletteEntryBytes_);
        if (count < 1)
            return false;
        palette_.resize(count);
        for (qint64 i = 0; i < count; ++i) {
            const uchar *e = p_ + tableStart_ + i * paletteEntryBytes_;
            palette_[i] = qRgb(e[2], e[1], e[0]);
        }
        return true;
    }

    // The rows of the top-left part, each read only as far as it shows.
    bool readRows()
    {
        const qint64 shown = shownHeight();
        const qint64 first = topDown_ ? 0 : height_ - shown;
        const qint64 needed = (shownWidth() * bitCount_ + 7) / 8;
        QByteArray fetched;
        if (held_ < size_)
            fetched.resize(needed);
        for (qint64 row = first; row < first + shown; ++row) {
            const qint64 offset = pixelOffset_ + rowBytes() * row;
            const uchar *in = p_ + offset;
            if (held_ < size_) {
                if (!readAt_(offset, needed, fetched.data()))
                    return false;
                in = reinterpret_cast<const uchar *>(fetched.constData());
            }
            const int y = int(topDown_ ? row : height_ - 1 - row);
            if (!readRow(in, reinterpret_cast<QRgb *>(image_.scanLine(y))))
                return false;
        }
        return true;
    }

    bool readRow(const uchar *in, QRgb *out) const
    {
        const int width = int(shownWidth());
        switch (bitCount_) {
        case 1:
        case 4:
        case 8: {
            const int perByte = 8 / bitCount_;
            const int mask = (1 << bitCount_) - 1;
            for (int x = 0; x < width; ++x) {
                const int shift = 8 - bitCount_ * (x % perByte + 1);
                const int index = (in[x / perByte] >> shift) & mask;
                if (index >= palette_.size())
                    return false;
                out[x] = palette_[index];
            }
            return true;
        }
        case 16:
            for (int x = 0; x < width; ++x)
                out[x] = colour(get16(in + 2 * qsizetype(x)));
            return true;
        case 24:
            for (int x = 0; x < width; ++x, in += 3)
                out[x] = qRgb(in[2], in[1], in[0]);
            return true;
        case 32:
            for (int x = 0; x < width; ++x)
                out[x] = colour(get32(in + 4 * qsizetype(x)));
            return true;
        }
        return false;
    }

    QRgb colour(quint32 pixel) const
    {
        return qRgb(red_.value(pixel), green_.value(pixel), blue_.value(pixel));
    }

    // Runs, absolute runs, ends of line and deltas. Pixels a delta or an early
    // end skips take the first palette colour.
    bool readRunLengths()
    {
        image_.fill(palette_[0]);
        qint64 pos = pixelOffset_;
        const qint64 end = runLengthEnd();
        qint64 x = 0;
        qint64 y = 0; // counted from the bottom row
        const bool four = compression_ == Rle4;
        for (;;) {
            if (pos + 2 > end)
                return y >= height_; // every row ended, only the final mark missing
            const int count = p_[pos];
            const int second = p_[pos + 1];
            pos += 2;
            if (count > 0) {
                if (y >= height_)
                    return false;
                if (!put(y, x, count, [&](int i) {
                        return four ? (i % 2 == 0 ? second >> 4 : second & 0x0f) : second;
                    }))
                    return false;
                x += count;
                continue;
            }
            switch (second) {
            case 0: // end of line
                x = 0;
                if (++y > height_)
                    return false;
                break;
            case 1: // end of bitmap
                return true;
            case 2: // delta
                if (pos + 2 > end)
                    return false;
                x += p_[pos];
                y += p_[pos + 1];
                pos += 2;
                if (y > height_)
                    return false;
                break;
            default: { // absolute run of 'second' pixels, padded to a word
                const int n = second;
                qint64 bytes = four ? (n + 1) / 2 : n;
                bytes += bytes & 1;
                if (pos + bytes > end || y >= height_)
                    return false;
                const uchar *in = p_ + pos;
                if (!put(y, x, n, [&](int i) {
                        const uchar b = in[four ? i / 2 : i];
                        return four ? (i % 2 == 0 ? b >> 4 : b & 0x0f) : int(b);
                    }))
                    return false;
                x += n;
                pos += bytes;
                break;
            }
            }
        }
    }

    // Writes count pixels of a run from x on in the row y rows up from the
    // bottom. Writers pad rows to whole words with runs of their own, so what
    // falls beyond the right edge is dropped, unread.
    template<typename IndexAt> bool put(qint64 y, qint64 x, int count, IndexAt indexAt)
    {
        const qint64 fromTop = height_ - 1 - y;
        if (fromTop >= shownHeight())
            return true;
        QRgb *out = reinterpret_cast<QRgb *>(image_.scanLine(int(fromTop)));
        const qint64 visible = qBound(qint64(0), shownWidth() - x, qint64(count));
        for (int i = 0; i < visible; ++i) {
            const int index = indexAt(i);
            if (index >= palette_.size())
                return false;
            out[x + i] = palette_[index];
        }
        return true;
    }

    const uchar *p_;
    qint64 held_; // bytes at p_
    qint64 size_; // bytes in the file
    QSize most_;
    BmpCodec::ReadAt readAt_;
    qint64 pixelOffset_ = 0;
    quint32 headerSize_ = 0;
    qint64 width_ = 0;
    qint64 height_ = 0;
    bool topDown_ = false;
    int bitCount_ = 0;
    quint32 compression_ = Rgb;
    quint32 imageBytes_ = 0;
    quint32 coloursUsed_ = 0;
    int paletteEntryBytes_ = 4;
    qint64 tableStart_ = 0;
    Channel red_, green_, blue_;
    QList<QRgb> palette_;
    QImage image_;
};

} // namespace

QSize ownLayoutSize(QByteArrayView head, qint64 fileSize)
{
    if (head.size() < PixelOffset)
        return {};
    const auto *p = reinterpret_cast<const uchar *>(head.data());
    if (p[0] != 'B' || p[1] != 'M' || get32(p + 10) != quint32(PixelOffset)
        || get32(p + 14) != quint32(InfoHeaderSize))
        return {};
    const qint32 width = qint32(get32(p + 18));
    const qint32 height = qint32(get32(p + 22));
    if (get16(p + 26) != 1 || get16(p + 28) != 32 || get32(p + 30) != 0)
        return {};
    if (width <= 0 || height <= 0 || !fitsAllocationLimit(width, height))
        return {};
    if (fileSize < PixelOffset + qint64(width) * 4 * height)
        return {};
    return {width, height};
}

void makeOpaque(QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<quint32 *>(image.scanLine(y));
        copyOpaqueRow(row, reinterpret_cast<const uchar *>(row), image.width());
    }
}

QByteArray header(int width, int height)
{
    const qint64 pixelBytes = qint64(width) * 4 * height;
    QByteArray bytes(PixelOffset, '\0');
    auto *p = reinterpret_cast<uchar *>(bytes.data());
    p[0] = 'B';
    p[1] = 'M';
    put32(p + 2, quint32(PixelOffset + pixelBytes));
    put32(p + 10, PixelOffset);
    put32(p + 14, InfoHeaderSize);
    put32(p + 18, quint32(width));
    put32(p + 22, quint32(height));
    put16(p + 26, 1);
    put16(p + 28, 32);
    put32(p + 34, quint32(pixelBytes));
    put32(p + 38, PixelsPerMetre);
    put32(p + 42, PixelsPerMetre);
    return bytes;
}

QByteArray encode(const QImage &source)
{
    const QImage image = source.format() == QImage::Format_RGB32
                             ? source
                             : source.convertToFormat(QImage::Format_RGB32);
    const int width = image.width();
    const int height = image.height();
    const qint64 rowBytes = qint64(width) * 4;
    QByteArray bytes = header(width, height);
    bytes.resize(PixelOffset + rowBytes * height);
    uchar *dst = reinterpret_cast<uchar *>(bytes.data()) + PixelOffset;
    for (int y = 0; y < height; ++y)
        std::memcpy(dst + rowBytes * (height - 1 - y), image.constScanLine(y), size_t(rowBytes));
    return bytes;
}

QSize pictureSize(const QByteArray &bytes)
{
    BitmapReader reader(bytes);
    return reader.accept() ? reader.size() : QSize();
}

QImage decode(const QByteArray &bytes)
{
    QImage image = decodeDirect(bytes);
    if (!image.isNull())
        return image;
    BitmapReader reader(bytes);
    return reader.accept() ? reader.read() : QImage();
}

QImage decodeTopLeft(qint64 fileSize, QSize most, const ReadAt &readAt, QString *advice)
{
    // The headers and the palette come first; a file whose pixels start
    // further than any palette reaches is read up to them, within a bound.
    constexpr qint64 HeadBytes = 64LL * 1024;
    constexpr qint64 MaxPixelOffset = 16LL * 1024 * 1024;
    QByteArray head(qMin(fileSize, HeadBytes), Qt::Uninitialized);
    if (!readAt(0, head.size(), head.data()) || head.size() < FileHeaderSize)
        return {};
    const qint64 pixelOffset = get32(reinterpret_cast<const uchar *>(head.constData()) + 10);
    if (pixelOffset > head.size() && pixelOffset <= qMin(fileSize, MaxPixelOffset)) {
        head.resize(pixelOffset);
        if (!readAt(0, head.size(), head.data()))
            return {};
    }
    BitmapReader reader(head, fileSize, most, readAt);
    if (reader.accept())
        return reader.read();
    if (reader.isEmbedded() && advice)
        *advice = QStringLiteral("L'image est compressée en JPEG ou en PNG à l'intérieur du "
                                 "fichier BMP : enregistrez-la en BMP sans compression.");
    if (!reader.isRunLength() || fileSize <= head.size())
        return {};
    // Runs are read from memory: a compressed file is read whole, up to a size
    // no map needs.
    if (fileSize > MaxRunLengthFileBytes) {
        if (advice)
            *advice = QStringLiteral("L'image compressée (RLE) est trop volumineuse : "
                                     "enregistrez-la en BMP sans compression.");
        return {};
    }
    QByteArray whole(fileSize, Qt::Uninitialized);
    if (!readAt(0, whole.size(), whole.data()))
        return {};
    BitmapReader wholeReader(whole, fileSize, most, readAt);
    return wholeReader.accept() ? wholeReader.read() : QImage();
}

} // namespace BmpCodec
