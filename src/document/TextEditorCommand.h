#pragma once

#include <QString>

class Editor;

// The "Text Editor" button: opens the active project's scenario document in
// the word processor. An existing document is announced by a beep; a missing
// one of a program-folder project is made from the scenario template first,
// silently. A map opened from another folder has for scenario the document
// lying beside it, or none until it is saved into the program folder; the
// help document is never opened as a scenario.
class TextEditorCommand
{
public:
    // The document of a project: its name without surrounding blanks.
    static QString documentName(const QString &projectName);

    explicit TextEditorCommand(Editor &editor);

    // True when the word processor was started on the document.
    bool run();

private:
    Editor &editor_;
};
