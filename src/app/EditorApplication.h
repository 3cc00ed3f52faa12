#pragma once

#include "ProgramFolderLock.h"
#include "document/Editor.h"
#include "platform/QtPlatform.h"

#include <QString>

#include <memory>

class Form1;

// The editor as a process runs it: the real platform, the document in its
// program folder and the main window, started up in order.
class EditorApplication
{
public:
    // Application-wide settings, once the QApplication exists: names, icon,
    // font substitutes.
    static void configure();

    explicit EditorApplication(const QString &programFolder);
    ~EditorApplication();

    // Locks and checks the program folder, builds the main window, runs the
    // start-up and shows the window, then opens the map of the file given, if
    // any, as the open dialog does; the editor stays on the start-up project
    // when it cannot. False when the editor must not open; the user has been
    // told why.
    bool start(const QString &file = {});

    Form1 *mainWindow() const { return window_.get(); }

private:
    QtPlatform platform_;
    Editor editor_;
    ProgramFolderLock lock_;
    std::unique_ptr<Form1> window_;
};
