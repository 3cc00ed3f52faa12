#include "PaletteStrip.h"

#include "PaletteEntry.h"

#include "catalogue/TileTable.h"
#include "document/Editor.h"
#include "document/PaletteSelection.h"

#include <QApplication>
#include <QPainter>

namespace {

// Every pixel a palette frame may cover, in window pixels.
QRect stripArea()
{
    QRect area;
    for (int index : TileTable::paletteOrder())
        area |= PaletteStrip::paintedArea(PaletteStrip::outlineOf(index));
    return area;
}

} // namespace

QRect PaletteStrip::outlineOf(int index)
{
    const QRect entry = TileTable::frameRect(index);
    return QRect(QPoint(entry.left() - 1, entry.top() - 1),
                 QPoint(entry.left() + entry.width() + 1, entry.top() + entry.height() + 1));
}

QRect PaletteStrip::paintedArea(const QRect &outline)
{
    // A 2-pixel pen on a line at c covers the pixels c - 1 and c.
    const int before = PenWidth / 2;
    const int after = (PenWidth - 1) / 2;
    return outline.adjusted(-before, -before, after, after);
}

PaletteStrip::PaletteStrip(Editor &editor, QWidget *parent) : QWidget(parent), editor_(editor)
{
    setGeometry(stripArea());
    // What lies between the entries is the window's own background.
    setAttribute(Qt::WA_NoSystemBackground);
    setAccessibleName(QStringLiteral("Palette"));
    for (int index : TileTable::paletteOrder()) {
        auto *entry = new PaletteEntry(index, editor_.catalogue().picture(index), this);
        entry->setGeometry(local(TileTable::frameRect(index)));
        connect(entry, &PaletteEntry::clicked, this, &PaletteStrip::pick);
        connect(entry, &PaletteEntry::focusWanted, this, &PaletteStrip::focusEntry);
        entries_.insert(index, entry);
    }
    setTabStop(TileTable::paletteOrder().front());
}

std::optional<QRect> PaletteStrip::outline() const
{
    if (!picked_)
        return std::nullopt;
    return outlineOf(*picked_);
}

QList<QWidget *> PaletteStrip::entries() const
{
    QList<QWidget *> inOrder;
    for (int index : TileTable::paletteOrder())
        inOrder.append(entries_.value(index));
    return inOrder;
}

void PaletteStrip::setTabStop(int index)
{
    PaletteEntry *entry = entries_.value(index);
    if (!entry)
        return;
    // Only one entry at a time takes the focus, and never from a click: a
    // click leaves the keyboard where it was.
    if (PaletteEntry *previous = entries_.value(tabStop_); previous != entry) {
        if (previous)
            previous->setFocusPolicy(Qt::NoFocus);
        entry->setFocusPolicy(Qt::TabFocus);
        tabStop_ = index;
    }
}

void PaletteStrip::focusEntry(int index)
{
    setTabStop(index);
    if (PaletteEntry *entry = entries_.value(index))
        entry->setFocus(Qt::OtherFocusReason);
}

bool PaletteStrip::pick(int index)
{
    const std::optional<QRect> before = outline();
    if (!PaletteSelection(editor_).pick(index))
        return false;
    if (picked_)
        entries_.value(*picked_)->setPicked(false);
    picked_ = index;
    entries_.value(index)->setPicked(true);
    // Tab comes back to the entry picked last; the keyboard's frame follows
    // a pick within the palette.
    if (qobject_cast<PaletteEntry *>(QApplication::focusWidget()))
        focusEntry(index);
    else
        setTabStop(index);
    if (before)
        update(local(paintedArea(*before)));
    update(local(paintedArea(*outline())));
    return true;
}

void PaletteStrip::paintEvent(QPaintEvent *)
{
    const std::optional<QRect> frame = outline();
    if (!frame)
        return;
    QPainter painter(this);
    QPen pen(frameColour(), PenWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const QRect line = local(*frame);
    painter.drawRect(QRectF(QPointF(line.topLeft()), QPointF(line.bottomRight())));
}
