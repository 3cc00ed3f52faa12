#include "PaletteEntry.h"

#include "PixelArt.h"

#include "catalogue/TileTable.h"

#include <QMouseEvent>
#include <QPainter>

PaletteEntry::PaletteEntry(int index, const QImage &picture, QWidget *parent)
    : QFrame(parent), index_(index), picture_(picture)
{
    // The entries share the catalogue's name, told apart by their index.
    setObjectName(QStringLiteral("Picture1"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(Border);
    setGeometry(TileTable::frameRect(index));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PaletteEntry::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(contentsRect(), Qt::white);
    PixelArt::draw(painter, QPoint(Border, Border), picture_, contentsRect());
    drawFrame(&painter);
}

void PaletteEntry::mousePressEvent(QMouseEvent *event)
{
    pressed_ = event->button() == Qt::LeftButton;
}

void PaletteEntry::mouseReleaseEvent(QMouseEvent *event)
{
    // A click is a press and a release on the same entry.
    const bool click = pressed_ && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        emit clicked(index_);
}
