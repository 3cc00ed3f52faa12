#pragma once

#include <QString>
#include <QStringList>

struct Platform;

// The platform's word processor, which opens the scenario and help
// documents. It is started on one document and left to run on its own.
class WordProcessor
{
public:
    enum class Host { Windows, Other };

    // The word processor of Windows, where it is installed.
    static const QString WindowsProgram;
    // Looked for on the search path, in this order, elsewhere and on a
    // Windows without its own.
    static const QStringList Candidates;

    static Host currentHost();

    explicit WordProcessor(Platform &platform, Host host = currentHost());

    // The program to start, or empty when this system has none.
    QString program() const;

    // Starts the word processor on the document and returns at once. The
    // path reaches it as one argument, whatever blanks it holds. False, after
    // telling the user, when nothing could be started.
    bool StartWordProcessor(const QString &documentPath);

private:
    Platform &platform_;
    Host host_;
};
