#pragma once

class Editor;

// The erase button: blanks the selected block and commits the board. The
// current tile stays what it was before the selection.
class EraseTool
{
public:
    explicit EraseTool(Editor &editor);

    // Erases only when a selection is made, and always ends the selection.
    void press();

private:
    Editor &editor_;
};
