#include "PngWriter.h"

#include <QImage>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

namespace Png {
namespace {

quint32 crc32(const QByteArray &data)
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t {};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xedb88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    quint32 c = 0xffffffffu;
    for (char byte : data)
        c = table[(c ^ uchar(byte)) & 0xff] ^ (c >> 8);
    return c ^ 0xffffffffu;
}

quint32 adler32(const std::vector<uchar> &data)
{
    quint32 a = 1, b = 0;
    for (uchar byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void appendBigEndian(QByteArray &out, quint32 value)
{
    out.append(char(value >> 24));
    out.append(char(value >> 16));
    out.append(char(value >> 8));
    out.append(char(value));
}

void appendChunk(QByteArray &png, const char *type, const QByteArray &data)
{
    appendBigEndian(png, quint32(data.size()));
    QByteArray body(type, 4);
    body.append(data);
    png.append(body);
    appendBigEndian(png, crc32(body));
}

// Deflate bit stream: fields are packed from the least significant bit, Huffman codes from
// their most significant bit.
class BitWriter
{
public:
    void put(quint32 bits, int count)
    {
        m_acc |= bits << m_count;
        m_count += count;
        while (m_count >= 8) {
            m_out.push_back(uchar(m_acc));
            m_acc >>= 8;
            m_count -= 8;
        }
    }

    void putCode(quint32 code, int length)
    {
        quint32 reversed = 0;
        for (int i = 0; i < length; ++i)
            reversed |= ((code >> i) & 1) << (length - 1 - i);
        put(reversed, length);
    }

    std::vector<uchar> finish()
    {
        if (m_count > 0)
            put(0, 8 - m_count);
        return std::move(m_out);
    }

private:
    std::vector<uchar> m_out;
    quint32 m_acc = 0;
    int m_count = 0;
};

constexpr std::array<int, 29> lengthBase
    = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
       31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> lengthExtra
    = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> distanceBase
    = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
       193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> distanceExtra = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                               6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

template<std::size_t N> int codeIndex(const std::array<int, N> &base, int value)
{
    int i = int(N) - 1;
    while (base[i] > value)
        --i;
    return i;
}

// Symbols 0..287 with the fixed Huffman code of deflate.
void putSymbol(BitWriter &bits, int symbol)
{
    if (symbol < 144)
        bits.putCode(0x30 + symbol, 8);
    else if (symbol < 256)
        bits.putCode(0x190 + symbol - 144, 9);
    else if (symbol < 280)
        bits.putCode(symbol - 256, 7);
    else
        bits.putCode(0xc0 + symbol - 280, 8);
}

void putMatch(BitWriter &bits, int length, int distance)
{
    const int li = codeIndex(lengthBase, length);
    putSymbol(bits, 257 + li);
    bits.put(quint32(length - lengthBase[li]), lengthExtra[li]);
    const int di = codeIndex(distanceBase, distance);
    bits.putCode(quint32(di), 5);
    bits.put(quint32(distance - distanceBase[di]), distanceExtra[di]);
}

// One fixed-Huffman block with greedy LZ77 matching over hash chains.
std::vector<uchar> deflate(const std::vector<uchar> &data)
{
    constexpr int window = 32768;
    constexpr int minMatch = 3;
    constexpr int maxMatch = 258;
    constexpr int maxChain = 128;
    constexpr int hashSize = 1 << 15;

    const int n = int(data.size());
    std::vector<int> head(hashSize, -1);
    std::vector<int> prev(window, -1);
    auto hashAt = [&](int pos) {
        return ((data[pos] << 10) ^ (data[pos + 1] << 5) ^ data[pos + 2]) & (hashSize - 1);
    };
    auto insert = [&](int pos) {
        if (pos + minMatch > n)
            return;
        const int h = hashAt(pos);
        prev[pos % window] = head[h];
        head[h] = pos;
    };

    BitWriter bits;
    bits.put(1, 1); // final block
    bits.put(1, 2); // fixed Huffman codes
    int pos = 0;
    while (pos < n) {
        int bestLength = 0;
        int bestDistance = 0;
        if (pos + minMatch <= n) {
            const int limit = std::min(maxMatch, n - pos);
            int candidate = head[hashAt(pos)];
            for (int chain = 0; candidate >= 0 && chain < maxChain; ++chain) {
                if (pos - candidate > window)
                    break;
                int length = 0;
                while (length < limit && data[candidate + length] == data[pos + length])
                    ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = pos - candidate;
                    if (length == limit)
                        break;
                }
                const int older = prev[candidate % window];
                if (older >= candidate)
                    break; // the slot was reused by a newer position
                candidate = older;
            }
        }
        if (bestLength >= minMatch) {
            putMatch(bits, bestLength, bestDistance);
            for (int i = 0; i < bestLength; ++i)
                insert(pos + i);
            pos += bestLength;
        } else {
            putSymbol(bits, data[pos]);
            insert(pos);
            ++pos;
        }
    }
    putSymbol(bits, 256);
    return bits.finish();
}

int paeth(int a, int b, int c)
{
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc)
        return a;
    return pb <= pc ? b : c;
}

// Appends each row with the filter whose output has the smallest sum of absolute byte values,
// the usual heuristic for a good compression.
void appendFilteredRows(std::vector<uchar> &out, const std::vector<uchar> &raw, int rowBytes,
                        int bpp)
{
    const int rows = int(raw.size()) / rowBytes;
    const std::vector<uchar> zeroRow(rowBytes, 0);
    std::vector<uchar> best, trial(rowBytes);
    for (int y = 0; y < rows; ++y) {
        const uchar *cur = raw.data() + y * rowBytes;
        const uchar *up = y > 0 ? cur - rowBytes : zeroRow.data();
        long bestScore = -1;
        int bestFilter = 0;
        for (int filter = 0; filter < 5; ++filter) {
            long score = 0;
            for (int i = 0; i < rowBytes; ++i) {
                const int a = i >= bpp ? cur[i - bpp] : 0;
                const int b = up[i];
                const int c = i >= bpp ? up[i - bpp] : 0;
                int predicted = 0;
                switch (filter) {
                case 1:
                    predicted = a;
                    break;
                case 2:
                    predicted = b;
                    break;
                case 3:
                    predicted = (a + b) / 2;
                    break;
                case 4:
                    predicted = paeth(a, b, c);
                    break;
                default:
                    break;
                }
                trial[i] = uchar(cur[i] - predicted);
                score += std::abs(int(qint8(trial[i])));
            }
            if (bestScore < 0 || score < bestScore) {
                bestScore = score;
                bestFilter = filter;
                best = trial;
            }
        }
        out.push_back(uchar(bestFilter));
        out.insert(out.end(), best.begin(), best.end());
    }
}

} // namespace

QByteArray encode(const QImage &image)
{
    const QImage src = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = src.width(), h = src.height();
    bool opaque = true;
    for (int y = 0; y < h && opaque; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(src.constScanLine(y));
        for (int x = 0; x < w && opaque; ++x)
            opaque = qAlpha(line[x]) == 255;
    }
    const int bpp = opaque ? 3 : 4;

    // Straight alpha, computed here rather than by a pixel format conversion so that the
    // rounding is ours.
    std::vector<uchar> raw;
    raw.reserve(std::size_t(w) * h * bpp);
    for (int y = 0; y < h; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(src.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const int a = qAlpha(line[x]);
            const int channels[3] = {qRed(line[x]), qGreen(line[x]), qBlue(line[x])};
            for (int c : channels)
                raw.push_back(a == 0 ? 0 : uchar(std::min(255, (c * 255 + a / 2) / a)));
            if (!opaque)
                raw.push_back(uchar(a));
        }
    }

    std::vector<uchar> filtered;
    appendFilteredRows(filtered, raw, w * bpp, bpp);

    QByteArray idat;
    idat.append(char(0x78)); // deflate, 32 KiB window
    idat.append(char(0x01)); // no dictionary; check bits
    const std::vector<uchar> compressed = deflate(filtered);
    idat.append(reinterpret_cast<const char *>(compressed.data()), qsizetype(compressed.size()));
    appendBigEndian(idat, adler32(filtered));

    QByteArray header;
    appendBigEndian(header, quint32(w));
    appendBigEndian(header, quint32(h));
    header.append(char(8)); // bit depth
    header.append(char(opaque ? 2 : 6)); // RGB or RGBA
    header.append(3, char(0)); // deflate, adaptive filters, no interlace

    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", idat);
    appendChunk(png, "IEND", QByteArray());
    return png;
}

} // namespace Png
