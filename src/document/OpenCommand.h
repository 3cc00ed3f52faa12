#pragma once

#include <QString>

class Editor;

// The open dialog's "&Ouvrir": the project bitmap named by the chosen file,
// read from the folder the dialog shows, becomes the map, with an empty
// history, and its name the active project. A map of another folder comes
// in as a project of that folder until it is saved into the program folder.
class OpenCommand
{
public:
    static const QString NothingChosenText;
    static const QString LoadFailedText;

    explicit OpenCommand(Editor &editor);

    // False when the name box is empty: the user is told and the dialog stays.
    bool confirm(const QString &nameText);

    // Opens the project the file name stands for in the folder: its part
    // before the first dot, trimmed, plus ".bmp". A path, absolute or from
    // the folder, opens its file that way in the file's own folder. On failure
    // the user is told and the board, caption and active project stay as
    // they were.
    bool open(const QString &folder, const QString &typed);
    // The same in the program folder.
    bool open(const QString &fileName);
    // The same for a file named by its path, relative to the working folder:
    // a map given on the command line.
    bool openFile(const QString &path);

private:
    bool isProgramFolder(const QString &folder) const;

    Editor &editor_;
};
