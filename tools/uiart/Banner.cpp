#include "Artwork.h"

#include "Lettering.h"

#include <QPainter>

namespace uiart {

namespace {
constexpr int bannerWidth = 283;
constexpr int bannerHeight = 85;
// The brown band with the name covers the upper two thirds; the rest is black.
constexpr int bandHeight = 57;
} // namespace

QImage paintBanner()
{
    QImage image(bannerWidth, bannerHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.drawImage(0, 0, brownTexture(QSize(bannerWidth, bandHeight), QSize(23, 3), 0x56a7));
    // A lit upper edge and a dark lower edge make the band a raised strip.
    painter.fillRect(0, 0, bannerWidth, 1, QColor(140, 96, 60));
    painter.fillRect(0, bandHeight - 2, bannerWidth, 1, QColor(40, 22, 12));
    painter.fillRect(0, bandHeight - 1, bannerWidth, 1, QColor(112, 76, 46));

    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath name = blockLetters(QStringLiteral("VANTOREL"), 3);
    const qreal nameTop = 9;
    const QTransform nameAt
        = QTransform::fromTranslate((bannerWidth - name.boundingRect().width()) / 2, nameTop);
    paintChrome(painter, nameAt.map(name), nameTop, nameTop + blockCapHeight, Chrome::Polished, 1.3,
                2);

    const QPainterPath word = handLetters(QStringLiteral("EDITOR"), 3.5, 0xed17);
    const qreal wordScale = 0.95;
    const QTransform wordAt
        = QTransform::fromTranslate(bannerWidth - 7 - word.boundingRect().width() * wordScale, 62)
              .scale(wordScale, wordScale);
    painter.strokePath(wordAt.map(word),
                       QPen(QColor(255, 222, 0), 2.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    return image;
}

} // namespace uiart
