#pragma once

#include "FakePlatform.h"
#include "ProgramFolderFixture.h"
#include "document/BoardController.h"
#include "document/Editor.h"
#include "document/PaletteSelection.h"

// An editor started up in a fresh program folder, with scripted dialogs and
// real files, driven without any widget.
struct EditorHarness {
    ProgramFolderFixture folder;
    FakePlatform fake;
    Editor editor {fake.platform(), folder.path()};
    BoardController board {editor};
    PaletteSelection palette {editor};
    bool started = editor.startUp();

    EditorState &state() { return editor.state(); }
    // A pointer move with nothing held.
    void move(double x, double y) { board.pointerMove(Qt::NoButton, QPointF(x, y)); }
    void leftClick(double x, double y)
    {
        board.buttonPress(Qt::LeftButton, QPointF(x, y));
        board.buttonRelease(Qt::LeftButton, QPointF(x, y));
    }
    void rightClick() { board.buttonPress(Qt::RightButton, QPointF()); }
    // Moves to the point and stamps the current tile there.
    void stamp(double x, double y)
    {
        move(x, y);
        leftClick(x, y);
    }
    // Makes a palette entry current as a click on it does.
    void pick(int index)
    {
        if (!palette.pick(index))
            qFatal("%d is no palette entry", index);
    }
};
