#pragma once

#include <QImage>
#include <QPainterPath>
#include <QString>

#include <vector>

class QPainter;

namespace uiart {

// Height of the block capitals, in the units of blockLetters().
constexpr qreal blockCapHeight = 38;
// Height of the hand-drawn capitals, in the units of handLetters().
constexpr qreal handCapHeight = 20;

// The program's name in bold block capitals, as filled outlines with their counters as holes
// (odd-even fill). Origin at the top left of the first letter; letters V A N T O R E L.
QPainterPath blockLetters(const QString &word, qreal spacing);

// Capitals written with a marker, as open strokes to be drawn with a round pen: every point
// wobbles a little, each letter sits slightly off the line. Letters E D I T O R.
QPainterPath handLetters(const QString &word, qreal spacing, quint32 seed);

// A smooth pen line from the first point to the last: quadratic pieces that turn at the
// points in between and meet halfway from one to the next.
QPainterPath penLine(const std::vector<QPointF> &points);

// Polished chrome mirrors a pale sky over a dark horizon; at a few pixels high the horizon
// only muddies the letter, so small letters get plain bright silver.
enum class Chrome { Polished, Plain };

// Fills glyphs as chrome whose gradient runs from top to bottom, over a drop shadow and with a
// dark edge (both in device pixels; 0 for none).
void paintChrome(QPainter &painter, const QPainterPath &glyphs, qreal top, qreal bottom,
                 Chrome look, qreal edgeWidth, qreal shadowOffset);

// Dark brown leather: horizontal streaks of a given cell size with grain on top.
QImage brownTexture(QSize size, QSize streakCell, quint32 seed);

} // namespace uiart
