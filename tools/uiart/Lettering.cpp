#include "Lettering.h"

#include "Lcg.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>

#include <vector>

namespace uiart {
namespace {

QPolygonF polygon(std::initializer_list<QPointF> points)
{
    QPolygonF result(points);
    result.append(result.first());
    return result;
}

// One letter of blockLetters(), drawn at x = 0; returns its advance width.
qreal addBlockLetter(QPainterPath &path, QChar letter)
{
    switch (letter.unicode()) {
    case 'V':
        path.addPolygon(polygon({{0, 0}, {10, 0}, {17, 25}, {24, 0}, {34, 0}, {22, 38}, {12, 38}}));
        return 34;
    case 'A':
        path.addPolygon(
            polygon({{12, 0}, {22, 0}, {34, 38}, {24, 38}, {22, 31}, {12, 31}, {10, 38}, {0, 38}}));
        path.addPolygon(polygon({{17, 11}, {20.4, 23}, {13.6, 23}}));
        return 34;
    case 'N':
        path.addPolygon(polygon({{0, 0},
                                 {9, 0},
                                 {21, 21},
                                 {21, 0},
                                 {30, 0},
                                 {30, 38},
                                 {21, 38},
                                 {9, 17},
                                 {9, 38},
                                 {0, 38}}));
        return 30;
    case 'T':
        path.addPolygon(polygon(
            {{0, 0}, {30, 0}, {30, 8}, {19.5, 8}, {19.5, 38}, {10.5, 38}, {10.5, 8}, {0, 8}}));
        return 30;
    case 'O':
        path.addRoundedRect(QRectF(0, 0, 34, 38), 14, 15);
        path.addRoundedRect(QRectF(9, 8.5, 16, 21), 5, 6);
        return 34;
    case 'R': {
        QPainterPath outer;
        outer.moveTo(0, 0);
        outer.lineTo(19, 0);
        outer.cubicTo(27, 0, 31, 4, 31, 11);
        outer.cubicTo(31, 17, 28, 20.5, 23.5, 22);
        outer.lineTo(32, 38);
        outer.lineTo(22, 38);
        outer.lineTo(14.5, 23);
        outer.lineTo(9, 23);
        outer.lineTo(9, 38);
        outer.lineTo(0, 38);
        outer.closeSubpath();
        outer.moveTo(9, 8);
        outer.lineTo(18, 8);
        outer.cubicTo(20.8, 8, 22, 9.5, 22, 11.5);
        outer.cubicTo(22, 13.5, 20.8, 15, 18, 15);
        outer.lineTo(9, 15);
        outer.closeSubpath();
        path.addPath(outer);
        return 32;
    }
    case 'E':
        path.addPolygon(polygon({{0, 0},
                                 {27, 0},
                                 {27, 8},
                                 {9, 8},
                                 {9, 15},
                                 {23, 15},
                                 {23, 23},
                                 {9, 23},
                                 {9, 30},
                                 {27, 30},
                                 {27, 38},
                                 {0, 38}}));
        return 27;
    case 'L':
        path.addPolygon(polygon({{0, 0}, {9, 0}, {9, 30}, {26, 30}, {26, 38}, {0, 38}}));
        return 26;
    default:
        return 20;
    }
}

using Stroke = std::vector<QPointF>;

// The strokes of one hand-drawn capital in a box handCapHeight high; returns its width.
qreal handLetterStrokes(QChar letter, std::vector<Stroke> &strokes)
{
    switch (letter.unicode()) {
    case 'E':
        strokes = {{{11, 0.3}, {5, 0}, {0.8, 0.6}},
                   {{0.8, 0.6}, {0.4, 10}, {0.6, 19.6}},
                   {{0.6, 19.6}, {6, 19.8}, {11.5, 19.2}},
                   {{0.8, 9.8}, {4.5, 9.4}, {8.5, 9.6}}};
        return 12;
    case 'D':
        strokes = {{{1, 0.4}, {0.6, 10}, {1, 19.8}},
                   {{1, 0.4},
                    {5.5, 0.2},
                    {9, 2.2},
                    {11, 6},
                    {11.4, 10},
                    {10.8, 14.5},
                    {8.5, 18},
                    {5, 19.8},
                    {0.6, 19.9}}};
        return 12;
    case 'I':
        strokes = {{{0.2, 0.4}, {3, 0}, {6, 0.3}},
                   {{3, 0}, {2.8, 10}, {3.1, 19.8}},
                   {{0, 19.9}, {3, 19.6}, {6.2, 19.8}}};
        return 6;
    case 'T':
        strokes = {{{0, 0.8}, {6, 0}, {12.5, 0.2}}, {{6.2, 0.1}, {6, 10}, {6.4, 20}}};
        return 12.5;
    case 'O':
        strokes = {{{6.8, 0.2},
                    {9.8, 1.6},
                    {11.6, 5.5},
                    {12, 10},
                    {11.2, 15},
                    {8.6, 19},
                    {5.5, 20.2},
                    {2.5, 18.8},
                    {0.5, 14.5},
                    {0, 9.5},
                    {1, 5},
                    {3.5, 1.2},
                    {7.5, 0},
                    {9.5, 0.8}}};
        return 12;
    case 'R':
        strokes = {{{0.8, 0.2}, {0.6, 10}, {1, 20}},
                   {{0.8, 0.2}, {6.5, 0}, {10, 2}, {10.6, 5.2}, {8.8, 8.6}, {5, 10}, {1, 10}},
                   {{5, 10}, {8.5, 14.5}, {11.8, 20}}};
        return 12;
    default:
        strokes.clear();
        return 8;
    }
}

} // namespace

QPainterPath penLine(const std::vector<QPointF> &points)
{
    QPainterPath path(points.front());
    if (points.size() == 2) {
        path.lineTo(points.back());
        return path;
    }
    for (std::size_t i = 1; i + 1 < points.size(); ++i) {
        const QPointF middle = (points[i] + points[i + 1]) / 2;
        path.quadTo(points[i], i + 2 == points.size() ? points[i + 1] : middle);
    }
    return path;
}

QPainterPath blockLetters(const QString &word, qreal spacing)
{
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    qreal x = 0;
    for (QChar letter : word) {
        QPainterPath glyph;
        const qreal advance = addBlockLetter(glyph, letter);
        path.addPath(glyph.translated(x, 0));
        x += advance + spacing;
    }
    return path;
}

QPainterPath handLetters(const QString &word, qreal spacing, quint32 seed)
{
    Lcg rng(seed);
    QPainterPath path;
    qreal x = 0;
    for (QChar letter : word) {
        std::vector<Stroke> strokes;
        const qreal width = handLetterStrokes(letter, strokes);
        const QPointF shift(x + rng.jitter(0.5), rng.jitter(0.8));
        for (Stroke &stroke : strokes) {
            for (QPointF &point : stroke)
                point += shift + QPointF(rng.jitter(0.6), rng.jitter(0.6));
            path.addPath(penLine(stroke));
        }
        x += width + spacing;
    }
    return path;
}

void paintChrome(QPainter &painter, const QPainterPath &glyphs, qreal top, qreal bottom,
                 Chrome look, qreal edgeWidth, qreal shadowOffset)
{
    if (shadowOffset > 0)
        painter.fillPath(glyphs.translated(shadowOffset, shadowOffset), QColor(0, 0, 0, 170));

    QLinearGradient chrome(0, top, 0, bottom);
    if (look == Chrome::Polished) {
        // The sky above the horizon, the brown ground below it.
        chrome.setColorAt(0.00, QColor(252, 253, 255));
        chrome.setColorAt(0.30, QColor(200, 208, 220));
        chrome.setColorAt(0.48, QColor(105, 112, 128));
        chrome.setColorAt(0.52, QColor(62, 48, 40));
        chrome.setColorAt(0.62, QColor(140, 122, 108));
        chrome.setColorAt(0.86, QColor(228, 224, 220));
        chrome.setColorAt(1.00, QColor(255, 255, 255));
    } else {
        chrome.setColorAt(0.0, QColor(255, 255, 255));
        chrome.setColorAt(0.5, QColor(196, 204, 216));
        chrome.setColorAt(1.0, QColor(240, 240, 244));
    }
    painter.fillPath(glyphs, chrome);
    if (edgeWidth > 0) {
        painter.strokePath(
            glyphs, QPen(QColor(24, 16, 10), edgeWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    }
}

QImage brownTexture(QSize size, QSize streakCell, quint32 seed)
{
    Lcg rng(seed);
    const int cw = streakCell.width(), ch = streakCell.height();
    const int columns = size.width() / cw + 2, rows = size.height() / ch + 2;
    std::vector<int> streaks(std::size_t(columns) * rows);
    for (int &value : streaks)
        value = rng.between(-18, 18);
    auto streak = [&](int col, int row) { return streaks[std::size_t(row) * columns + col]; };

    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < size.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const int row = y / ch, fy = y % ch;
        for (int x = 0; x < size.width(); ++x) {
            const int col = x / cw, fx = x % cw;
            // Bilinear blend of the four surrounding streak values, in integers.
            const int upper = streak(col, row) * (cw - fx) + streak(col + 1, row) * fx;
            const int lower = streak(col, row + 1) * (cw - fx) + streak(col + 1, row + 1) * fx;
            const int v = (upper * (ch - fy) + lower * fy) / (cw * ch) + rng.between(-7, 7);
            line[x] = qRgb(qBound(0, 78 + v, 255), qBound(0, 46 + v * 2 / 3, 255),
                           qBound(0, 26 + v / 3, 255));
        }
    }
    return image;
}

} // namespace uiart
