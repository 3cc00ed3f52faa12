#include "ShapeOutline.h"

#include <QPainter>

#include <algorithm>

ShapeOutline::ShapeOutline(QColor colour, int penWidth, QWidget *parent)
    : QWidget(parent), colour_(colour), penWidth_(penWidth)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void ShapeOutline::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour_, penWidth_));
    painter.setBrush(Qt::NoBrush);
    // The pen stays inside the rectangle; the corners are rounded by a sixth
    // of the shorter side.
    const qreal half = penWidth_ / 2.0;
    const QRectF box = QRectF(rect()).adjusted(half, half, -half, -half);
    const qreal radius = std::min(box.width(), box.height()) / 6.0;
    painter.drawRoundedRect(box, radius, radius);
}
