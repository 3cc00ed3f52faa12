#pragma once

#include "Platform.h"
#include "QtDialogs.h"
#include "QtExportDialogs.h"
#include "QtFolderListing.h"
#include "QtPrinter.h"
#include "QtPrograms.h"

// The real platform: every interface by its Qt implementation.
class QtPlatform
{
public:
    QtDialogs dialogs;
    QtFolderListing folders;
    QtPrograms programs;
    QtPrinter printer;
    QtExportDialogs exports;

    Platform platform() { return {dialogs, folders, programs, printer, exports}; }
};
