#pragma once

#include "FakePlatform.h"
#include "ProgramFolderFixture.h"
#include "catalogue/TileTable.h"
#include "document/BoardController.h"
#include "document/Editor.h"
#include "document/PaletteSelection.h"
#include "document/SaveCommand.h"

#include <QDir>

// Types the name in the save prompt and runs SAVE.
inline SaveCommand::Result saveAs(Editor &editor, ScriptedDialogs &dialogs, const QString &name)
{
    dialogs.promptAnswers.enqueue(name);
    return SaveCommand(editor).run();
}

// Makes a solid 26 x 26 block the current tile, so that stamps show whatever
// the catalogue's artwork.
inline void pickSolidTile(Editor &editor, QRgb colour)
{
    QImage block(26, 26, QImage::Format_RGB32);
    block.fill(colour);
    editor.catalogue().setMoveBuffer(block);
    editor.state().CurrentTile = TileTable::MoveBufferIndex;
    editor.state().TileVariants = 0;
}

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
    SaveCommand::Result save(const QString &name) { return saveAs(editor, fake.dialogs, name); }
    void pickSolidTile(QRgb colour = qRgb(200, 30, 30)) { ::pickSolidTile(editor, colour); }
    // The caption of a project whose map is that file of the program folder.
    QString captionFor(const QString &file) const
    {
        return Editor::CaptionPrefix + QDir::toNativeSeparators(folder.file(file));
    }
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
