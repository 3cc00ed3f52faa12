#include "TileTable.h"

#include <limits>
#include <stdexcept>
#include <tuple>

namespace TileTable {
namespace {

struct PaletteRow {
    int index, left, top, width, height, tag;
    const char *name; // UTF-8
};

// Palette entries: index, frame left and top, picture width and height, tag,
// and the name of the piece as the user is told it.
constexpr PaletteRow PaletteRows[PaletteCount] = {
    {1, 4, 17, 39, 39, 0, "Carrefour de couloirs"},
    {2, 52, 17, 39, 39, 3, "Couloir en T"},
    {6, 100, 17, 39, 39, 3, "Coude de couloir"},
    {21, 148, 17, 39, 39, 3, "Fin de couloir avec puits"},
    {10, 4, 65, 39, 65, 1, "Couloir droit de cinq cases"},
    {12, 52, 65, 39, 52, 1, "Couloir droit de quatre cases"},
    {14, 100, 65, 39, 39, 1, "Couloir droit de trois cases"},
    {16, 148, 65, 39, 26, 1, "Couloir droit de deux cases"},
    {25, 148, 105, 39, 26, 3, "Cul-de-sac"},
    {18, 100, 113, 39, 13, 1, "Couloir droit d'une case"},
    {29, 96, 136, 65, 65, 3, "Salle 3 × 3 à trois portes"},
    {20, 8, 137, 65, 65, 0, "Salle 3 × 3 à quatre portes"},
    {33, 8, 209, 65, 65, 1, "Salle 3 × 3 à deux portes opposées"},
    {35, 96, 209, 65, 65, 3, "Salle 3 × 3 à deux portes en angle"},
    {39, 8, 281, 65, 65, 3, "Bout de salle avec porte"},
    {43, 96, 281, 65, 39, 1, "Tranche de salle à deux portes"},
    {50, 96, 329, 65, 65, 3, "Mur de salle"},
    {47, 8, 353, 65, 39, 1, "Section de salle droite de trois cases"},
    {58, 8, 401, 65, 65, 3, "Angle de salle"},
    {45, 96, 401, 65, 52, 1, "Section de salle droite de quatre cases"},
    {94, 112, 464, 65, 65, 3, "Salle 3 × 3 à une porte"},
    {54, 8, 473, 65, 39, 3, "Bout de salle sans porte"},
    {62, 8, 521, 91, 91, 1, "Grande salle 5 × 5 à deux portes"},
    {49, 113, 544, 52, 52, 0, "Carrefour décalé"},
    {75, 172, 622, 13, 39, 3, "Barre et triangle plein"},
    {79, 136, 624, 13, 13, 0, "Cible"},
    {65, 8, 625, 40, 27, 1, "Rangée de trois compartiments"},
    {67, 56, 625, 26, 26, 0, "Bloc hachuré 2 × 2"},
    {68, 92, 625, 13, 26, 1, "Bloc hachuré 1 × 2"},
    {71, 133, 644, 26, 39, 3, "Grande flèche"},
    {82, 172, 666, 13, 39, 3, "Barre et triangle creux"},
    {86, 12, 669, 13, 13, 0, "Lettre A"},
    {87, 36, 669, 13, 13, 0, "Lettre B"},
    {88, 60, 669, 13, 13, 0, "Lettre C"},
    {89, 84, 669, 13, 13, 0, "Lettre D"},
    {70, 107, 669, 14, 14, 0, "Petit bloc hachuré"},
    {64, 108, 688, 13, 13, 0, "Cuvette noire"},
    {90, 12, 689, 13, 13, 0, "Chiffre 1"},
    {91, 36, 689, 13, 13, 0, "Chiffre 2"},
    {92, 60, 689, 13, 13, 0, "Chiffre 3"},
    {93, 84, 689, 13, 13, 0, "Chiffre 4"},
    {80, 130, 691, 13, 13, 0, "Croix"},
    {81, 151, 691, 13, 13, 0, "Anneau gris"},
};

struct VariantRow {
    int index, width, height;
};

// Orientation variants: index, picture width and height.
constexpr VariantRow Variants[] = {
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
        for (const PaletteRow &row : PaletteRows) {
            Entry &e = entries[row.index];
            e.width = row.width;
            e.height = row.height;
            e.inPalette = true;
            e.frameLeft = row.left;
            e.frameTop = row.top;
            e.tag = row.tag;
            e.name = row.name;
            order[n++] = row.index;
        }
        for (const VariantRow &row : Variants) {
            entries[row.index].width = row.width;
            entries[row.index].height = row.height;
        }
        head.fill(-1);
        for (const PaletteRow &row : PaletteRows)
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

QString pieceName(int index) { return QString::fromUtf8(entry(index).name); }

std::optional<int> paletteNeighbour(int index, Direction direction)
{
    const QRect from = frameRect(index);
    if (from.isEmpty())
        return std::nullopt;
    const bool across = direction == Direction::Left || direction == Direction::Right;
    const bool forward = direction == Direction::Right || direction == Direction::Down;
    // Edges along the way of travel (near, far) and across it, so that one
    // rule serves the four directions. QRect's right() and bottom() are the
    // last pixel inside: the far edge is the first pixel past it.
    auto along = [&](const QRect &r) {
        const int lo = across ? r.left() : r.top();
        const int hi = lo + (across ? r.width() : r.height());
        return forward ? std::pair(lo, hi) : std::pair(-hi, -lo);
    };
    auto side = [&](const QRect &r) {
        const int lo = across ? r.top() : r.left();
        return std::pair(lo, lo + (across ? r.height() : r.width()));
    };
    const int fromFar = along(from).second;
    const auto [fromLow, fromHigh] = side(from);
    std::optional<int> best;
    std::tuple<bool, long long> bestScore {true, std::numeric_limits<long long>::max()};
    for (int candidate : paletteOrder()) {
        const QRect to = frameRect(candidate);
        const auto [toNear, toFar] = along(to);
        // It must lie that way: its middle at or past this entry's far edge.
        if (candidate == index || toNear + toFar < 2 * fromFar)
            continue;
        const auto [toLow, toHigh] = side(to);
        const bool level = toLow < fromHigh && fromLow < toHigh;
        const long long gap = std::max(0, toNear - fromFar);
        const long long offset = (toLow + toHigh - fromLow - fromHigh) / 2;
        const std::tuple<bool, long long> score {!level, 13 * gap * gap + offset * offset};
        if (score < bestScore) {
            bestScore = score;
            best = candidate;
        }
    }
    return best;
}

} // namespace TileTable
