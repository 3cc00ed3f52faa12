#include "QtPrograms.h"

#include <QProcess>
#include <QStandardPaths>

QString QtPrograms::findExecutable(const QString &name) const
{
    return QStandardPaths::findExecutable(name);
}

bool QtPrograms::startDetached(const QString &program, const QStringList &arguments, QString *error)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (process.startDetached())
        return true;
    if (error)
        *error = process.errorString();
    return false;
}
