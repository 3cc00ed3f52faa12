#pragma once

#include <QFrame>

class BoardController;
class Editor;
class QSinglePointEvent;

// The board canvas: shows the displayed board inside a 2-pixel sunken border
// and hands pointer and key events, in board coordinates, to the controller.
class BoardCanvas : public QFrame
{
    Q_OBJECT

public:
    BoardCanvas(Editor &editor, BoardController &controller, QWidget *parent = nullptr);

    // A widget position in board coordinates: origin at the drawing area.
    static QPointF toBoard(QPointF widgetPosition);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    void showDamage(const QRegion &boardRegion);
    // The pointer's position in the widget, to the fraction of a pixel.
    QPointF exactPosition(const QSinglePointEvent &event) const;

    Editor &editor_;
    BoardController &controller_;
    // A modal box has just closed: the pointer may have moved over it.
    bool unblocked_ = false;
};
