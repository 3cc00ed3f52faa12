#pragma once

#include <QString>

class Editor;

// The question before the editor ends, asked by "&EXIT" and by the window
// manager's close of the main window. Nothing is saved when the user
// confirms; the word processors the editor started keep running.
class ExitCommand
{
public:
    static const QString Question;
    static const QString Title;

    explicit ExitCommand(Editor &editor);

    // True when the user confirmed: the editor is to end at once. On No
    // nothing has changed.
    bool run();

private:
    Editor &editor_;
};
