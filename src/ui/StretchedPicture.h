#pragma once

#include <QImage>
#include <QLabel>

// A label whose picture is stretched smoothly over its whole face, as a
// QLabel with scaled contents stretches it on a screen of ratio 1; on a
// screen of a higher ratio that stretched picture is blown up pixel for
// pixel, so the label looks as it does at 1, not stretched again and blurred.
class StretchedPicture : public QLabel
{
    Q_OBJECT

public:
    explicit StretchedPicture(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage stretched_;
    qint64 stretchedFrom_ = 0; // the cache key of the pixmap it was made from
};
