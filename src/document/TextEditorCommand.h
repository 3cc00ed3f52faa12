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

    // What a press did.
    enum class Result {
        OpenedExisting, // the document was there: a beep, then the word processor
        CreatedFromTemplate, // made from the template, then opened in the word processor
        Failed // nothing started; the user was told why
    };

    explicit TextEditorCommand(Editor &editor);

    Result run();

private:
    Editor &editor_;
};
