#include "UndoCommand.h"

#include "Editor.h"

UndoCommand::UndoCommand(Editor &editor) : editor_(editor) {}

void UndoCommand::press()
{
    if (editor_.state().Mode != EditMode::Placement)
        return;
    BoardModel &board = editor_.board();
    // Setting the picture drops the preview, so exactly the restored board is
    // committed. An undo copy with no picture yet stands for the blank board.
    board.setPicture(board.undoCopy());
    editor_.CommitBoard();
    editor_.flushBoard();
}
