#include "PngEncoder.h"

#include <array>
#include <cstdint>
#include <initializer_list>

namespace PngEncoder {
namespace {

constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 258;

// Length and distance code tables of deflate (RFC 1951, 3.2.5).
constexpr std::array<int, 29> kLengthBase = {3,  4,  5,  6,  7,  8,  9,  10,  11,  13,
                                             15, 17, 19, 23, 27, 31, 35, 43,  51,  59,
                                             67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                              2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> kDistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> kDistanceExtra = {0, 0, 0, 0, 1, 1, 2,  2,  3,  3,
                                                4, 4, 5, 5, 6, 6, 7,  7,  8,  8,
                                                9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

class BitWriter {
public:
    // Plain values go out least significant bit first.
    void bits(uint32_t value, int count)
    {
        for (int i = 0; i < count; ++i)
            bit((value >> i) & 1u);
    }

    // Huffman codes go out most significant bit first.
    void code(uint32_t value, int length)
    {
        for (int i = length - 1; i >= 0; --i)
            bit((value >> i) & 1u);
    }

    QByteArray finish()
    {
        if (m_used > 0)
            m_out.append(char(m_byte));
        return m_out;
    }

private:
    void bit(uint32_t b)
    {
        m_byte |= uint8_t(b << m_used);
        if (++m_used == 8) {
            m_out.append(char(m_byte));
            m_byte = 0;
            m_used = 0;
        }
    }

    QByteArray m_out;
    uint8_t m_byte = 0;
    int m_used = 0;
};

// Symbol of the fixed literal/length alphabet.
void writeSymbol(BitWriter &w, int symbol)
{
    if (symbol < 144)
        w.code(0x30 + symbol, 8);
    else if (symbol < 256)
        w.code(0x190 + symbol - 144, 9);
    else if (symbol < 280)
        w.code(symbol - 256, 7);
    else
        w.code(0xC0 + symbol - 280, 8);
}

void writeMatch(BitWriter &w, int length, int distance)
{
    int l = int(kLengthBase.size()) - 1;
    while (kLengthBase[l] > length)
        --l;
    writeSymbol(w, 257 + l);
    w.bits(length - kLengthBase[l], kLengthExtra[l]);
    int d = int(kDistanceBase.size()) - 1;
    while (kDistanceBase[d] > distance)
        --d;
    w.code(d, 5);
    w.bits(distance - kDistanceBase[d], kDistanceExtra[d]);
}

// One final block with the fixed codes. Matches are sought only a pixel back,
// a byte back and a row back, which is where flat artwork repeats itself.
QByteArray deflate(const QByteArray &data, int rowStride)
{
    const auto *p = reinterpret_cast<const uint8_t *>(data.constData());
    const int n = int(data.size());
    BitWriter w;
    w.bits(1, 1); // last block
    w.bits(1, 2); // fixed Huffman codes
    int i = 0;
    while (i < n) {
        int bestLength = 0;
        int bestDistance = 0;
        for (int distance : {1, 3, rowStride}) {
            if (distance > i)
                continue;
            int length = 0;
            while (length < kMaxMatch && i + length < n
                   && p[i + length] == p[i + length - distance])
                ++length;
            if (length > bestLength) {
                bestLength = length;
                bestDistance = distance;
            }
        }
        if (bestLength >= kMinMatch) {
            writeMatch(w, bestLength, bestDistance);
            i += bestLength;
        } else {
            writeSymbol(w, p[i]);
            ++i;
        }
    }
    writeSymbol(w, 256);
    return w.finish();
}

uint32_t adler32(const QByteArray &data)
{
    uint32_t a = 1, b = 0;
    for (char c : data) {
        a = (a + uint8_t(c)) % 65521u;
        b = (b + a) % 65521u;
    }
    return (b << 16) | a;
}

uint32_t crc32(const QByteArray &data)
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    uint32_t c = 0xFFFFFFFFu;
    for (char ch : data)
        c = table[(c ^ uint8_t(ch)) & 0xFFu] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void appendBigEndian(QByteArray &out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(char((value >> shift) & 0xFFu));
}

void appendChunk(QByteArray &out, const char *type, const QByteArray &body)
{
    appendBigEndian(out, uint32_t(body.size()));
    QByteArray typed(type, 4);
    typed.append(body);
    out.append(typed);
    appendBigEndian(out, crc32(typed));
}

} // namespace

QByteArray encode(const QImage &image)
{
    const int width = image.width();
    const int height = image.height();

    QByteArray header;
    appendBigEndian(header, uint32_t(width));
    appendBigEndian(header, uint32_t(height));
    header.append(char(8)); // bits per sample
    header.append(char(2)); // truecolour
    header.append(3, char(0)); // deflate, adaptive filtering, no interlace

    // Every row starts with filter type 0: the rows are stored as they are.
    QByteArray raw;
    raw.reserve((1 + 3 * width) * height);
    for (int y = 0; y < height; ++y) {
        raw.append(char(0));
        for (int x = 0; x < width; ++x) {
            const QRgb c = image.pixel(x, y);
            raw.append(char(qRed(c)));
            raw.append(char(qGreen(c)));
            raw.append(char(qBlue(c)));
        }
    }

    QByteArray zlib;
    zlib.append(char(0x78)); // deflate, 32 KiB window
    zlib.append(char(0x01)); // no dictionary; the header check makes 0x7801 a multiple of 31
    zlib.append(deflate(raw, 1 + 3 * width));
    appendBigEndian(zlib, adler32(raw));

    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", zlib);
    appendChunk(png, "IEND", QByteArray());
    return png;
}

} // namespace PngEncoder
