#pragma once

#include <QGroupBox>

// The "Printing" frame. Besides holding the print button and the print-zone
// scroll bar, it tells when the pointer moves over the frame itself rather
// than over one of them, where the board shows the print zone again.
class PrintFrame : public QGroupBox
{
    Q_OBJECT

public:
    explicit PrintFrame(QWidget *parent = nullptr);

signals:
    void pointerOverFrame();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
};
