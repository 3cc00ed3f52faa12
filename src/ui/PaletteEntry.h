#pragma once

#include <QFrame>
#include <QImage>

// One entry of the palette strip: a tile picture in a 2-pixel sunken frame.
// A left click on it, or Enter or Space while it has the focus, reports the
// entry's catalogue index; the arrows ask for the focus to move to the
// entry that lies that way. With the focus it shows a dashed frame inside
// its border, apart from the picked entry's frame round it.
class PaletteEntry : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(int index READ index CONSTANT)

public:
    static constexpr int Border = 2;

    PaletteEntry(int index, const QImage &picture, QWidget *parent = nullptr);

    int index() const { return index_; }

    // Whether the entry is the picked one, which the window's frame marks;
    // told to assistive technology as the entry's checked state.
    bool isPicked() const { return picked_; }
    void setPicked(bool picked);
    // Reports the entry picked, as a click does.
    void press() { emit clicked(index_); }

    // What a screen reader says besides its name: its size and turns.
    static QString description(int index);

signals:
    void clicked(int index);
    void focusWanted(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    int index_;
    QImage picture_;
    bool pressed_ = false;
    bool picked_ = false;
};
