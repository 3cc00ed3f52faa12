#pragma once

#include "platform/Dialogs.h"
#include "platform/ExportDialogs.h"
#include "platform/Platform.h"
#include "platform/Printer.h"
#include "platform/Programs.h"
#include "platform/QtFolderListing.h"

#include <QList>
#include <QQueue>
#include <QStringList>

// Dialogs that answer from a script and record what they were asked.
class ScriptedDialogs : public Dialogs
{
public:
    QList<Message> messages;
    // Next answers to message boxes; when empty Ok, No or Cancel.
    QQueue<Answer> answers;
    struct Prompt {
        QString message, title, defaultText;
    };
    QList<Prompt> prompts;
    QQueue<QString> promptAnswers; // next texts typed; empty (cancel) when none

    Answer message(const Message &message) override;
    QString prompt(const QString &message, const QString &title,
                   const QString &defaultText) override;
};

// Programs that are never really started: every start is recorded.
class RecordingPrograms : public Programs
{
public:
    struct Start {
        QString program;
        QStringList arguments;
    };
    QList<Start> starts;
    QStringList available; // names findExecutable finds, as "/usr/bin/<name>"
    bool startSucceeds = true;

    QString findExecutable(const QString &name) const override;
    bool startDetached(const QString &program, const QStringList &arguments,
                       QString *error) override;
};

class RecordingPrinter : public Printer
{
public:
    bool present = true;
    bool succeeds = true;
    struct Job {
        QImage picture;
        QRectF targetTwips;
    };
    QList<Job> jobs;

    bool hasDefaultPrinter() const override { return present; }
    bool printLandscape(const QImage &picture, const QRectF &targetTwips, QString *error) override;
};

// Export choices that answer from a script and record what they proposed.
class ScriptedExports : public ExportDialogs
{
public:
    int scale = 2; // 0 cancels
    QString file; // empty cancels
    QList<int> proposedScales;
    QStringList proposedPaths;

    int chooseScale(int proposed, int) override
    {
        proposedScales.append(proposed);
        return scale;
    }
    QString saveFileName(const QString &, const QString &proposedPath, const QString &) override
    {
        proposedPaths.append(proposedPath);
        return file;
    }
};

// Scripted dialogs, real folders, recorded programs and printer.
class FakePlatform
{
public:
    ScriptedDialogs dialogs;
    QtFolderListing folders;
    RecordingPrograms programs;
    RecordingPrinter printer;
    ScriptedExports exports;

    Platform platform() { return platform(printer); }
    // The same with a real printer in place of the recording one.
    Platform platform(Printer &realPrinter)
    {
        return {dialogs, folders, programs, realPrinter, exports};
    }
};
