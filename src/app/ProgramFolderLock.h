#pragma once

#include <QString>

class Editor;

// One editor to a program folder: a second one would rewrite the first one's
// start-up scenario and share its working bitmaps. The lock is an advisory
// lock on a hidden file of the program folder, held open while the editor
// runs: the system lets it go however the editor ends, so a file left by a
// crash, a power cut or a copy of the folder never keeps an editor out.
class ProgramFolderLock
{
public:
    explicit ProgramFolderLock(const QString &programFolder);
    ~ProgramFolderLock();
    ProgramFolderLock(const ProgramFolderLock &) = delete;
    ProgramFolderLock &operator=(const ProgramFolderLock &) = delete;

    // Takes the lock before anything is written. False when another editor
    // holds it: the user has been told which, and the editor must end without
    // touching a file. A lock that cannot be made because the folder is not
    // writable is left to the writability check, which says so.
    bool take(Editor &editor);

    // Lets the lock go and removes its file; the destructor does it too.
    void release();

private:
    QString path_;
    int fd_ = -1;
};
