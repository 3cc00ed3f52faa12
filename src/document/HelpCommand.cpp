#include "HelpCommand.h"

#include "Editor.h"
#include "output/WordProcessor.h"
#include "platform/Dialogs.h"
#include "project/ProjectFiles.h"

HelpCommand::HelpCommand(Editor &editor) : editor_(editor) {}

bool HelpCommand::run()
{
    const ProgramFolder &folder = editor_.folder();
    if (!folder.exists(ProjectFiles::Help)) {
        editor_.platform().dialogs.warning(
            QStringLiteral("Le document d'aide est introuvable :\n%1\n\n"
                           "Il est livré avec le programme ; réinstallez-le dans le dossier "
                           "du programme.")
                .arg(folder.displayPath(ProjectFiles::Help)),
            QStringLiteral("Aide"));
        return false;
    }
    return WordProcessor(editor_.platform()).StartWordProcessor(folder.file(ProjectFiles::Help));
}
