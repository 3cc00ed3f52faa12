#include "SaveCommand.h"

#include "Editor.h"
#include "bitmap/BitmapFiles.h"
#include "bitmap/FileReplace.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "project/ProjectFiles.h"
#include "project/ProjectName.h"

#include <QDir>
#include <QFileInfo>

const QString SaveCommand::PromptText = QStringLiteral("Entrez un nom de 8 caractères maxi");
const QString SaveCommand::PromptTitle = QStringLiteral("Enregistrer sous...");
const QString SaveCommand::TooLongText
    = QStringLiteral("Le nom comporte plus de 8 caractères! La commande est annulée!");

SaveCommand::SaveCommand(Editor &editor) : editor_(editor) {}

SaveCommand::Result SaveCommand::run()
{
    Dialogs &dialogs = editor_.platform().dialogs;
    // Blanks around the name would stay in its file names, which opening
    // reads back without them.
    const QString name = ProjectName::trimmed(
        dialogs.prompt(PromptText, PromptTitle, ProjectName::trimmed(editor_.projectName())));
    const int length = ProjectName::length(name);
    if (length == 0)
        return Result::Cancelled;
    if (length > ProjectName::MaxLength) {
        // No title of its own: the box shows the application's name.
        dialogs.message({TooLongText, QString(), Dialogs::Buttons::OkCancel, Dialogs::Icon::None,
                         Dialogs::Answer::Ok});
        return Result::TooLong;
    }
    const QString refusal = ProjectName::refusal(name);
    if (!refusal.isEmpty()) {
        dialogs.warning(refusal + QStringLiteral("\n\nLe projet n'est pas enregistré."),
                        PromptTitle);
        return Result::Refused;
    }

    const Targets targets = targetsFor(name);
    // Both files are looked at before either is written, so that a protected
    // document does not leave a new map behind.
    for (const QString &file : targets.replaced)
        if (Files::isReadOnly(file)) {
            reportWriteFailure(file, Files::readOnlyError());
            return Result::WriteFailed;
        }
    if (!targets.ownProject && !targets.replaced.isEmpty() && !confirmReplace(name, targets))
        return Result::Declined;

    // The map is saved and shown alone, without the preview, the selection
    // or the print frame.
    BoardModel &board = editor_.board();
    board.clearDrawings();
    editor_.flushBoard();

    QString reason;
    if (!BitmapFiles::write(targets.bitmap, board.map(), FileRole::UserFile, &reason)) {
        reportWriteFailure(targets.bitmap, reason);
        return Result::WriteFailed;
    }
    // A map replaced under a name in other letters keeps its own: the caption
    // and the project name the file on disk.
    const QString written = QFileInfo(targets.bitmap).fileName();
    editor_.setCaptionForBitmap(written);
    carryDocument(targets);
    editor_.setProjectName(ProjectName::ofFileName(written));
    editor_.setMapSaved(true);
    return Result::Saved;
}

SaveCommand::Targets SaveCommand::targetsFor(const QString &name) const
{
    const ProgramFolder &folder = editor_.folder();
    const QString active = ProjectName::trimmed(editor_.projectName());
    Targets targets;
    targets.bitmap = folder.file(name + ProjectFiles::BitmapSuffix);
    targets.document = folder.file(name + ProjectFiles::DocumentSuffix);
    // The scenario is the active project's document, wherever the project
    // lies; a project named like the help document has none.
    const QString scenarioName = active + ProjectFiles::DocumentSuffix;
    if (ProjectName::staysInFolder(scenarioName) && !ProjectName::namesHelpDocument(active)
        && Files::exists(editor_.projectFolder(), scenarioName))
        targets.scenario = editor_.projectFile(ProjectFiles::DocumentSuffix);
    targets.ownProject
        = editor_.projectInProgramFolder() && name.compare(active, Qt::CaseInsensitive) == 0;

    if (folder.exists(name + ProjectFiles::BitmapSuffix))
        targets.replaced.append(targets.bitmap);
    // A document copied onto itself stays as it is.
    if (!targets.scenario.isEmpty() && targets.scenario != targets.document
        && folder.exists(name + ProjectFiles::DocumentSuffix))
        targets.replaced.append(targets.document);
    return targets;
}

bool SaveCommand::confirmReplace(const QString &name, const Targets &targets)
{
    QStringList files;
    for (const QString &file : targets.replaced)
        files.append(QStringLiteral("    ") + QDir::toNativeSeparators(file));
    const Dialogs::Answer answer = editor_.platform().dialogs.message(
        {QStringLiteral("Le projet « %1 » existe déjà dans le dossier du programme. "
                        "L'enregistrer sous ce nom remplacera :\n%2\n\n"
                        "Voulez-vous remplacer le projet « %1 » ?")
             .arg(name, files.join(QLatin1Char('\n'))),
         PromptTitle, Dialogs::Buttons::YesNo, Dialogs::Icon::Exclamation, Dialogs::Answer::No});
    return answer == Dialogs::Answer::Yes;
}

void SaveCommand::reportWriteFailure(const QString &file, const QString &reason)
{
    editor_.platform().dialogs.error(
        QStringLiteral("Le projet n'a pas pu être enregistré : le fichier « %1 » n'a pas pu être "
                       "écrit.\nRaison : %2\n\nLe projet actif reste « %3 ».")
            .arg(QDir::toNativeSeparators(file), reason,
                 ProjectName::trimmed(editor_.projectName())),
        PromptTitle);
}

// The scenario follows its map to the new name. A project without a document
// gets none: the text editor command makes one from the template when needed.
void SaveCommand::carryDocument(const Targets &targets)
{
    if (targets.scenario.isEmpty())
        return;
    QString reason;
    if (FileReplace::copy(targets.scenario, targets.document, FileRole::UserFile, &reason))
        return;
    editor_.platform().dialogs.warning(
        QStringLiteral("La carte est enregistrée, mais le scénario « %1 » n'a pas pu être copié "
                       "vers « %2 ».\nRaison : %3")
            .arg(QDir::toNativeSeparators(targets.scenario),
                 QDir::toNativeSeparators(targets.document), reason),
        PromptTitle);
}
