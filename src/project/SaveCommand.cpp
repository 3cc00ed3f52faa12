#include "SaveCommand.h"

#include "ProjectName.h"
#include "app/Editor.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/PictureFiles.h"

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

    // What is saved and shown is the map as last committed, without the
    // preview, the selection or the print frame: the board picture may lag
    // behind it after a move or an erase.
    BoardModel &board = editor_.board();
    board.setPicture(board.committed());
    editor_.flushBoard();

    if (!writeBitmap(name))
        return Result::WriteFailed;
    editor_.setCaptionForBitmap(name + QStringLiteral(".bmp"));
    carryDocument(ProjectName::trimmed(editor_.projectName()), name);
    editor_.setProjectName(name);
    return Result::Saved;
}

bool SaveCommand::writeBitmap(const QString &name)
{
    const QString fileName = name + QStringLiteral(".bmp");
    QString reason;
    if (editor_.platform().pictures.writeBitmap(editor_.folder().file(fileName),
                                                editor_.board().committed(), Durability::Durable,
                                                &reason))
        return true;
    editor_.platform().dialogs.error(
        QStringLiteral("Le projet n'a pas pu être enregistré : le fichier « %1 » n'a pas pu être "
                       "écrit.\nRaison : %2\n\nLe projet actif reste « %3 ».")
            .arg(editor_.folder().displayPath(fileName), reason,
                 ProjectName::trimmed(editor_.projectName())),
        PromptTitle);
    return false;
}

// The scenario follows its map to the new name. A project without a document
// gets none: the text editor command makes one from the template when needed.
void SaveCommand::carryDocument(const QString &fromProject, const QString &toName)
{
    const QString from = fromProject + QStringLiteral(".doc");
    const QString to = toName + QStringLiteral(".doc");
    const ProgramFolder &folder = editor_.folder();
    if (!ProjectName::staysInFolder(from) || !folder.exists(from))
        return;
    QString reason;
    if (editor_.platform().files.copyFile(folder.file(from), folder.file(to), Durability::Durable,
                                          &reason))
        return;
    editor_.platform().dialogs.warning(
        QStringLiteral("La carte est enregistrée, mais le scénario « %1 » n'a pas pu être copié "
                       "vers « %2 ».\nRaison : %3")
            .arg(folder.displayPath(from), folder.displayPath(to), reason),
        PromptTitle);
}
