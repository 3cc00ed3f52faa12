#!/usr/bin/env python3
"""Writes the corpus of bitmaps the open path is tested and fuzzed with.

corpus/NAME.bmp are the files. A file the editor must open has its picture,
as the editor must decode it, in expected/NAME.png; every other file must be
refused. Running the script again writes the same bytes: nothing here depends
on the time, the machine or a random seed of its own.

Usage: tests/fuzz/make_corpus.py
"""

import pathlib
import struct
import zlib

HERE = pathlib.Path(__file__).resolve().parent
CORPUS = HERE / "corpus"
EXPECTED = HERE / "expected"

RGB, RLE8, RLE4, BITFIELDS = 0, 1, 2, 3


def u16(v):
    return struct.pack("<H", v & 0xFFFF)


def u32(v):
    return struct.pack("<I", v & 0xFFFFFFFF)


# --- pictures -------------------------------------------------------------

def noise(seed):
    """A small linear congruential generator: the same numbers everywhere."""
    state = seed
    while True:
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        yield state >> 8


def index_rows(width, height, colours, seed=1):
    """Rows of palette indices, top row first, with runs and noise mixed."""
    rand = noise(seed)
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            row.append((x // 3 + y) % colours if (x + y) % 4 else next(rand) % colours)
        rows.append(row)
    return rows


def colour_rows(width, height, seed=2):
    rand = noise(seed)
    return [[(next(rand) & 0xFF, next(rand) & 0xFF, next(rand) & 0xFF) for _ in range(width)]
            for _ in range(height)]


def palette_of(count, seed=3):
    rand = noise(seed)
    return [(next(rand) & 0xFF, next(rand) & 0xFF, next(rand) & 0xFF) for _ in range(count)]


def widen(v, bits):
    """A channel of `bits` bits widened to 8 by repeating its bits."""
    wide, filled = 0, 0
    while filled < 8:
        wide = (wide << bits) | v
        filled += bits
    return wide >> (filled - 8)


# --- pixel data -----------------------------------------------------------

def pad4(row):
    return row + b"\0" * (-len(row) % 4)


def pack_indices(row, bits):
    out, acc, used = bytearray(), 0, 0
    for index in row:
        acc = (acc << bits) | index
        used += bits
        if used == 8:
            out.append(acc)
            acc, used = 0, 0
    if used:
        out.append(acc << (8 - used))
    return bytes(out)


def stored_rows(rows, encode_row, top_down=False):
    """Uncompressed pixel data: padded rows, bottom row first unless top-down."""
    order = rows if top_down else list(reversed(rows))
    return b"".join(pad4(encode_row(row)) for row in order)


def run_length(row, x):
    """How many pixels from x on repeat row[x], at most 255."""
    run = 1
    while x + run < len(row) and run < 255 and row[x + run] == row[x]:
        run += 1
    return run


def rle8(rows):
    """RLE8 as a careful writer makes it: runs of equal pixels, absolute runs
    of three or more differing ones, an end of line per row, an end mark."""
    out = bytearray()
    for row in reversed(rows):
        x = 0
        while x < len(row):
            run = run_length(row, x)
            if run >= 2:
                out += bytes([run, row[x]])
                x += run
                continue
            end = x + 1
            while end < len(row) and end - x < 255 and (end + 1 >= len(row) or row[end] != row[end + 1]):
                end += 1
            literal = row[x:end]
            if len(literal) >= 3:
                out += bytes([0, len(literal)]) + bytes(literal) + b"\0" * (len(literal) % 2)
            else:
                for index in literal:
                    out += bytes([1, index])
            x = end
        out += b"\0\0"
    return bytes(out[:-2]) + b"\0\1"


def rle4(rows):
    """RLE4: runs of one index, absolute runs of up to 16 indices."""
    out = bytearray()
    for row in reversed(rows):
        x = 0
        while x < len(row):
            run = run_length(row, x)
            if run >= 3 or len(row) - x < 3:
                out += bytes([run, row[x] << 4 | row[x]])
                x += run
                continue
            literal = row[x:x + 16]
            packed = pack_indices(literal, 4)
            out += bytes([0, len(literal)]) + packed + b"\0" * (len(packed) % 2)
            x += len(literal)
        out += b"\0\0"
    return bytes(out[:-2]) + b"\0\1"


# --- files ----------------------------------------------------------------

def bitmap(width, height, bits, pixels, palette=(), compression=RGB, header=40, masks=None,
           offset=None, image_bytes=None, colours_used=0, planes=1):
    """A bitmap with a file header, an info header of `header` bytes (12 for
    the oldest layout), bit masks where they belong, a palette and pixels."""
    if header == 12:
        info = u32(12) + u16(width) + u16(height) + u16(planes) + u16(bits)
        table = b"".join(bytes([b, g, r]) for r, g, b in palette)
    else:
        info = (u32(header) + u32(width) + u32(height) + u16(planes) + u16(bits)
                + u32(compression) + u32(len(pixels) if image_bytes is None else image_bytes)
                + u32(3780) + u32(3780) + u32(colours_used) + u32(0))
        table = b"".join(bytes([b, g, r, 0]) for r, g, b in palette)
        if header > 40:
            fields = b"".join(u32(m) for m in (masks or (0, 0, 0))) + u32(0)
            info += (fields + b"\0" * header)[:header - 40]
        elif masks:
            info += b"".join(u32(m) for m in masks)
    start = 14 + len(info) + len(table)
    size = start + len(pixels)
    return (b"BM" + u32(size) + u32(0) + u32(start if offset is None else offset)
            + info + table + pixels)


def with32(data, at, value):
    return data[:at] + u32(value) + data[at + 4:]


def with16(data, at, value):
    return data[:at] + u16(value) + data[at + 2:]


WIDTH, HEIGHT, PLANES, BITS, COMPRESSION, OFFSET = 18, 22, 26, 28, 30, 10


def png(rows):
    """A PNG of RGB rows, made with the standard library alone."""
    def chunk(kind, data):
        return u32be(len(data)) + kind + data + u32be(zlib.crc32(kind + data))

    def u32be(v):
        return struct.pack(">I", v)

    raw = b"".join(b"\0" + bytes(c for pixel in row for c in pixel) for row in rows)
    header = u32be(len(rows[0])) + u32be(len(rows)) + bytes([8, 2, 0, 0, 0])
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


class Corpus:
    def __init__(self):
        self.files = {}
        self.expected = {}

    def refused(self, name, data):
        assert name not in self.files, name
        self.files[name] = data

    def opens(self, name, data, rows):
        """A file that opens; rows are its pixels as RGB, top row first."""
        self.refused(name, data)
        self.expected[name] = png(rows)

    def write(self):
        for folder in (CORPUS, EXPECTED):
            folder.mkdir(exist_ok=True)
            for old in folder.iterdir():
                old.unlink()
        for name, data in sorted(self.files.items()):
            (CORPUS / (name + ".bmp")).write_bytes(data)
        for name, data in sorted(self.expected.items()):
            (EXPECTED / (name + ".png")).write_bytes(data)


def coloured(rows, palette):
    return [[palette[i] for i in row] for row in rows]


def rgb16(pixel, masks):
    """A 16-bit pixel holding the colour's top bits under the masks."""
    value = 0
    for channel, mask in zip(pixel, masks):
        shift = (mask & -mask).bit_length() - 1
        bits = bin(mask).count("1")
        value |= (channel >> (8 - bits)) << shift
    return value


def decoded16(pixel, masks):
    out = []
    for channel, mask in zip(pixel, masks):
        bits = bin(mask).count("1")
        out.append(widen(channel >> (8 - bits), bits))
    return tuple(out)


def bgr(row):
    return b"".join(bytes([b, g, r]) for r, g, b in row)


def bgrx(row):
    return b"".join(bytes([b, g, r, 0x5A]) for r, g, b in row)


def valid_files(c):
    pal2 = [(250, 240, 230), (20, 40, 60)]
    pal16 = palette_of(16)
    pal20 = palette_of(20, seed=4)

    rows = index_rows(9, 5, 2)
    c.opens("valid-1bit", bitmap(9, 5, 1, stored_rows(rows, lambda r: pack_indices(r, 1)), pal2),
            coloured(rows, pal2))
    rows = index_rows(7, 5, 16)
    c.opens("valid-4bit", bitmap(7, 5, 4, stored_rows(rows, lambda r: pack_indices(r, 4)), pal16),
            coloured(rows, pal16))
    rows = index_rows(7, 5, 20)
    c.opens("valid-8bit-20-colours",
            bitmap(7, 5, 8, stored_rows(rows, bytes), pal20, colours_used=20),
            coloured(rows, pal20))
    rows = index_rows(6, 4, 3)
    c.opens("valid-8bit-oldest-header",
            bitmap(6, 4, 8, stored_rows(rows, bytes), pal16[:3], header=12),
            coloured(rows, pal16))

    pixels = colour_rows(5, 4)
    m555 = (0x7C00, 0x03E0, 0x001F)
    c.opens("valid-16bit-555",
            bitmap(5, 4, 16, stored_rows(pixels, lambda r: b"".join(u16(rgb16(p, m555)) for p in r))),
            [[decoded16(p, m555) for p in row] for row in pixels])
    m565 = (0xF800, 0x07E0, 0x001F)
    c.opens("valid-16bit-565-bitfields",
            bitmap(5, 4, 16, stored_rows(pixels, lambda r: b"".join(u16(rgb16(p, m565)) for p in r)),
                   compression=BITFIELDS, masks=m565),
            [[decoded16(p, m565) for p in row] for row in pixels])

    pixels = colour_rows(5, 3, seed=5)
    c.opens("valid-24bit", bitmap(5, 3, 24, stored_rows(pixels, bgr)), pixels)
    c.opens("valid-24bit-top-down",
            with32(bitmap(5, 3, 24, stored_rows(pixels, bgr, top_down=True)), HEIGHT, -3), pixels)
    c.opens("valid-24bit-v5-header", bitmap(5, 3, 24, stored_rows(pixels, bgr), header=124),
            pixels)
    # The editor's own layout; the unused byte of each pixel is not alpha.
    pixels = colour_rows(6, 4, seed=6)
    c.opens("valid-32bit", bitmap(6, 4, 32, stored_rows(pixels, bgrx)), pixels)
    c.opens("valid-32bit-bitfields-v4-header",
            bitmap(6, 4, 32, stored_rows(pixels, bgrx), compression=BITFIELDS, header=108,
                   masks=(0xFF0000, 0xFF00, 0xFF)),
            pixels)

    rows = index_rows(13, 6, 16)
    c.opens("valid-rle8", bitmap(13, 6, 8, rle8(rows), pal16, compression=RLE8),
            coloured(rows, pal16))
    rows = index_rows(11, 5, 16, seed=7)
    c.opens("valid-rle4", bitmap(11, 5, 4, rle4(rows), pal16, compression=RLE4),
            coloured(rows, pal16))
    # A delta over two pixels and one row, then rows ended early: what they
    # skip takes the first colour.
    data = bytes([2, 1, 0, 2, 2, 1, 3, 2, 0, 0, 1, 3, 0, 1])
    skipped = [[0] * 6 for _ in range(4)]
    skipped[3][0:2] = [1, 1]
    skipped[2][4:7] = [2, 2]
    skipped[1][0] = 3
    c.opens("valid-rle8-delta-and-early-ends",
            bitmap(6, 4, 8, data, pal16[:4], compression=RLE8),
            coloured([row[:6] for row in skipped], pal16))
    # Wider and taller than the board: the board shows its top-left corner.
    rows = [[(x // 200 + y // 61) % 5 for x in range(800)] for y in range(560)]
    c.opens("valid-rle8-beyond-board", bitmap(800, 560, 8, rle8(rows), pal16[:5],
                                              compression=RLE8),
            coloured(rows, pal16))

    # Oddities other readers accept too.
    pixels = colour_rows(13, 3, seed=8)
    good24 = bitmap(13, 3, 24, stored_rows(pixels, bgr))
    c.opens("odd-last-row-without-padding", good24[:-1], pixels)
    c.opens("odd-trailing-bytes", good24 + b"\xde\xad" * 40, pixels)
    c.opens("odd-file-size-field-wrong", with32(good24, 2, 7), pixels)
    rows = index_rows(4, 2, 2)
    c.opens("odd-rle8-without-end-mark",
            bitmap(4, 2, 8, rle8(rows)[:-2] + b"\0\0", pal2, compression=RLE8), coloured(rows, pal2))
    c.opens("odd-rle8-runs-past-right-edge",
            bitmap(3, 1, 8, bytes([5, 1, 0, 1]), pal2, compression=RLE8), [[pal2[1]] * 3])
    # No colour count, and a table cut short where the pixels begin.
    rows = index_rows(4, 3, 3)
    c.opens("odd-palette-cut-by-pixel-offset",
            bitmap(4, 3, 8, stored_rows(rows, bytes), pal16[:3]), coloured(rows, pal16))


def refused_files(c):
    pal2 = [(255, 255, 255), (0, 0, 0)]
    pixels = colour_rows(7, 5, seed=9)
    good24 = bitmap(7, 5, 24, stored_rows(pixels, bgr))
    own = bitmap(6, 4, 32, stored_rows(colour_rows(6, 4), bgrx))
    rows8 = index_rows(8, 4, 2)
    good8 = bitmap(8, 4, 8, stored_rows(rows8, bytes), pal2)
    rle = bitmap(4, 2, 8, rle8(index_rows(4, 2, 2)), pal2, compression=RLE8)

    # Cut short.
    c.refused("empty", b"")
    c.refused("cut-in-file-header", good24[:10])
    c.refused("cut-in-info-header", good24[:30])
    c.refused("cut-in-palette", good8[:60])
    c.refused("cut-in-pixels-24bit", good24[:-30])
    c.refused("cut-in-pixels-32bit-own-layout", own[:-1])
    c.refused("cut-in-pixels-1bit", bitmap(9, 5, 1, b"\0" * 12, pal2))
    c.refused("cut-in-bitfield-masks",
              bitmap(2, 2, 16, b"\0" * 8, compression=BITFIELDS, masks=(0xF800, 0x7E0, 0x1F))[:60])
    c.refused("cut-rle8-before-last-row", rle[:-6])
    rle4_good = bitmap(11, 5, 4, rle4(index_rows(11, 5, 16, seed=7)), palette_of(16),
                       compression=RLE4)
    c.refused("cut-rle4-before-last-row", rle4_good[:-9])

    # Not a bitmap.
    c.refused("signature-ba", b"BA" + good24[2:])
    c.refused("signature-lower-case", b"bm" + good24[2:])
    c.refused("signature-png", b"\x89PNG\r\n\x1a\n" + good24[8:])

    # Dimensions.
    c.refused("width-zero", with32(good24, WIDTH, 0))
    c.refused("height-zero", with32(good24, HEIGHT, 0))
    c.refused("width-negative", with32(good24, WIDTH, -7))
    c.refused("height-most-negative", with32(good24, HEIGHT, 0x80000000))
    c.refused("width-most-positive", with32(good24, WIDTH, 0x7FFFFFFF))
    c.refused("oldest-header-width-zero", bitmap(0, 3, 24, b"\0" * 12, header=12))
    # Headers that promise pictures far beyond what the file holds.
    c.refused("claims-gigabytes-24bit", with32(with32(good24, WIDTH, 65535), HEIGHT, 65535))
    c.refused("claims-gigabytes-oldest-header", bitmap(65535, 65535, 24, b"\0" * 64, header=12))
    c.refused("claims-100-megabytes-24bit", with32(with32(good24, WIDTH, 5000), HEIGHT, 5000))
    c.refused("claims-100-megabytes-own-layout", with32(with32(own, WIDTH, 5000), HEIGHT, 5000))
    c.refused("claims-gigabytes-own-layout", with32(with32(own, WIDTH, 30000), HEIGHT, 30000))
    c.refused("huge-rle8-of-few-bytes", bitmap(5000, 5000, 8, b"\0\1", pal2, compression=RLE8))
    c.refused("huge-rle4-of-few-bytes",
              bitmap(4000, 4000, 4, b"\x08\x11\0\0" * 4 + b"\0\1", pal2, compression=RLE4))

    # Pixel offset.
    c.refused("offset-past-end", with32(good24, OFFSET, 0xFFFFFFFF))
    c.refused("offset-at-end", with32(good24, OFFSET, len(good24)))
    c.refused("offset-zero", with32(good24, OFFSET, 0))
    c.refused("offset-inside-header", with32(good24, OFFSET, 20))
    c.refused("offset-leaves-last-row-short", with32(good24, OFFSET, 54 + 8))
    c.refused("offset-leaves-no-palette", with32(good8, OFFSET, 54))

    # Bit counts, compressions and headers that do not go together.
    for bits in (0, 2, 48, 64):
        c.refused("bits-%d" % bits, with16(good24, BITS, bits))
    c.refused("planes-zero", with16(good24, PLANES, 0))
    c.refused("planes-two", with16(good24, PLANES, 2))
    for size in (0, 16, 41, 0xFFFFFFFF):
        c.refused("header-size-%d" % size, with32(good24, 14, size))
    c.refused("oldest-header-16bit", bitmap(2, 2, 16, b"\0" * 8, header=12))
    c.refused("oldest-header-32bit", bitmap(2, 2, 32, b"\0" * 16, header=12))
    c.refused("rle8-on-24bit", with32(good24, COMPRESSION, RLE8))
    c.refused("rle8-on-4bit", with16(rle, BITS, 4))
    c.refused("rle4-on-8bit", with32(rle, COMPRESSION, RLE4))
    c.refused("rle4-on-1bit", with16(with32(rle, COMPRESSION, RLE4), BITS, 1))
    c.refused("rle8-top-down", with32(rle, HEIGHT, -2))
    c.refused("bitfields-on-24bit", with32(good24, COMPRESSION, BITFIELDS))
    c.refused("bitfields-on-8bit", with32(good8, COMPRESSION, BITFIELDS))
    c.refused("bitfields-in-64-byte-header",
              bitmap(2, 2, 32, b"\0" * 16, compression=BITFIELDS, header=64,
                     masks=(0xFF0000, 0xFF00, 0xFF)))
    for code, name in ((4, "jpeg"), (5, "png"), (0x42, "unknown")):
        c.refused("compression-" + name, with32(good24, COMPRESSION, code))

    def fields(bits, masks):
        return bitmap(2, 2, bits, b"\0" * (2 * bits // 2), compression=BITFIELDS, masks=masks)

    c.refused("mask-with-a-gap", fields(32, (0xF0F000, 0xFF00, 0xFF)))
    c.refused("masks-overlapping", fields(32, (0xFF0000, 0xFFFF00, 0xFF)))
    c.refused("mask-zero", fields(32, (0xFF0000, 0, 0xFF)))
    c.refused("mask-beyond-16-bits", fields(16, (0x1F0000, 0x7E0, 0x1F)))

    # Broken runs.
    def rle8_file(width, height, data, palette=pal2):
        return bitmap(width, height, 8, bytes(data), palette, compression=RLE8)

    def rle4_file(width, height, data):
        return bitmap(width, height, 4, bytes(data), pal2, compression=RLE4)

    c.refused("rle8-run-above-top-row", rle8_file(4, 1, [4, 1, 0, 0, 4, 1, 0, 1]))
    c.refused("rle8-end-of-line-above-top-row", rle8_file(4, 1, [4, 1, 0, 0, 0, 0, 4, 1]))
    c.refused("rle8-delta-above-top-row", rle8_file(4, 1, [0, 2, 0, 5, 0, 1]))
    c.refused("rle8-delta-cut-short", rle8_file(4, 1, [4, 1, 0, 2]))
    c.refused("rle8-absolute-run-cut-short", rle8_file(4, 1, [0, 4, 1, 1]))
    c.refused("rle8-absolute-run-after-last-row", rle8_file(3, 1, [3, 1, 0, 0, 0, 3, 1, 1, 1, 0]))
    c.refused("rle8-rows-never-ended", rle8_file(4, 3, [4, 1, 0, 0, 4, 1]))
    c.refused("rle4-run-above-top-row", rle4_file(4, 1, [4, 0x11, 0, 0, 4, 0x11, 0, 1]))
    c.refused("rle4-absolute-run-cut-short", rle4_file(8, 1, [0, 8, 0x11, 0x11]))
    c.refused("rle4-delta-above-top-row", rle4_file(4, 2, [0, 2, 1, 3, 0, 1]))

    # Palette indices past the palette.
    c.refused("index-past-palette-8bit", bitmap(2, 1, 8, bytes([0, 5, 0, 0]), pal2))
    c.refused("index-past-palette-4bit",
              bitmap(2, 1, 4, bytes([0x07, 0, 0, 0]), palette_of(3), colours_used=3))
    c.refused("index-past-palette-1bit", bitmap(8, 1, 1, bytes([0x01, 0, 0, 0]), pal2[:1],
                                                colours_used=1))
    c.refused("index-past-palette-oldest-header",
              bitmap(2, 1, 8, bytes([1, 2, 0, 0]), pal2, header=12))
    c.refused("index-past-palette-rle8-run", rle8_file(2, 1, [2, 7, 0, 1]))
    c.refused("index-past-palette-rle8-absolute", rle8_file(3, 1, [0, 3, 0, 1, 9, 0, 0, 1]))
    c.refused("index-past-palette-rle4-run", rle4_file(2, 1, [2, 0x1F, 0, 1]))
    c.refused("index-past-palette-rle4-absolute", rle4_file(3, 1, [0, 3, 0x10, 0xE0, 0, 1]))


def main():
    corpus = Corpus()
    valid_files(corpus)
    refused_files(corpus)
    corpus.write()
    print("%d bitmaps, %d to open" % (len(corpus.files), len(corpus.expected)))


if __name__ == "__main__":
    main()
