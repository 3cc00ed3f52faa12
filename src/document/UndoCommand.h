#pragma once

class Editor;

// The undo button: puts back the board as it was before the last stamp, move
// or erase, and commits it. One level: pressing it again changes nothing more.
class UndoCommand
{
public:
    explicit UndoCommand(Editor &editor);

    // Acts in placement only; with no change made yet it restores a blank board.
    void press();

private:
    Editor &editor_;
};
