#pragma once

#include <QFrame>
#include <QImage>

// One entry of the palette strip: a tile picture in a 2-pixel sunken frame.
// A left click on it reports the entry's catalogue index.
class PaletteEntry : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(int index READ index CONSTANT)

public:
    static constexpr int Border = 2;

    PaletteEntry(int index, const QImage &picture, QWidget *parent = nullptr);

    int index() const { return index_; }

signals:
    void clicked(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int index_;
    QImage picture_;
    bool pressed_ = false;
};
