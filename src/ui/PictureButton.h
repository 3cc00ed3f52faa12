#pragma once

#include <QPushButton>

// A push button that shows a picture instead of a caption. The picture is
// as large as the face, so it is drawn inside the button's edge, which stays
// visible, and shifts by a pixel while the button is held down, as a pressed
// button does. The icon's disabled mode greys it while the button is disabled.
class PictureButton : public QPushButton
{
    Q_OBJECT

public:
    PictureButton(const QIcon &picture, QSize pictureSize, QWidget *parent = nullptr);

    // Where the picture is drawn, in the button's coordinates.
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};
