#include "Artwork.h"

#include "Lettering.h"

#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>
#include <initializer_list>
#include <vector>

namespace uiart {
namespace {

constexpr int pictureSize = 32;
constexpr QRgb black = 0xff000000;
constexpr QRgb white = 0xffffffff;

QImage greyFace()
{
    QImage image(pictureSize, pictureSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(buttonGrey);
    return image;
}

// Pixel art for the crisp parts: the pointers and the move cross are set pixel by pixel and
// get a one-pixel white halo, as screen pointers have.
class PixelMask
{
public:
    void set(int x, int y)
    {
        if (x >= 0 && y >= 0 && x < pictureSize && y < pictureSize)
            m_on[y][x] = true;
    }

    bool on(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < pictureSize && y < pictureSize && m_on[y][x];
    }

    // Rows of text with '#' for a set pixel, the first row's first character at origin.
    void addRows(QPoint origin, std::initializer_list<const char *> rows)
    {
        int y = origin.y();
        for (const char *row : rows) {
            for (int x = 0; row[x] != '\0'; ++x) {
                if (row[x] == '#')
                    set(origin.x() + x, y);
            }
            ++y;
        }
    }

    void paintWithHalo(QImage &image) const
    {
        for (int y = 0; y < pictureSize; ++y) {
            for (int x = 0; x < pictureSize; ++x) {
                if (on(x, y))
                    image.setPixel(x, y, black);
                else if (touched(x, y))
                    image.setPixel(x, y, white);
            }
        }
    }

private:
    bool touched(int x, int y) const
    {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                if (on(x + dx, y + dy))
                    return true;
            }
        }
        return false;
    }

    std::array<std::array<bool, pictureSize>, pictureSize> m_on {};
};

// A black-on-grey rectangle outline of 3-pixel dashes and 2-pixel gaps, walked clockwise so
// the dashes turn the corners.
void drawDashedRect(QImage &image, QPoint topLeft, QPoint bottomRight)
{
    int step = 0;
    auto dot = [&](int x, int y) {
        if (step++ % 5 < 3)
            image.setPixel(x, y, black);
    };
    for (int x = topLeft.x(); x < bottomRight.x(); ++x)
        dot(x, topLeft.y());
    for (int y = topLeft.y(); y < bottomRight.y(); ++y)
        dot(bottomRight.x(), y);
    for (int x = bottomRight.x(); x > topLeft.x(); --x)
        dot(x, bottomRight.y());
    for (int y = bottomRight.y(); y > topLeft.y(); --y)
        dot(topLeft.x(), y);
}

// Four arrows from a centre, their two-pixel shafts crossing between the pixels centre-1 and
// centre; reach is the distance from the centre to the arrow tips.
void addMoveCross(PixelMask &mask, QPoint centre, int reach)
{
    for (int d = 0; d < reach; ++d) {
        const int half = d < 3 ? d : 0; // the head widens over its first three rows
        for (int across = -1 - half; across <= half; ++across) {
            const int along = reach - d;
            mask.set(centre.x() + across, centre.y() - along);
            mask.set(centre.x() + across, centre.y() + along - 1);
            mask.set(centre.x() - along, centre.y() + across);
            mask.set(centre.x() + along - 1, centre.y() + across);
        }
    }
}

} // namespace

QImage paintSelectPicture()
{
    QImage image = greyFace();
    drawDashedRect(image, QPoint(3, 4), QPoint(23, 21));
    PixelMask pointer;
    pointer.addRows(QPoint(23, 21),
                    {"#", "##", "###", "####", "#####", "######", "###", "#.##", "...##"});
    pointer.paintWithHalo(image);
    return image;
}

QImage paintMovePicture()
{
    QImage image = greyFace();
    PixelMask pointer;
    pointer.addRows(QPoint(4, 3),
                    {"#", "##", "###", "####", "#####", "######", "#######", "########",
                     "#########", "#####", "##.##", "#...##", "....##", ".....##", ".....##"});
    pointer.paintWithHalo(image);
    PixelMask cross;
    addMoveCross(cross, QPoint(22, 22), 8);
    cross.paintWithHalo(image);
    return image;
}

QImage paintUndoPicture()
{
    QImage image = greyFace();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    // A counter-clockwise arc over the top of a circle, from its upper right to its left.
    const QRectF circle(6, 13, 23, 23);
    QPainterPath arc;
    arc.arcMoveTo(circle, 35);
    arc.arcTo(circle, 35, 115);
    painter.strokePath(arc, QPen(Qt::black, 3.4, Qt::SolidLine, Qt::FlatCap));

    // The head continues the arc's last direction: down and to the left.
    const QPointF end = arc.currentPosition();
    const QPointF run = end - arc.pointAtPercent(0.9);
    const QPointF ahead = run / std::sqrt(QPointF::dotProduct(run, run));
    const QPointF aside(-ahead.y(), ahead.x());
    const QPointF head[]
        = {end + ahead * 6, end - ahead * 0.5 + aside * 5, end - ahead * 0.5 - aside * 5};
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawPolygon(head, 3);
    return image;
}

QImage paintErasePicture(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal scale = size / qreal(pictureSize);
    painter.scale(scale, scale);
    const qreal pixel = 1 / scale; // one device pixel, in the 32-unit drawing

    // The scribble runs from under the eraser off to the right; on the left, where the
    // eraser has been, only a faint trace and a few crumbs are left. At 16 pixels the zigzag
    // needs fewer, taller teeth to stay a zigzag.
    const std::vector<QPointF> zigzag
        = size > 16 ? std::vector<QPointF> {{1.5, 26.5}, {3.5, 23.5}, {5.5, 29},   {7.5, 23.5},
                                            {9.5, 29},   {12, 23.5},  {14, 29},    {16.5, 23.5},
                                            {18.5, 29},  {21, 23.5},  {23, 29},    {25.5, 24},
                                            {27.5, 29},  {29.5, 25},  {30.5, 26.5}}
                    : std::vector<QPointF> {{1, 27},    {4, 22.5}, {7, 30},    {11, 22.5}, {15, 30},
                                            {19, 22.5}, {23, 30},  {27, 22.5}, {30.5, 28}};
    const QPainterPath scribble = penLine(zigzag);
    const QPen scribblePen(Qt::black, qMax(1.4, 1.1 * pixel), Qt::SolidLine, Qt::RoundCap,
                           Qt::RoundJoin);
    painter.setOpacity(0.22);
    painter.strokePath(scribble, scribblePen);
    painter.setOpacity(1);
    painter.save();
    painter.setClipRect(QRectF(9, 0, pictureSize - 9, pictureSize));
    painter.strokePath(scribble, scribblePen);
    painter.restore();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(226, 110, 140));
    for (const QPointF crumb : {QPointF(3.5, 30.5), QPointF(6, 29.8), QPointF(8, 31)})
        painter.drawEllipse(crumb, 0.9, 0.8);

    // The pencil, drawn lengthwise from its eraser end (u) with v across it, then laid from
    // the lower left up to the upper right.
    const qreal r = 0.70710678118654752; // cos and sin of 45 degrees
    painter.setTransform(QTransform(r, -r, r, r, 8.5, 24.5), true);
    const QPen outline(Qt::black, qMax(0.9, pixel), Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
    auto part = [&](const QPainterPath &path, const QColor &fill) {
        painter.fillPath(path, fill);
        painter.strokePath(path, outline);
    };
    QPainterPath eraser;
    eraser.addRoundedRect(QRectF(0, -3.5, 7, 7), 1.8, 1.8);
    part(eraser, QColor(240, 128, 158));
    painter.fillRect(QRectF(0.8, -2.6, 5, 1.4), QColor(252, 186, 204));

    const qreal bodyStart = 9.5, woodStart = 20.5, tip = 26.5;
    QPainterPath ferrule;
    ferrule.addRect(QRectF(6.2, -3.7, bodyStart - 6.2, 7.4));
    part(ferrule, QColor(196, 198, 206));
    painter.fillRect(QRectF(6.9, -3.2, 0.7, 6.4), QColor(122, 124, 134));
    painter.fillRect(QRectF(8.3, -3.2, 0.7, 6.4), QColor(122, 124, 134));

    // Three facets of the yellow body, the lit one facing up and to the left.
    painter.fillRect(QRectF(bodyStart, -3.5, woodStart - bodyStart, 2.4), QColor(255, 232, 96));
    painter.fillRect(QRectF(bodyStart, -1.1, woodStart - bodyStart, 2.3), QColor(246, 192, 24));
    painter.fillRect(QRectF(bodyStart, 1.2, woodStart - bodyStart, 2.3), QColor(204, 140, 0));
    QPainterPath body;
    body.addRect(QRectF(bodyStart, -3.5, woodStart - bodyStart, 7));
    painter.strokePath(body, outline);

    QPainterPath wood;
    wood.addPolygon(QPolygonF({QPointF(woodStart, -3.5), QPointF(tip, 0), QPointF(woodStart, 3.5),
                               QPointF(woodStart, -3.5)}));
    part(wood, QColor(236, 200, 150));
    QPainterPath lead;
    lead.addPolygon(QPolygonF({QPointF(tip - 2.3, -1.3), QPointF(tip, 0), QPointF(tip - 2.3, 1.3),
                               QPointF(tip - 2.3, -1.3)}));
    painter.fillPath(lead, QColor(40, 40, 44));
    return image;
}

} // namespace uiart
