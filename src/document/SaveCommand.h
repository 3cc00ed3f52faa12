#pragma once

#include <QString>
#include <QStringList>

class Editor;

// "&SAVE": asks for a name of at most eight characters, writes the map
// to name.bmp in the program folder, carries the active project's
// scenario document over to name.doc and makes the name the active project.
// It asks before replacing another project's files and replaces no file the
// user has made read-only.
class SaveCommand
{
public:
    enum class Result {
        Cancelled, // an empty name: nothing happens
        TooLong, // more than eight characters: told, nothing written
        Refused, // no plain file name: told, nothing written
        Declined, // another project's files stay: the user said No, nothing changed
        WriteFailed, // a file was read-only or the bitmap could not be written: told,
                     // nothing changed
        Saved // bitmap written, name and caption set (the document may have failed)
    };

    static const QString PromptText;
    static const QString PromptTitle;
    static const QString TooLongText;

    explicit SaveCommand(Editor &editor);

    Result run();

private:
    // The files a save under a name writes, reads and replaces.
    struct Targets {
        QString bitmap; // name.bmp in the program folder
        QString document; // name.doc in the program folder
        QString scenario; // the active project's document, empty when it has none
        QStringList replaced; // the existing files the save would write over
        bool ownProject = false; // the name is the active project's, in the program folder
    };

    Targets targetsFor(const QString &name) const;
    bool confirmReplace(const QString &name, const Targets &targets);
    void reportWriteFailure(const QString &file, const QString &reason);
    void carryDocument(const Targets &targets);

    Editor &editor_;
};
