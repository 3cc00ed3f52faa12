#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <optional>

// The fixed table of the 98 tile catalogue entries: picture sizes, palette
// frames, tags and the turning direction of each orientation family.
namespace TileTable {

inline constexpr int EntryCount = 98;
inline constexpr int MoveBufferIndex = 0;
inline constexpr int PaletteCount = 43;
inline constexpr int LastIndex = EntryCount - 1;
enum class Turn { Clockwise, CounterClockwise };

enum class Direction { Left, Right, Up, Down };

struct Entry {
    int index = 0;
    int width = 0; // picture size in pixels
    int height = 0;
    bool inPalette = false;
    int frameLeft = 0; // outer frame in main-window pixels, palette entries only
    int frameTop = 0;
    int tag = 0; // number of orientation variants that follow a palette entry
    const char *name = nullptr; // UTF-8, palette entries only
};

// Entry by index 0..97; entry 0 is the move buffer and has no size of its own.
const Entry &entry(int index);

// The palette entries in reading order of the strip (frame top, then left).
const std::array<int, PaletteCount> &paletteOrder();

// Outer frame of a palette entry: the picture plus a 2-pixel border each way.
QRect frameRect(int index);

QSize pictureSize(int index);

// The palette entry whose family holds this index (the entry itself for a
// palette entry), or nothing for entry 0.
std::optional<int> familyHead(int index);

// How many quarter turns the picture of this index is past its family head.
int stepInFamily(int index);

Turn turnOf(int familyHeadIndex);

// The palette entry whose frame contains the point, if any.
std::optional<int> paletteHit(QPoint windowPoint);

// The French name of the piece a palette entry shows; empty for any other
// entry.
QString pieceName(int index);

// The palette entry an arrow key reaches from this one: the nearest whose
// frame lies that way, those level with it first. Nothing at the strip's
// edge.
std::optional<int> paletteNeighbour(int index, Direction direction);

} // namespace TileTable
