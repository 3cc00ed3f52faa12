#include "ProgramFolderCheck.h"

#include "document/Editor.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"

#include <QDir>

bool ProgramFolderCheck::writable(Editor &editor)
{
    Platform &platform = editor.platform();
    QString reason;
    if (Files::canCreateFiles(editor.folder().path(), &reason))
        return true;
    platform.dialogs.error(
        QStringLiteral("Le dossier du programme n'est pas accessible en écriture :\n%1\n"
                       "Raison : %2\n\n"
                       "Vantorel Editor garde vos projets et ses fichiers de travail dans ce "
                       "dossier : il ne peut pas démarrer tant qu'il ne peut pas y écrire.\n\n"
                       "Installez-le pour votre seul compte, depuis le dossier de ses sources :\n"
                       "    %3\n"
                       "puis lancez ~/.local/bin/vantorel-editor, ou « Vantorel Editor » dans le "
                       "menu des applications.")
            .arg(QDir::toNativeSeparators(editor.folder().path()), reason, PerUserInstall),
        Title);
    return false;
}
