#pragma once

#include <QLockFile>
#include <QString>

#include <thread>

class Editor;

// One editor to a program folder: a second one would rewrite the first one's
// start-up scenario and share its working bitmaps. The lock is a hidden file
// in the program folder, held while the editor runs; the lock of an editor
// that crashed is taken over.
class ProgramFolderLock
{
public:
    explicit ProgramFolderLock(const QString &programFolder);
    ~ProgramFolderLock();

    // Starts making the lock file on a worker thread: the file is flushed to
    // the disk before it counts, a wait the main window is built during.
    void begin();

    // Takes the lock before anything is written, waiting for the attempt
    // begin() started, if any. False when another editor holds it: the user
    // has been told, and the editor must end without touching a file. A lock
    // that cannot be made because the folder is not writable is left to the
    // writability check, which says so.
    bool take(Editor &editor);

private:
    QLockFile lock_;
    // The attempt begin() started, joined before its result is read.
    std::thread attempt_;
    bool attemptLocked_ = false;
};
