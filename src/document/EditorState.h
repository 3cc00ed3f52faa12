#pragma once

#include <QtGlobal>

// The editing mode couples the board's pointer handling with the tool buttons.
enum class EditMode {
    Placement = 1, // the current tile's preview follows the pointer
    SelectionArmed = 2, // a marker shows the grid point under the pointer
    SelectionDragged = 3, // a rectangle runs from the anchor to the pointer
    SelectionMade = 4 // the rectangle stays until a tool or Escape
};

// The one record of editing state. Members that start-up does not set start
// at 0 and behave as 0 until first written.
struct EditorState {
    EditMode Mode = EditMode::Placement;
    int CurrentTile = 0;
    int TileVariants = 0;
    quint8 VariantStep = 0;
    int GridStep = 0;
    int TileX = 0;
    int TileY = 0;
    int GridX = 0;
    int GridY = 0;
    int MarkX = 0;
    int MarkY = 0;
    int SelX1 = 0;
    int SelY1 = 0;
    int SelX2 = 0;
    int SelY2 = 0;
    double PrintWidth = 0;
    qint16 PrintHeight = 0;
};
