#include "Markers.h"

#include "Raster.h"

#include <array>
#include <cstdlib>
#include <stdexcept>

namespace Markers {
namespace {

using Raster::Shape;

// A triangle with its base upright at baseX, halfBase pixels each side of row
// cy, narrowing to a single pixel at tipX on the same row.
Shape triangle(int baseX, int tipX, int cy, int halfBase)
{
    return [=](int x, int y) {
        const int length = std::abs(baseX - tipX);
        const int along = std::abs(x - tipX);
        const bool between = (x - tipX) * (baseX - x) >= 0;
        return between && std::abs(y - cy) * length <= along * halfBase;
    };
}

// Pixels whose squared distance from the centre pixel lies in [inner, outer].
Shape annulus(int cx, int cy, int inner, int outer)
{
    return [=](int x, int y) {
        const int d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
        return d2 >= inner && d2 <= outer;
    };
}

// A bar along the left edge with a triangle pointing at it from the right.
QImage barWithTriangle(bool solidTriangle)
{
    QImage image = Raster::blank(13, 39);
    Raster::fill(image, QRect(1, 2, 2, 35), Raster::Black);
    const Shape arrowHead = triangle(11, 4, 19, 8);
    if (solidTriangle)
        Raster::fill(image, arrowHead, Raster::Black);
    else
        Raster::outline(image, arrowHead, Raster::Black);
    return image;
}

// Letters and digits, seven pixels wide and nine tall.
struct Glyph {
    char c;
    std::array<const char *, 9> rows;
};

const Glyph kGlyphs[] = {
    {'A',
     {"..###..", ".##.##.", "##...##", "##...##", "#######", "##...##", "##...##", "##...##",
      "##...##"}},
    {'B',
     {"######.", "##...##", "##...##", "##...##", "######.", "##...##", "##...##", "##...##",
      "######."}},
    {'C',
     {".#####.", "##...##", "##.....", "##.....", "##.....", "##.....", "##.....", "##...##",
      ".#####."}},
    {'D',
     {"#####..", "##..##.", "##...##", "##...##", "##...##", "##...##", "##...##", "##..##.",
      "#####.."}},
    {'1',
     {"...##..", "..###..", ".####..", "...##..", "...##..", "...##..", "...##..", "...##..",
      ".######"}},
    {'2',
     {".#####.", "##...##", ".....##", "....##.", "...##..", "..##...", ".##....", "##.....",
      "#######"}},
    {'3',
     {".#####.", "##...##", ".....##", ".....##", "..####.", ".....##", ".....##", "##...##",
      ".#####."}},
    {'4',
     {"....##.", "...###.", "..####.", ".##.##.", "##..##.", "#######", "....##.", "....##.",
      "....##."}},
};

} // namespace

QImage barWithSolidTriangle() { return barWithTriangle(true); }

QImage barWithHollowTriangle() { return barWithTriangle(false); }

QImage bigArrow()
{
    QImage image = Raster::blank(26, 39);
    Raster::fill(image, QRect(1, 4, 2, 31), Raster::Black);
    Raster::fill(image, QRect(5, 15, 9, 9), Raster::Black);
    Raster::fill(image, triangle(13, 24, 19, 13), Raster::Black);
    return image;
}

QImage bullseye()
{
    QImage image = Raster::blank(13, 13);
    Raster::fill(image, annulus(6, 6, 0, 40), Raster::Black);
    Raster::fill(image, annulus(6, 6, 17, 29), Raster::MarkGrey);
    Raster::fill(image, annulus(6, 6, 3, 8), Raster::MarkGrey);
    return image;
}

QImage cross()
{
    QImage image = Raster::blank(13, 13);
    Raster::fill(
        image,
        [](int x, int y) {
            const bool inside = x >= 2 && x <= 10 && y >= 2 && y <= 10;
            return inside && (std::abs(x - y) <= 1 || std::abs(x + y - 12) <= 1);
        },
        Raster::Black);
    return image;
}

QImage ring()
{
    QImage image = Raster::blank(13, 13);
    Raster::fill(image, annulus(6, 6, 17, 37), Raster::MarkGrey);
    return image;
}

QImage bowl()
{
    QImage image = Raster::blank(13, 13);
    Raster::fill(image, annulus(6, 0, 0, 40), Raster::Black);
    return image;
}

QImage hatched(int width, int height)
{
    QImage image = Raster::blank(width, height);
    Raster::fill(
        image, [](int x, int y) { return (x + y) % 4 == 0; }, Raster::Black);
    Raster::frame(image, image.rect(), Raster::Black);
    return image;
}

QImage compartmentBank(int length, int depth)
{
    constexpr int TabHeight = 3;
    constexpr int Gap = 3;
    QImage image = Raster::blank(length, depth);
    const QRect housing(0, TabHeight, length, depth - TabHeight);
    Raster::fill(image, housing, Raster::WallGrey);
    Raster::frame(image, housing, Raster::Black);

    const int inner = length - 2;
    const int width = (inner - 2 * Gap - 2) / 3;
    const int margin = (inner - 3 * width - 2 * Gap) / 2;
    const int top = housing.top() + 3;
    const int bottom = housing.bottom() - 3;
    const int tabWidth = width % 2 == 0 ? 4 : 3;
    for (int k = 0; k < 3; ++k) {
        const int left = 1 + margin + k * (width + Gap);
        const QRect window(left, top, width, bottom - top + 1);
        Raster::fill(image, window, Raster::White);
        Raster::frame(image, window, Raster::Black);
        // A mound at the foot of the window, two rows full and one narrower.
        Raster::fill(image, QRect(left + 2, bottom - 2, width - 4, 2), Raster::MarkGrey);
        Raster::fill(image, QRect(left + 3, bottom - 3, width - 6, 1), Raster::MarkGrey);
        Raster::fill(image, QRect(left + (width - tabWidth) / 2, 0, tabWidth, TabHeight),
                     Raster::Black);
        if (k < 2) {
            const int middle = (top + bottom) / 2;
            Raster::fill(image, QRect(left + width + Gap / 2, middle - 2, 1, 5), Raster::Black);
        }
    }
    return image;
}

QImage glyph(char c)
{
    for (const Glyph &g : kGlyphs) {
        if (g.c != c)
            continue;
        QImage image = Raster::blank(13, 13);
        Raster::stamp(image, QPoint(3, 2), g.rows, Raster::Black);
        return image;
    }
    throw std::invalid_argument("no glyph for this character");
}

} // namespace Markers
