#pragma once

#include <QString>

class Editor;

// "&SAVE": asks for a name of at most eight characters, writes the committed
// board to name.bmp in the program folder, carries the active project's
// scenario document over to name.doc and makes the name the active project.
class SaveCommand
{
public:
    enum class Result {
        Cancelled, // an empty name: nothing happens
        TooLong, // more than eight characters: told, nothing written
        Refused, // no plain file name: told, nothing written
        WriteFailed, // the bitmap could not be written: told, nothing changed
        Saved // bitmap written, name and caption set (the document may have failed)
    };

    static const QString PromptText;
    static const QString PromptTitle;
    static const QString TooLongText;

    explicit SaveCommand(Editor &editor);

    Result run();

private:
    bool writeBitmap(const QString &name);
    void carryDocument(const QString &fromProject, const QString &toName);

    Editor &editor_;
};
