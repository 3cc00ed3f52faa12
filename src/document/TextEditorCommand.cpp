#include "TextEditorCommand.h"

#include "Editor.h"
#include "bitmap/FileReplace.h"
#include "output/WordProcessor.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "project/ProjectFiles.h"
#include "project/ProjectName.h"

#include <QApplication>
#include <QDir>

namespace {

const QString Title = QStringLiteral("Texte du scénario");

} // namespace

QString TextEditorCommand::documentName(const QString &projectName)
{
    // Blanks alone, as the save command trims the name it carries the
    // document from: a name with a no-break space finds its own document.
    return ProjectName::trimmed(projectName) + ProjectFiles::DocumentSuffix;
}

TextEditorCommand::TextEditorCommand(Editor &editor) : editor_(editor) {}

TextEditorCommand::Result TextEditorCommand::run()
{
    Platform &platform = editor_.platform();
    const ProgramFolder &folder = editor_.folder();
    const QString project = ProjectName::trimmed(editor_.projectName());
    const QString name = documentName(editor_.projectName());
    if (!ProjectName::staysInFolder(name)) {
        platform.dialogs.warning(
            QStringLiteral("Le nom du projet « %1 » ne peut pas servir de nom de document : "
                           "il contient un séparateur de dossiers.\n\n"
                           "Enregistrez le projet sous un autre nom, puis recommencez.")
                .arg(project),
            Title);
        return Result::Failed;
    }
    // A map named after the help document, opened from a file: its scenario
    // would be the help, which must stay as delivered.
    if (ProjectName::namesHelpDocument(project)) {
        platform.dialogs.warning(
            QStringLiteral("Le projet « %1 » porte le nom du document d'aide « %2 » : "
                           "Text Editor ne l'ouvre pas comme scénario, pour que l'aide reste "
                           "telle qu'elle a été livrée.\n\n"
                           "Enregistrez le projet sous un autre nom (SAVE), puis recommencez.")
                .arg(project, ProjectFiles::Help),
            Title);
        return Result::Failed;
    }

    Result result = Result::CreatedFromTemplate;
    if (Files::exists(editor_.projectFolder(), name)) {
        QApplication::beep();
        result = Result::OpenedExisting;
    } else if (!editor_.projectInProgramFolder()) {
        // Nothing is written beside a map of another folder, nor in the
        // program folder, where a document of that name is another project's.
        platform.dialogs.warning(
            QStringLiteral("La carte « %1 » a été ouverte depuis un autre dossier :\n%2\n"
                           "Ce dossier ne contient pas son scénario « %3 ».\n\n"
                           "Enregistrez-la (SAVE) : elle entre alors dans le dossier du "
                           "programme, où son scénario pourra être écrit.")
                .arg(project, QDir::toNativeSeparators(editor_.projectFolder()), name),
            Title);
        return Result::Failed;
    } else {
        QString reason;
        if (!FileReplace::copy(folder.file(ProjectFiles::Template), folder.file(name),
                               FileRole::UserFile, &reason)) {
            platform.dialogs.warning(
                QStringLiteral("Le document du scénario « %1 » n'a pas pu être créé à partir "
                               "du modèle « %2 » :\n%3\n\nDossier du programme : %4")
                    .arg(name, ProjectFiles::Template, reason, folder.displayPath(QString())),
                Title);
            return Result::Failed;
        }
    }
    const bool started = WordProcessor(editor_.platform())
                             .StartWordProcessor(editor_.projectFile(ProjectFiles::DocumentSuffix));
    return started ? result : Result::Failed;
}
