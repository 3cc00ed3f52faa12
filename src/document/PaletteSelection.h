#pragma once

class Editor;

// Picking a palette entry: it becomes the current tile, with a fresh
// orientation cycle. The mode and the board are left as they are.
class PaletteSelection
{
public:
    explicit PaletteSelection(Editor &editor);

    // Picks a palette entry; false for any other index (the move buffer, an
    // orientation variant), which changes nothing.
    bool pick(int index);

private:
    Editor &editor_;
};
