#pragma once

#include "ProgramFolderLock.h"
#include "document/Editor.h"
#include "document/MapRecovery.h"
#include "platform/QtPlatform.h"

#include <QSocketNotifier>
#include <QString>

#include <memory>

class Form1;

// The editor as a process runs it: the real platform, the document in its
// program folder and the main window, started up in order, and its end.
class EditorApplication
{
public:
    // Sets up the process's memory before anything else allocates: called
    // first, before the QApplication.
    static void prepareMemory();

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

    // Runs the event loop until the editor ends. The orderly exit leaves
    // nothing to bring back; an end by SIGTERM, SIGHUP or SIGINT (a logout, a
    // shutdown) shows no box and keeps the unsaved map for the next start.
    int run();

    Form1 *mainWindow() const { return window_.get(); }

private:
    void watchEndSignals();

    QtPlatform platform_;
    Editor editor_;
    ProgramFolderLock lock_;
    std::unique_ptr<Form1> window_;
    MapRecovery recovery_ {editor_};
    std::unique_ptr<QSocketNotifier> endSignals_;
    int endSignal_ = 0;
};
