#include "PrintFrame.h"

#include <QMouseEvent>

PrintFrame::PrintFrame(QWidget *parent) : QGroupBox(QStringLiteral("Printing"), parent)
{
    setObjectName(QStringLiteral("FramePrint"));
    setMouseTracking(true);
}

void PrintFrame::mouseMoveEvent(QMouseEvent *event)
{
    // The button and the scroll bar pass on the moves they do not use.
    if (!childAt(event->position().toPoint()))
        emit pointerOverFrame();
    QGroupBox::mouseMoveEvent(event);
}
