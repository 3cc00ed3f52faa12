#include "UndoCommand.h"

#include "Editor.h"

UndoCommand::UndoCommand(Editor &editor) : editor_(editor) {}

bool UndoCommand::acts() const { return editor_.state().Mode == EditMode::Placement; }

void UndoCommand::press()
{
    if (!acts() || !editor_.history().canUndo())
        return;
    // The preview goes, so that exactly the map brought back shows.
    editor_.board().clearDrawings();
    editor_.history().undo();
}

void UndoCommand::redo()
{
    if (!acts() || !editor_.history().canRedo())
        return;
    editor_.board().clearDrawings();
    editor_.history().redo();
}
