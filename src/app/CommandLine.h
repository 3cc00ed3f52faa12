#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The editor's command line: `vantorel-editor [FICHIER]`, with --help and
// --version answered in French on the terminal, as a desktop file manager's
// "Open with" or a user in a terminal gives it.
class CommandLine
{
public:
    // The version of the build, as the project declares it.
    static const QString Version;

    // What the arguments ask for: to start the editor, with a map to open or
    // none, or to answer on the terminal and end with the status.
    struct Outcome {
        bool starts = true;
        QString file; // the map to open as given, relative or absolute; empty for none
        int status = 0;
        QString output; // for standard output
        QString errors; // for standard error
    };

    // Reads the arguments, the program as it was started first, as
    // QCoreApplication::arguments() gives them once Qt's own are taken out.
    // Needs the application object, named: its name heads the answers.
    static Outcome read(const QStringList &arguments);

    // Writes the outcome's texts on the terminal and returns its status.
    static int answer(const Outcome &outcome);

    // Answers --help and --version, before any window system is reached, so
    // that they work in a console without a display, and without a display
    // any refusal too; no value when the line asks for anything else, which
    // the application object then reads.
    static std::optional<int> answerWithoutDisplay(int argc, char *argv[]);
};
