#pragma once

class Editor;

// The "?" button: opens the help document of the program folder in the
// word processor, a new one at every press.
class HelpCommand
{
public:
    explicit HelpCommand(Editor &editor);

    // True when the word processor was started on the help document.
    bool run();

private:
    Editor &editor_;
};
