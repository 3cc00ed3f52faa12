#include "Artwork.h"

#include "Lettering.h"

#include <QPainter>

namespace uiart {

QImage paintIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool small = size <= 32;

    // A board tile of the banner's brown leather with rounded corners.
    const qreal edge = qMax(1.0, size / 32.0);
    const QRectF tile(edge / 2, edge / 2, size - edge, size - edge);
    QPainterPath tilePath;
    tilePath.addRoundedRect(tile, size * 0.14, size * 0.14);
    const QSize streak(qMax(4, size / 4), qMax(2, size / 24));
    painter.fillPath(tilePath, QBrush(brownTexture(QSize(size, size), streak, 0x1c0 + size)));
    painter.strokePath(tilePath, QPen(QColor(24, 14, 8), edge));

    // The chrome initial, as large as the tile allows; a small one is drawn plain so that it
    // stays a clear light V.
    const QPainterPath letter = blockLetters(QStringLiteral("V"), 0);
    const qreal scale = size * (small ? 0.72 : 0.66) / blockCapHeight;
    const QRectF box = letter.boundingRect();
    const qreal top = qRound((size - box.height() * scale) / 2);
    const QTransform at
        = QTransform::fromTranslate((size - box.width() * scale) / 2, top).scale(scale, scale);
    paintChrome(painter, at.map(letter), top, top + blockCapHeight * scale,
                small ? Chrome::Plain : Chrome::Polished, small ? 0 : size / 48.0,
                small ? 0 : size / 40.0);
    return image;
}

} // namespace uiart
