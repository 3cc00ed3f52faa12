#include "FakePlatform.h"

Dialogs::Answer ScriptedDialogs::message(const Message &message)
{
    messages.append(message);
    if (!answers.isEmpty())
        return answers.dequeue();
    switch (message.buttons) {
    case Buttons::YesNo:
        return Answer::No;
    case Buttons::SaveDiscardCancel:
        return Answer::Cancel;
    default:
        return Answer::Ok;
    }
}

QString ScriptedDialogs::prompt(const QString &message, const QString &title,
                                const QString &defaultText)
{
    prompts.append({message, title, defaultText});
    return promptAnswers.isEmpty() ? QString() : promptAnswers.dequeue();
}

QString RecordingPrograms::findExecutable(const QString &name) const
{
    return available.contains(name) ? QStringLiteral("/usr/bin/") + name : QString();
}

bool RecordingPrograms::startDetached(const QString &program, const QStringList &arguments,
                                      QString *error)
{
    starts.append({program, arguments});
    if (!startSucceeds && error)
        *error = QStringLiteral("le programme n'a pas pu démarrer");
    return startSucceeds;
}

bool RecordingPrinter::printLandscape(const QImage &picture, const QRectF &targetTwips,
                                      QString *error)
{
    if (!present || !succeeds) {
        if (error)
            *error = present ? QStringLiteral("échec de l'impression")
                             : QStringLiteral("aucune imprimante");
        return false;
    }
    jobs.append({picture, targetTwips});
    return true;
}
