#pragma once

#include "EditorHarness.h"
#include "TestPictures.h"
#include "document/EraseTool.h"
#include "document/MoveTool.h"
#include "document/SelectTool.h"
#include "document/UndoCommand.h"

#include <QImage>
#include <QRect>

// An editor with the selection tools and undo, and the patterned map, so a
// block out of place shows.
struct ToolHarness : EditorHarness {
    SelectTool selectTool {editor};
    EraseTool eraseTool {editor};
    MoveTool moveTool {editor};
    UndoCommand undo {editor};

    // Makes the patterned map the map and shows it, as opening a project
    // does, with no preview drawn over it.
    QImage layPattern()
    {
        const QImage map = patternedMap();
        editor.board().setMap(map);
        const int tile = state().CurrentTile;
        state().CurrentTile = TileTable::MoveBufferIndex; // empty: draws nothing
        move(0, 0);
        state().CurrentTile = tile;
        return map;
    }

    // A selection made as the user makes it: select button, pointer to the
    // anchor, press, drag to the end point, release.
    void select(QPointF anchor, QPointF end)
    {
        selectTool.press();
        move(anchor.x(), anchor.y());
        board.buttonPress(Qt::LeftButton, anchor);
        board.pointerMove(Qt::LeftButton, end);
        board.buttonRelease(Qt::LeftButton, end);
    }

    // A selection made with no pointer move reported on the board since the
    // last change: corners set as the board would set them, the tool buttons
    // as they would be.
    void setSelection(QPoint corner1, QPoint corner2)
    {
        state().SelX1 = corner1.x();
        state().SelY1 = corner1.y();
        state().SelX2 = corner2.x();
        state().SelY2 = corner2.y();
        state().Mode = EditMode::SelectionMade;
        editor.setTools({false, true, true});
    }

    // Stamps the current tile at the point with no pointer move after it.
    void stampAndStay(QPointF point)
    {
        move(point.x(), point.y());
        board.buttonPress(Qt::LeftButton, point);
    }

    const QImage &map() const { return editor.board().map(); }
};
