#include "BoardCanvas.h"

#include "PixelArt.h"

#include "catalogue/TileTable.h"
#include "document/BoardController.h"
#include "document/Editor.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

BoardCanvas::BoardCanvas(Editor &editor, BoardController &controller, QWidget *parent)
    : QFrame(parent), editor_(editor), controller_(controller)
{
    setObjectName(QStringLiteral("PictureMain"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(Board::Border);
    setFixedSize(Board::OuterWidth, Board::OuterHeight);
    setCursor(Qt::CrossCursor);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_StaticContents);
    setAccessibleName(QStringLiteral("Plan"));
    setAccessibleDescription(
        QStringLiteral("Plan de %1 × %2 points sur une grille de cases de %3 points. Flèches : "
                       "déplacer la pièce ou le coin de la sélection d'une case ; Espace ou "
                       "Entrée : poser la pièce ou fixer un coin ; R : tourner la pièce ; "
                       "Échap : annuler la sélection.")
            .arg(Board::Width)
            .arg(Board::Height)
            .arg(Board::Step));
    connect(&editor_, &Editor::boardPainted, this, &BoardCanvas::showDamage);
}

QPointF BoardCanvas::toBoard(QPointF widgetPosition)
{
    return widgetPosition - QPointF(Board::Border, Board::Border);
}

void BoardCanvas::showDamage(const QRegion &boardRegion)
{
    // Only what changed is painted again, at the next round of the event loop.
    update(boardRegion.translated(Board::Border, Board::Border));
}

void BoardCanvas::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect area(Board::Border, Board::Border, Board::Width, Board::Height);
    // The drawings are composed over the map in board pixels, then shown
    // pixel for pixel like the map itself.
    for (const QRect &rect : event->region()) {
        const QRect onBoard = rect.translated(-area.topLeft()).intersected(Board::area());
        if (!onBoard.isEmpty())
            PixelArt::draw(painter, area.topLeft() + onBoard.topLeft(),
                           editor_.board().composed(onBoard), rect);
    }
    if (!area.contains(event->rect()))
        drawFrame(&painter);
}

QPointF BoardCanvas::exactPosition(const QSinglePointEvent &event) const
{
    // Qt hands a widget the pointer's position rounded to whole logical
    // pixels, while its position in the window keeps the fraction a device
    // pixel ratio above 1 gives it: without it, the pointer on the last
    // device pixel of a grid square would snap to the next square. An event
    // sent to the widget alone has no position in the window.
    const QPointF inWindow = event.scenePosition() - QPointF(mapTo(window(), QPoint(0, 0)));
    return inWindow.toPoint() == event.position().toPoint() ? inWindow : event.position();
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
        controller_.pointerMove(event->buttons(), toBoard(exactPosition(*event)));
    unblocked_ = false;
    QFrame::enterEvent(event);
}

void BoardCanvas::mouseMoveEvent(QMouseEvent *event)
{
    unblocked_ = false;
    controller_.pointerMove(event->buttons(), toBoard(exactPosition(*event)));
}

void BoardCanvas::mousePressEvent(QMouseEvent *event)
{
    controller_.buttonPress(event->button(), toBoard(exactPosition(*event)));
}

void BoardCanvas::mouseReleaseEvent(QMouseEvent *event)
{
    controller_.buttonRelease(event->button(), toBoard(exactPosition(*event)));
}

void BoardCanvas::keyPressEvent(QKeyEvent *event)
{
    if (controller_.key(event->key(), event->modifiers(), event->isAutoRepeat()))
        return;
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

void BoardCanvas::focusInEvent(QFocusEvent *event)
{
    QFrame::focusInEvent(event);
    // Reached with Tab, the board shows the current tile at once, where the
    // next key acts; a click or the window's activation draws it as usual.
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
        controller_.replayAtKeyboard();
}
