#pragma once

#include <QString>

// The folder that holds the executable: the only folder where the editor
// reads and writes files of its own. Names are matched without regard to
// letter case.
class ProgramFolder
{
public:
    explicit ProgramFolder(const QString &path);

    const QString &path() const { return path_; }

    // Path of the file of that name, the existing one whatever its letter case.
    QString file(const QString &name) const;

    bool exists(const QString &name) const;

    // The path as the user reads it, with the platform's separators, for a
    // name as given; the folder itself for an empty name.
    QString displayPath(const QString &name) const;

private:
    QString path_;
};
