#include "PaletteEntry.h"

#include "PixelArt.h"

#include "board/Board.h"
#include "catalogue/TileTable.h"

#include <QAccessible>
#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

PaletteEntry::PaletteEntry(int index, const QImage &picture, QWidget *parent)
    : QFrame(parent), index_(index), picture_(picture)
{
    // The entries share the catalogue's name, told apart by their index.
    setObjectName(QStringLiteral("Picture1"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(Border);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(TileTable::pieceName(index));
    setAccessibleDescription(description(index));
}

QString PaletteEntry::description(int index)
{
    const QSize size = TileTable::pictureSize(index);
    const int step = Board::Step;
    QString extent;
    if (size.width() % step || size.height() % step)
        extent = QStringLiteral("%1 × %2 points").arg(size.width()).arg(size.height());
    else if (size == QSize(step, step))
        extent = QStringLiteral("1 case");
    else
        extent = QStringLiteral("%1 × %2 cases").arg(size.width() / step).arg(size.height() / step);
    const int turns = TileTable::entry(index).tag + 1;
    return turns == 1 ? QStringLiteral("%1, une seule orientation").arg(extent)
                      : QStringLiteral("%1, %2 orientations").arg(extent).arg(turns);
}

void PaletteEntry::setPicked(bool picked)
{
    if (picked == picked_)
        return;
    picked_ = picked;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void PaletteEntry::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(contentsRect(), Qt::white);
    PixelArt::draw(painter, QPoint(Border, Border), picture_, contentsRect());
    drawFrame(&painter);
    if (hasFocus()) {
        // Black dashes over white on the border: seen on any picture, and
        // unlike the picked entry's solid frame outside the border.
        const qreal inset = Border / 2.0;
        const QRectF line = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
        QPen pen(Qt::white, Border);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.drawRect(line);
        pen.setColor(Qt::black);
        pen.setDashPattern({2, 2});
        painter.setPen(pen);
        painter.drawRect(line);
    }
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

void PaletteEntry::keyPressEvent(QKeyEvent *event)
{
    using TileTable::Direction;
    static const QHash<int, Direction> arrows {{Qt::Key_Left, Direction::Left},
                                               {Qt::Key_Right, Direction::Right},
                                               {Qt::Key_Up, Direction::Up},
                                               {Qt::Key_Down, Direction::Down}};
    const int key = event->key();
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (!event->isAutoRepeat())
            press();
    } else if (const auto way = arrows.find(key); way != arrows.end()) {
        // At the strip's edge the focus stays.
        if (const auto next = TileTable::paletteNeighbour(index_, *way))
            emit focusWanted(*next);
    } else {
        QFrame::keyPressEvent(event);
    }
}
