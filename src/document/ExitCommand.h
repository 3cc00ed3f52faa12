#pragma once

#include <QString>

class Editor;

// The "&EXIT" button and the window manager's close of the main window: end
// the program once the user confirms. Nothing is saved; the word processors
// it started keep running.
class ExitCommand
{
public:
    static const QString Question;
    static const QString Title;

    explicit ExitCommand(Editor &editor);

    // True when the user confirmed and the process is ending; on No nothing
    // has changed.
    bool run();

private:
    Editor &editor_;
};
