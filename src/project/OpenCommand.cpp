#include "OpenCommand.h"

#include "ProjectBrowser.h"
#include "ProjectName.h"
#include "app/Editor.h"
#include "platform/Dialogs.h"
#include "platform/PictureFiles.h"

const QString OpenCommand::NothingChosenText = QStringLiteral("Vous devez sélectionnez un fichier");
const QString OpenCommand::LoadFailedText
    = QStringLiteral("Impossible de charger le fichier sélectionné!");

OpenCommand::OpenCommand(Editor &editor) : editor_(editor) {}

bool OpenCommand::confirm(const QString &nameText)
{
    if (!nameText.isEmpty())
        return true;
    editor_.platform().dialogs.message({NothingChosenText, ProjectBrowser::ErrorTitle,
                                        Dialogs::Buttons::Ok, Dialogs::Icon::None,
                                        Dialogs::Answer::Ok});
    return false;
}

bool OpenCommand::open(const QString &fileName)
{
    const QString project = ProjectName::ofFileName(fileName);
    const QString bitmap = project + QStringLiteral(".bmp");
    QImage picture;
    if (ProjectName::staysInFolder(bitmap)) {
        QString reason;
        picture = editor_.platform().pictures.readPicture(editor_.folder().file(bitmap), &reason);
    }
    if (picture.isNull()) {
        editor_.platform().dialogs.warning(LoadFailedText, ProjectBrowser::ErrorTitle);
        return false;
    }
    // The board picture follows at the next reset from the committed board.
    editor_.board().setCommitted(picture);
    editor_.setCaptionForBitmap(bitmap);
    editor_.setProjectName(project);
    return true;
}
