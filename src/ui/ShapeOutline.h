#pragma once

#include <QColor>
#include <QWidget>

// A rounded rectangle outline drawn on its parent's background, not filled
// and deaf to the mouse, so the controls it frames stay on top and clickable.
class ShapeOutline : public QWidget
{
    Q_OBJECT

public:
    ShapeOutline(QColor colour, int penWidth, QWidget *parent = nullptr);

    QColor colour() const { return colour_; }
    int penWidth() const { return penWidth_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor colour_;
    int penWidth_;
};
