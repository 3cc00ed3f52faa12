#include "BoardCanvas.h"

#include "app/Editor.h"
#include "board/BoardController.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

BoardCanvas::BoardCanvas(Editor &editor, BoardController &controller, QWidget *parent)
    : QFrame(parent), editor_(editor), controller_(controller)
{
    setObjectName(QStringLiteral("PictureMain"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(Border);
    setFixedSize(BoardModel::Width + 2 * Border, BoardModel::Height + 2 * Border);
    setCursor(Qt::CrossCursor);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_StaticContents);
    connect(&editor_, &Editor::boardPainted, this, &BoardCanvas::showDamage);
}

QPointF BoardCanvas::toBoard(QPointF widgetPosition)
{
    return widgetPosition - QPointF(Border, Border);
}

void BoardCanvas::showDamage(const QRegion &boardRegion)
{
    const QRegion region = boardRegion.translated(Border, Border);
    // The board is painted at once, not at the next round of the event loop.
    if (isVisible())
        repaint(region);
}

void BoardCanvas::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect area(Border, Border, BoardModel::Width, BoardModel::Height);
    const QImage &board = editor_.board().displayed();
    for (const QRect &rect : event->region()) {
        const QRect target = rect.intersected(area);
        if (!target.isEmpty())
            painter.drawImage(target.topLeft(), board, target.translated(-Border, -Border));
    }
    if (!area.contains(event->rect()))
        drawFrame(&painter);
}

bool BoardCanvas::event(QEvent *event)
{
    if (event->type() == QEvent::WindowUnblocked)
        unblocked_ = true;
    return QFrame::event(event);
}

void BoardCanvas::enterEvent(QEnterEvent *event)
{
    // When a message box closes over the board, the board is told that the
    // pointer is back, and where, but gets no move: the preview goes where
    // the pointer is, so that a click stamps under it. Other entries come
    // with a move of their own, or before the pointer has moved at all.
    if (unblocked_ && isEnabled())
        controller_.pointerMove(event->buttons(), toBoard(event->position()));
    unblocked_ = false;
    QFrame::enterEvent(event);
}

void BoardCanvas::mouseMoveEvent(QMouseEvent *event)
{
    unblocked_ = false;
    controller_.pointerMove(event->buttons(), toBoard(event->position()));
}

void BoardCanvas::mousePressEvent(QMouseEvent *event)
{
    controller_.buttonPress(event->button(), toBoard(event->position()));
}

void BoardCanvas::mouseReleaseEvent(QMouseEvent *event)
{
    controller_.buttonRelease(event->button(), toBoard(event->position()));
}

void BoardCanvas::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        controller_.character(BoardController::EscapeCode);
        return;
    }
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint()) {
        controller_.character(text.at(0).unicode());
        return;
    }
    // Keys that type no character are not the board's business.
    QFrame::keyPressEvent(event);
}
