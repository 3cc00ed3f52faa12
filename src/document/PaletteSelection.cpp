#include "PaletteSelection.h"

#include "Editor.h"
#include "catalogue/TileTable.h"

PaletteSelection::PaletteSelection(Editor &editor) : editor_(editor) {}

bool PaletteSelection::pick(int index)
{
    if (index < 0 || index >= TileTable::EntryCount || !TileTable::entry(index).inPalette)
        return false;
    EditorState &s = editor_.state();
    s.CurrentTile = index;
    s.TileVariants = TileCatalogue::tag(index).toInt();
    s.VariantStep = 0;
    return true;
}
