#pragma once

#include <QString>

// The rules of a project name. A project is saved under the name typed
// without the blanks around it, and that name plus ".bmp" or ".doc" must stay
// a plain file name of the program folder on every system the files may reach.
class ProjectName
{
public:
    static constexpr int MaxLength = 8;

    // Length in characters as the user counts them: a letter outside the
    // basic plane is one, not two.
    static int length(const QString &name);

    // Leading and trailing blanks removed; other white space is kept.
    static QString trimmed(const QString &name);

    // Why the name cannot be saved, in French, or empty when it can.
    static QString refusal(const QString &name);

    // Whether the project's document, its trimmed name plus ".doc", would be
    // the help document delivered with the editor: such a project has no
    // scenario of its own.
    static bool namesHelpDocument(const QString &name);

    // The project a file name opens: its part before the first dot, trimmed.
    static QString ofFileName(const QString &fileName);

    // Whether a file name read in the program folder stays in it.
    static bool staysInFolder(const QString &fileName);
};
