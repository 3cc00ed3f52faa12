#include "StretchedPicture.h"

#include "PixelArt.h"

#include <QPaintEvent>
#include <QPainter>

StretchedPicture::StretchedPicture(QWidget *parent) : QLabel(parent) { setScaledContents(true); }

void StretchedPicture::paintEvent(QPaintEvent *event)
{
    const QPixmap picture = pixmap();
    const QRect face = contentsRect();
    if (picture.isNull() || face.isEmpty()) {
        QLabel::paintEvent(event);
        return;
    }
    if (stretched_.size() != face.size() || stretchedFrom_ != picture.cacheKey()) {
        stretched_ = picture.toImage().scaled(face.size(), Qt::IgnoreAspectRatio,
                                              Qt::SmoothTransformation);
        stretchedFrom_ = picture.cacheKey();
    }
    QPainter painter(this);
    PixelArt::draw(painter, face.topLeft(), stretched_, event->rect());
}
