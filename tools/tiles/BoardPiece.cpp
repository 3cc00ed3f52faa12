#include "BoardPiece.h"

#include "Raster.h"

#include <QStringList>

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace BoardPiece {
namespace {

enum class Cell { Outside, Wall, Floor, Pit };

// Blank margin between a closed side and the contour line.
constexpr int Margin = 3;

// Pit shading, darker ring by ring from the square's grid line to its black centre pixel.
constexpr QRgb kPitRings[]
    = {Raster::GridGrey, 0xFF828282, 0xFF696969, 0xFF505050, 0xFF373737, 0xFF1E1E1E, Raster::Black};

class CellMap
{
public:
    explicit CellMap(const QString &map)
    {
        const QStringList rows = map.split(QLatin1Char('/'));
        m_height = int(rows.size());
        m_width = int(rows.front().size());
        for (const QString &row : rows) {
            if (row.size() != m_width)
                throw std::invalid_argument("ragged square map");
            for (QChar c : row)
                m_cells.push_back(c == QLatin1Char('#')   ? Cell::Wall
                                  : c == QLatin1Char('.') ? Cell::Floor
                                  : c == QLatin1Char('o') ? Cell::Pit
                                                          : Cell::Outside);
        }
    }

    int width() const { return m_width; }
    int height() const { return m_height; }

    // The square at (x, y), also for the ring of squares just beyond the
    // picture: past an open end lies the next piece's floor, past the walls
    // beside it that piece's walls, and past anything else nothing.
    Cell at(int x, int y) const
    {
        const bool inX = x >= 0 && x < m_width;
        const bool inY = y >= 0 && y < m_height;
        if (inX && inY)
            return inside(x, y);
        if (!inX && !inY)
            return Cell::Outside;
        const int bx = std::clamp(x, 0, m_width - 1);
        const int by = std::clamp(y, 0, m_height - 1);
        const Cell border = inside(bx, by);
        if (border == Cell::Floor)
            return Cell::Floor;
        if (border == Cell::Wall) {
            // The neighbours along the edge the square lies on.
            const int ax = inY ? 0 : 1;
            const int ay = inY ? 1 : 0;
            if (isFloor(bx - ax, by - ay) || isFloor(bx + ax, by + ay))
                return Cell::Wall;
        }
        return Cell::Outside;
    }

private:
    Cell inside(int x, int y) const { return m_cells[std::size_t(y * m_width + x)]; }

    bool isFloor(int x, int y) const
    {
        return x >= 0 && x < m_width && y >= 0 && y < m_height && inside(x, y) == Cell::Floor;
    }

    int m_width = 0;
    int m_height = 0;
    std::vector<Cell> m_cells;
};

// -1, 0 or 1: whether a pixel lies in the margin band at the low or high side
// of its square.
int band(int local) { return local < Margin ? -1 : local >= Square - Margin ? 1 : 0; }

// The piece's body, walls and floor together. A wall square gives up a margin
// band along each side that faces nothing, and the corner where only its
// diagonal neighbour is missing, which makes the contour step around the walls
// that run out to an open end.
bool solid(const CellMap &cells, int x, int y)
{
    const int cx = x / Square;
    const int cy = y / Square;
    const Cell cell = cells.at(cx, cy);
    if (cell != Cell::Wall)
        return cell != Cell::Outside;
    const int dx = band(x % Square);
    const int dy = band(y % Square);
    if (dx != 0 && cells.at(cx + dx, cy) == Cell::Outside)
        return false;
    if (dy != 0 && cells.at(cx, cy + dy) == Cell::Outside)
        return false;
    return !(dx != 0 && dy != 0 && cells.at(cx + dx, cy + dy) == Cell::Outside);
}

// Colour of a pixel of the body, before the contour goes on.
QRgb bodyColour(Cell cell, int lx, int ly)
{
    const int ring = std::min({lx, ly, Square - 1 - lx, Square - 1 - ly});
    switch (cell) {
    case Cell::Wall:
        return Raster::WallGrey;
    case Cell::Floor:
        return ring == 0 ? Raster::GridGrey : Raster::White;
    case Cell::Pit:
        return kPitRings[ring];
    case Cell::Outside:
        break;
    }
    return Raster::White;
}

} // namespace

QImage draw(const QString &map)
{
    const CellMap cells(map);
    QImage image = Raster::blank(cells.width() * Square, cells.height() * Square);
    const Raster::Shape body = [&cells](int x, int y) { return solid(cells, x, y); };
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (body(x, y))
                image.setPixel(
                    x, y, bodyColour(cells.at(x / Square, y / Square), x % Square, y % Square));
    Raster::outline(image, body, Raster::Black);
    return image;
}

} // namespace BoardPiece
