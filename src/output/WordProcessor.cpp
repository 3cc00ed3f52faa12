#include "WordProcessor.h"

#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Platform.h"
#include "platform/Programs.h"

#include <QDir>
#include <QFileInfo>

const QString WordProcessor::WindowsProgram
    = QStringLiteral("c:\\Program Files\\Accessoires\\WORDPAD.EXE");
const QStringList WordProcessor::Candidates
    = {QStringLiteral("lowriter"), QStringLiteral("libreoffice"), QStringLiteral("abiword"),
       QStringLiteral("xdg-open")};

namespace {

const QString Title = QStringLiteral("Traitement de texte");

// Windows's own launcher of its word processor, on every search path there.
const QString WindowsLauncher = QStringLiteral("write");

} // namespace

WordProcessor::Host WordProcessor::currentHost()
{
#ifdef Q_OS_WIN
    return Host::Windows;
#else
    return Host::Other;
#endif
}

WordProcessor::WordProcessor(Platform &platform, Host host) : platform_(platform), host_(host) {}

QString WordProcessor::program() const
{
    if (host_ == Host::Windows) {
        const QFileInfo fixed(QDir::fromNativeSeparators(WindowsProgram));
        if (Files::exists(fixed.path(), fixed.fileName()))
            return WindowsProgram;
        QString launcher = platform_.programs.findExecutable(WindowsLauncher);
        if (!launcher.isEmpty())
            return launcher;
        // Recent Windows no longer ships its word processor: look for the
        // others as everywhere else.
    }
    for (const QString &name : Candidates) {
        QString found = platform_.programs.findExecutable(name);
        if (!found.isEmpty())
            return found;
    }
    return {};
}

bool WordProcessor::StartWordProcessor(const QString &documentPath)
{
    const QString document = QDir::toNativeSeparators(documentPath);
    const QString command = program();
    if (command.isEmpty()) {
        platform_.dialogs.warning(
            QStringLiteral("Aucun traitement de texte n'a été trouvé pour ouvrir le document :\n"
                           "%1\n\nInstallez LibreOffice Writer ou AbiWord, puis recommencez.")
                .arg(document),
            Title);
        return false;
    }
    QString reason;
    if (platform_.programs.startDetached(command, {document}, &reason))
        return true;
    platform_.dialogs.warning(
        QStringLiteral("Le traitement de texte « %1 » n'a pas pu être lancé pour ouvrir le "
                       "document :\n%2\n\nRaison : %3")
            .arg(QDir::toNativeSeparators(command), document, Files::errorInFrench(reason)),
        Title);
    return false;
}
