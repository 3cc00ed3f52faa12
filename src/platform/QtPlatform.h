#pragma once

#include "Platform.h"
#include "QtBeeper.h"
#include "QtDialogs.h"
#include "QtFileSystem.h"
#include "QtPrinter.h"
#include "QtProcessEnd.h"
#include "QtPrograms.h"
#include "bitmap/QtPictureFiles.h"

// The real platform: every interface by its Qt implementation.
class QtPlatform
{
public:
    QtDialogs dialogs;
    QtFileSystem files;
    QtPictureFiles pictures;
    QtPrograms programs;
    QtPrinter printer;
    QtBeeper beeper;
    QtProcessEnd process;

    Platform platform() { return {dialogs, files, pictures, programs, printer, beeper, process}; }
};
