#pragma once

class Dialogs;
class ExportDialogs;
class FolderListing;
class Printer;
class Programs;

// The parts of the operating system that tests put their own in place of, in
// one bundle handed to the commands. The real implementations live beside the
// interfaces; what no test replaces is called directly, as Files is.
struct Platform {
    Dialogs &dialogs;
    FolderListing &folders;
    Programs &programs;
    Printer &printer;
    ExportDialogs &exports;
};
