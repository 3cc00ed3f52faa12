#include "TextEditorCommand.h"

#include "WordProcessor.h"
#include "app/Editor.h"
#include "platform/Beeper.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "project/ProjectName.h"

namespace {

const QString Title = QStringLiteral("Texte du scénario");

// A document name must stay inside the program folder.
bool staysInFolder(const QString &name)
{
    if (name.contains(QLatin1Char('/')))
        return false;
#ifdef Q_OS_WIN
    if (name.contains(QLatin1Char('\\')) || name.contains(QLatin1Char(':')))
        return false;
#endif
    return true;
}

} // namespace

QString TextEditorCommand::documentName(const QString &projectName)
{
    // Blanks alone, as the save command trims the name it carries the
    // document from: a name with a no-break space finds its own document.
    return ProjectName::trimmed(projectName) + QStringLiteral(".doc");
}

TextEditorCommand::TextEditorCommand(Editor &editor) : editor_(editor) {}

bool TextEditorCommand::run()
{
    Platform &platform = editor_.platform();
    const ProgramFolder &folder = editor_.folder();
    const QString name = documentName(editor_.projectName());
    if (!staysInFolder(name)) {
        platform.dialogs.warning(
            QStringLiteral("Le nom du projet « %1 » ne peut pas servir de nom de document : "
                           "il contient un séparateur de dossiers.\n\n"
                           "Enregistrez le projet sous un autre nom, puis recommencez.")
                .arg(ProjectName::trimmed(editor_.projectName())),
            Title);
        return false;
    }

    if (folder.exists(name)) {
        platform.beeper.beep();
    } else {
        QString reason;
        if (!platform.files.copyFile(folder.file(Editor::TemplateFile), folder.file(name),
                                     Durability::Durable, &reason)) {
            platform.dialogs.warning(
                QStringLiteral("Le document du scénario « %1 » n'a pas pu être créé à partir "
                               "du modèle « %2 » :\n%3\n\nDossier du programme : %4")
                    .arg(name, Editor::TemplateFile, reason, folder.displayPath(QString())),
                Title);
            return false;
        }
    }
    return WordProcessor(editor_).StartWordProcessor(folder.file(name));
}
