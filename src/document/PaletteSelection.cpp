#include "PaletteSelection.h"

#include "Editor.h"
#include "catalogue/TileTable.h"

PaletteSelection::PaletteSelection(Editor &editor) : editor_(editor) {}

QRect PaletteSelection::outlineOf(int index)
{
    const QRect entry = TileTable::frameRect(index);
    return QRect(QPoint(entry.left() - 1, entry.top() - 1),
                 QPoint(entry.left() + entry.width() + 1, entry.top() + entry.height() + 1));
}

QRect PaletteSelection::paintedArea(const QRect &outline)
{
    // A 2-pixel pen on a line at c covers the pixels c - 1 and c.
    const int before = PenWidth / 2;
    const int after = (PenWidth - 1) / 2;
    return outline.adjusted(-before, -before, after, after);
}

bool PaletteSelection::pick(int index)
{
    if (index < 0 || index >= TileTable::EntryCount || !TileTable::entry(index).inPalette)
        return false;
    EditorState &s = editor_.state();
    s.CurrentTile = index;
    s.TileVariants = TileCatalogue::tag(index).toInt();
    s.VariantStep = 0;
    // The new frame replaces the previous one.
    outline_ = outlineOf(index);
    picked_ = index;
    return true;
}
