#pragma once

#include <QString>
#include <QStringList>

// Finding and starting external programs. A started program runs on its own:
// nothing waits for it and no shell ever sees its arguments.
class Programs
{
public:
    virtual ~Programs() = default;

    // Full path of an executable found on the search path, or empty.
    virtual QString findExecutable(const QString &name) const = 0;

    virtual bool startDetached(const QString &program, const QStringList &arguments, QString *error)
        = 0;
};
