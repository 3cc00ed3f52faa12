#pragma once

class Editor;

// The select button: arms a new selection, whose corners the pointer then
// fixes on the board.
class SelectTool
{
public:
    explicit SelectTool(Editor &editor);

    // Works from any mode; the board's drawings and the current tile stay.
    void press();

private:
    Editor &editor_;
};
