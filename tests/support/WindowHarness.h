#pragma once

#include "FakePlatform.h"
#include "ProgramFolderFixture.h"
#include "document/Editor.h"
#include "ui/Form1.h"

#include <QtTest>

// The main window on the offscreen platform, started up in a fresh program
// folder with scripted dialogs and recorded programs, printer, beeps and
// process ends.
struct WindowHarness {
    ProgramFolderFixture folder;
    FakePlatform fake;
    Editor editor {fake.platform(), folder.path()};
    Form1 window {editor};
    bool started = window.startUp();

    EditorState &state() { return editor.state(); }
    // The area under the menu bar that every position of the layout counts from.
    QWidget &client() { return *window.clientArea(); }

    // Shows the window and waits until it is the active one, so keys reach
    // the focus widget as they do for a user.
    bool showActive()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }

    template<typename T = QWidget> T *control(const char *name)
    {
        return window.findChild<T *>(QString::fromLatin1(name));
    }

    // A key as the user types it: through the window, to whoever has focus.
    void type(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(window.windowHandle(), key, modifiers);
    }
};
