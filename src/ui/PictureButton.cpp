#include "PictureButton.h"

#include "PixelArt.h"

#include <QStyleOptionButton>
#include <QStylePainter>

PictureButton::PictureButton(const QIcon &picture, QSize pictureSize, QWidget *parent)
    : QPushButton(parent)
{
    setIcon(picture);
    setIconSize(pictureSize);
}

QRect PictureButton::pictureRect() const
{
    QRect target(QPoint(0, 0), iconSize());
    target.moveCenter(rect().center());
    if (isDown())
        target.translate(1, 1);
    return target;
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.icon = QIcon();
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    // The picture made for a ratio of 1, greyed by the style when disabled,
    // then blown up pixel for pixel: asked for at a higher ratio, the icon
    // would stretch it smoothly, and blur it.
    const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
    const QImage picture = icon().pixmap(iconSize(), 1.0, mode).toImage();
    // The button's edge, one pixel each way, is left to the style.
    PixelArt::draw(painter, pictureRect().topLeft(), picture, rect().adjusted(1, 1, -1, -1));
}
