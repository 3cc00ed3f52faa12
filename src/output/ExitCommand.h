#pragma once

#include <QString>

class Editor;

// The "&EXIT" button: ends the program once the user confirms. Nothing is
// saved; the word processors it started keep running.
class ExitCommand
{
public:
    static const QString Question;
    static const QString Title;

    explicit ExitCommand(Editor &editor);

    void run();

private:
    Editor &editor_;
};
