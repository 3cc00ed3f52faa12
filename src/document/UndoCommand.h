#pragma once

class Editor;

// Annuler and Rétablir: take back the last step of the map's history, or
// bring back the last one taken back. Both act in placement only, drop what
// is drawn over the board, and leave the current tile and the move buffer
// alone.
class UndoCommand
{
public:
    explicit UndoCommand(Editor &editor);

    // Annuler: nothing happens at the start of the history.
    void press();
    // Rétablir: nothing happens when no step was taken back.
    void redo();

private:
    bool acts() const;

    Editor &editor_;
};
