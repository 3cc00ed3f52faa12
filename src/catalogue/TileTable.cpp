#include "TileTable.h"

#include <stdexcept>

namespace TileTable {
namespace {

struct PaletteRow {
    int index, left, top, width, height, tag;
};

// Palette entries: index, frame left and top, picture width and height, tag.
constexpr PaletteRow kPalette[PaletteCount] = {
    {1, 4, 17, 39, 39, 0},     {2, 52, 17, 39, 39, 3},    {6, 100, 17, 39, 39, 3},
    {21, 148, 17, 39, 39, 3},  {10, 4, 65, 39, 65, 1},    {12, 52, 65, 39, 52, 1},
    {14, 100, 65, 39, 39, 1},  {16, 148, 65, 39, 26, 1},  {25, 148, 105, 39, 26, 3},
    {18, 100, 113, 39, 13, 1}, {29, 96, 136, 65, 65, 3},  {20, 8, 137, 65, 65, 0},
    {33, 8, 209, 65, 65, 1},   {35, 96, 209, 65, 65, 3},  {39, 8, 281, 65, 65, 3},
    {43, 96, 281, 65, 39, 1},  {50, 96, 329, 65, 65, 3},  {47, 8, 353, 65, 39, 1},
    {58, 8, 401, 65, 65, 3},   {45, 96, 401, 65, 52, 1},  {94, 112, 464, 65, 65, 3},
    {54, 8, 473, 65, 39, 3},   {62, 8, 521, 91, 91, 1},   {49, 113, 544, 52, 52, 0},
    {75, 172, 622, 13, 39, 3}, {79, 136, 624, 13, 13, 0}, {65, 8, 625, 40, 27, 1},
    {67, 56, 625, 26, 26, 0},  {68, 92, 625, 13, 26, 1},  {71, 133, 644, 26, 39, 3},
    {82, 172, 666, 13, 39, 3}, {86, 12, 669, 13, 13, 0},  {87, 36, 669, 13, 13, 0},
    {88, 60, 669, 13, 13, 0},  {89, 84, 669, 13, 13, 0},  {70, 107, 669, 14, 14, 0},
    {64, 108, 688, 13, 13, 0}, {90, 12, 689, 13, 13, 0},  {91, 36, 689, 13, 13, 0},
    {92, 60, 689, 13, 13, 0},  {93, 84, 689, 13, 13, 0},  {80, 130, 691, 13, 13, 0},
    {81, 151, 691, 13, 13, 0},
};

struct VariantRow {
    int index, width, height;
};

// Orientation variants: index, picture width and height.
constexpr VariantRow kVariants[] = {
    {3, 39, 39},  {4, 39, 39},  {5, 39, 39},  {7, 39, 39},  {8, 39, 39},  {9, 39, 39},
    {11, 65, 39}, {13, 52, 39}, {15, 39, 39}, {17, 26, 39}, {19, 13, 39}, {22, 39, 39},
    {23, 39, 39}, {24, 39, 39}, {26, 26, 39}, {27, 39, 26}, {28, 26, 39}, {30, 65, 65},
    {31, 65, 65}, {32, 65, 65}, {34, 65, 65}, {36, 65, 65}, {37, 65, 65}, {38, 65, 65},
    {40, 65, 65}, {41, 65, 65}, {42, 65, 65}, {44, 39, 65}, {46, 52, 65}, {48, 39, 65},
    {51, 65, 65}, {52, 65, 65}, {53, 65, 65}, {55, 39, 65}, {56, 65, 39}, {57, 39, 65},
    {59, 65, 65}, {60, 65, 65}, {61, 65, 65}, {63, 91, 91}, {66, 26, 39}, {69, 26, 13},
    {72, 39, 26}, {73, 26, 39}, {74, 39, 26}, {76, 39, 13}, {77, 13, 39}, {78, 39, 13},
    {83, 39, 13}, {84, 13, 39}, {85, 39, 13}, {95, 65, 65}, {96, 65, 65}, {97, 65, 65},
};

struct Tables {
    std::array<Entry, EntryCount> entries {};
    std::array<int, PaletteCount> order {};
    std::array<int, EntryCount> head {};

    Tables()
    {
        for (int i = 0; i < EntryCount; ++i)
            entries[i].index = i;
        int n = 0;
        for (const PaletteRow &row : kPalette) {
            Entry &e = entries[row.index];
            e.width = row.width;
            e.height = row.height;
            e.inPalette = true;
            e.frameLeft = row.left;
            e.frameTop = row.top;
            e.tag = row.tag;
            order[n++] = row.index;
        }
        for (const VariantRow &row : kVariants) {
            entries[row.index].width = row.width;
            entries[row.index].height = row.height;
        }
        head.fill(-1);
        for (const PaletteRow &row : kPalette)
            for (int k = 0; k <= row.tag; ++k)
                head[row.index + k] = row.index;
    }
};

const Tables &tables()
{
    static const Tables t;
    return t;
}

} // namespace

const Entry &entry(int index)
{
    if (index < 0 || index >= EntryCount)
        throw std::out_of_range("tile index out of range");
    return tables().entries[index];
}

const std::array<int, PaletteCount> &paletteOrder() { return tables().order; }

QRect frameRect(int index)
{
    const Entry &e = entry(index);
    if (!e.inPalette)
        return {};
    return QRect(e.frameLeft, e.frameTop, e.width + 4, e.height + 4);
}

QSize pictureSize(int index)
{
    const Entry &e = entry(index);
    return QSize(e.width, e.height);
}

std::optional<int> familyHead(int index)
{
    const int h = tables().head.at(index);
    if (h < 0)
        return std::nullopt;
    return h;
}

int stepInFamily(int index)
{
    const auto h = familyHead(index);
    return h ? index - *h : 0;
}

Turn turnOf(int familyHeadIndex)
{
    return (familyHeadIndex == 71 || familyHeadIndex == 82) ? Turn::CounterClockwise
                                                            : Turn::Clockwise;
}

std::optional<int> paletteHit(QPoint windowPoint)
{
    for (int index : paletteOrder())
        if (frameRect(index).contains(windowPoint))
            return index;
    return std::nullopt;
}

} // namespace TileTable
