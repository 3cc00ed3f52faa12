#pragma once

#include "FakePlatform.h"
#include "ProgramFolderFixture.h"
#include "document/Editor.h"
#include "ui/Form1.h"

// The main window on an editor started up in a fresh program folder, with
// scripted dialogs and recorded programs, printer, beeps and process ends.
struct WindowHarness {
    ProgramFolderFixture folder;
    FakePlatform fake;
    Editor editor {fake.platform(), folder.path()};
    Form1 form {editor};
    bool started = form.startUp();
};
