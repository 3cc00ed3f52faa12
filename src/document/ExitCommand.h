#pragma once

#include <QString>

class Editor;

// The question before the editor ends, asked by "&EXIT" and by the window
// manager's close of the main window: on a map that is not saved, whether to
// save it first. The word processors the editor started keep running.
class ExitCommand
{
public:
    static const QString Question;
    static const QString Title;

    explicit ExitCommand(Editor &editor);

    // True when the editor is to end at once. Otherwise nothing has changed
    // but what a save the user asked for wrote.
    bool run();

private:
    Editor &editor_;
};
