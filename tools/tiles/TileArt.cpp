#include "TileArt.h"

#include "BoardPiece.h"
#include "Markers.h"
#include "Raster.h"
#include "TileTable.h"

#include <QString>

#include <stdexcept>

namespace TileArt {
namespace {

struct PieceRow {
    int index;
    const char *map; // squares as BoardPiece reads them
};

// The board pieces in the orientation of their palette entry.
constexpr PieceRow kPieces[] = {
    {1, "#.#/.../#.#"}, // crossroads
    {2, "###/.../#.#"}, // T-junction
    {6, "###/#../#.#"}, // corner
    {21, "#.#/#o#/###"}, // end with a shaft
    {10, "#.#/#.#/#.#/#.#/#.#"}, // straight corridors
    {12, "#.#/#.#/#.#/#.#"},
    {14, "#.#/#.#/#.#"},
    {16, "#.#/#.#"},
    {18, "#.#"},
    {25, "#.#/###"}, // dead end
    {29, "##.##/#...#/...../#...#/#####"}, // rooms
    {20, "##.##/#...#/...../#...#/##.##"},
    {33, "#####/#...#/...../#...#/#####"},
    {35, "##.##/#...#/....#/#...#/#####"},
    {94, "##.##/#...#/#...#/#...#/#####"},
    {62, "###.###/#.....#/#.....#/#.....#/#.....#/#.....#/###.###"},
    {39, "##.##/#...#/#...#/#...#/#...#"}, // room sections
    {43, "#...#/...../#...#"},
    {50, "...../...../...../...../#####"},
    {47, "#...#/#...#/#...#"},
    {45, "#...#/#...#/#...#/#...#"},
    {58, "....#/....#/....#/....#/#####"},
    {54, "#####/#...#/#...#"},
    {49, "##.#/...#/#.../#.##"}, // staggered junction
};

struct MarkerRow {
    int index;
    QImage (*draw)(QSize size);
};

const MarkerRow kMarkers[] = {
    {64, [](QSize) { return Markers::bowl(); }},
    {65, [](QSize s) { return Markers::compartmentBank(s.width(), s.height()); }},
    {67, [](QSize s) { return Markers::hatched(s.width(), s.height()); }},
    {68, [](QSize s) { return Markers::hatched(s.width(), s.height()); }},
    {70, [](QSize s) { return Markers::hatched(s.width(), s.height()); }},
    {71, [](QSize) { return Markers::bigArrow(); }},
    {75, [](QSize) { return Markers::barWithSolidTriangle(); }},
    {79, [](QSize) { return Markers::bullseye(); }},
    {80, [](QSize) { return Markers::cross(); }},
    {81, [](QSize) { return Markers::ring(); }},
    {82, [](QSize) { return Markers::barWithHollowTriangle(); }},
    {86, [](QSize) { return Markers::glyph('A'); }},
    {87, [](QSize) { return Markers::glyph('B'); }},
    {88, [](QSize) { return Markers::glyph('C'); }},
    {89, [](QSize) { return Markers::glyph('D'); }},
    {90, [](QSize) { return Markers::glyph('1'); }},
    {91, [](QSize) { return Markers::glyph('2'); }},
    {92, [](QSize) { return Markers::glyph('3'); }},
    {93, [](QSize) { return Markers::glyph('4'); }},
};

// The upright bank is drawn for its own size, which is not the lying bank's
// size turned, and then stood up with its tabs to the right.
constexpr int UprightBankIndex = 66;

QImage drawPaletteEntry(int index)
{
    for (const PieceRow &row : kPieces)
        if (row.index == index)
            return BoardPiece::draw(QString::fromLatin1(row.map));
    for (const MarkerRow &row : kMarkers)
        if (row.index == index)
            return row.draw(TileTable::pictureSize(index));
    throw std::logic_error("no drawing for palette entry " + std::to_string(index));
}

} // namespace

std::vector<QImage> drawAll()
{
    std::vector<QImage> pictures(TileTable::EntryCount);
    for (int index = 1; index <= TileTable::LastIndex; ++index) {
        const int head = TileTable::familyHead(index).value();
        const QSize size = TileTable::pictureSize(index);
        QImage &picture = pictures[std::size_t(index)];
        if (index == head) {
            picture = drawPaletteEntry(index);
        } else if (index == UprightBankIndex) {
            picture
                = Raster::quarterTurn(Markers::compartmentBank(size.height(), size.width()), true);
        } else {
            const bool clockwise = TileTable::turnOf(head) == TileTable::Turn::Clockwise;
            picture = Raster::quarterTurn(pictures[std::size_t(index - 1)], clockwise);
        }
        if (picture.size() != size)
            throw std::logic_error("picture of entry " + std::to_string(index)
                                   + " does not have its catalogue size");
    }
    return pictures;
}

} // namespace TileArt
