#pragma once

class Beeper;
class Dialogs;
class FileSystem;
class PictureFiles;
class ProcessEnd;
class Printer;
class Programs;

// Every way the editor touches the operating system, in one bundle handed to
// the commands. The real implementations live beside the interfaces; tests
// hand in their own.
struct Platform {
    Dialogs &dialogs;
    FileSystem &files;
    PictureFiles &pictures;
    Programs &programs;
    Printer &printer;
    Beeper &beeper;
    ProcessEnd &process;
};
